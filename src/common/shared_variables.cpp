#include "common/shared_variables.h"

#include "common/record_file_layouts.h"
#include "common/tray_icon_data.h"
#include "platform/record_layouts.h"
#include "platform/services.h"

namespace km {

#define KM_SV_DEFINE(type, name) type name{};
KM_SV_ALL_SCALARS(KM_SV_DEFINE)
#undef KM_SV_DEFINE

std::array<std::int16_t, file_number_slots> g_file_in_use{};
std::array<QString, file_number_slots> g_file_folder{};
std::array<QString, file_number_slots> g_file_code{};
std::int16_t g_open_file_count = 0;

tray_icon_data g_tray_icon{};

platform::record_buffer g_exp_mrk_control_rec{platform::exp_mrk_control_record};
platform::record_buffer g_pi1sma_rec{pi1sma_record};
platform::record_buffer g_pi3_rec{pi3_record};
platform::record_buffer g_hw2_rec{hw2_record};
platform::record_buffer g_lock_record{platform::user_lock_record};

std::span<std::int16_t* const, per_file_number_count> per_file_number_variables() {
#define KM_SV_ADDRESS(type, name) &name,
  static const std::array<std::int16_t*, per_file_number_count> variables{
      KM_SV_PER_FILE_NUMBERS(KM_SV_ADDRESS)};
#undef KM_SV_ADDRESS
  return variables;
}

void reset_shared_variables() {
#define KM_SV_RESET(type, name) name = type{};
  KM_SV_ALL_SCALARS(KM_SV_RESET)
#undef KM_SV_RESET
  g_file_in_use.fill(0);
  g_file_folder.fill(QString());
  g_file_code.fill(QString());
  g_open_file_count = 0;
  g_tray_icon = tray_icon_data{};
  g_exp_mrk_control_rec.clear();
  g_pi1sma_rec.clear();
  g_pi3_rec.clear();
  g_hw2_rec.clear();
  g_lock_record.clear();
}

namespace {

const platform::reset_step fresh_shared_variables{platform::reset_stage::values, reset_shared_variables};

}  // namespace

}  // namespace km
