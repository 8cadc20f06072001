#include "printing/print_variables.h"

#include <cmath>
#include <limits>

#include "platform/services.h"

namespace km {

#define KM_PV_DEFINE(type, name) type name{};
KM_PV_ALL(KM_PV_DEFINE)
#undef KM_PV_DEFINE

std::unique_ptr<workbook_sink> g_excel_workbook;

std::int16_t whole_measure(double x) {
  const double r = std::nearbyint(x);  // the default rounding is half to even
  if (!(r >= std::numeric_limits<std::int16_t>::min())) return std::numeric_limits<std::int16_t>::min();
  if (r > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  return std::int16_t(r);
}

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
