#include "printing/print_variables.h"

#include "platform/services.h"

namespace km {

#define KM_PV_DEFINE(type, name) type name{};
KM_PV_ALL(KM_PV_DEFINE)
#undef KM_PV_DEFINE

std::unique_ptr<platform::workbook> g_excel_workbook;

void reset_print_variables() {
#define KM_PV_RESET(type, name) name = type{};
  KM_PV_ALL(KM_PV_RESET)
#undef KM_PV_RESET
  g_excel_workbook.reset();
}

namespace {

const platform::reset_step fresh_print_variables{platform::reset_stage::values, reset_print_variables};

}  // namespace

}  // namespace km
