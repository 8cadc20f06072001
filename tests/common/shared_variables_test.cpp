#include "common/shared_variables.h"

#include <gtest/gtest.h>

#include <set>
#include <type_traits>

#include "common/tray_icon_data.h"
#include "platform/drive_map.h"
#include "platform/win_path.h"
#include "support/temp_drives.h"

namespace km {
namespace {

// A value other than the start value, per type, to prove the reset puts each
// variable back.
template <typename T>
T changed_value();
template <>
bool changed_value<bool>() {
  return true;
}
template <>
QString changed_value<QString>() {
  return QStringLiteral("C:\\OSKAVEN");
}
template <>
std::int16_t changed_value<std::int16_t>() {
  return 511;
}
template <>
std::int32_t changed_value<std::int32_t>() {
  return 70000;
}
template <>
float changed_value<float>() {
  return 300.0f;
}
template <>
double changed_value<double>() {
  return 255.0;
}
template <>
platform::Value changed_value<platform::Value>() {
  return platform::Value::text(QStringLiteral("geheim"));
}

template <typename T>
bool is_start_value(const T& value) {
  if constexpr (std::is_same_v<T, platform::Value>) {
    return value.is_empty();
  } else if constexpr (std::is_same_v<T, QString>) {
    return value.isEmpty();
  } else {
    return value == T{};
  }
}

class shared_variables_test : public ::testing::Test {};

TEST_F(shared_variables_test, every_variable_starts_empty) {
#define KM_EXPECT_START(type, name) EXPECT_TRUE(is_start_value<type>(name)) << #name;
  KM_SV_ALL_SCALARS(KM_EXPECT_START)
#undef KM_EXPECT_START
  for (int n = 0; n < file_number_slots; ++n) {
    EXPECT_EQ(g_file_in_use[n], 0) << n;
    EXPECT_TRUE(g_file_folder[n].isEmpty()) << n;
    EXPECT_TRUE(g_file_code[n].isEmpty()) << n;
  }
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(shared_variables_test, reset_puts_every_variable_back) {
#define KM_CHANGE(type, name) name = changed_value<type>();
  KM_SV_ALL_SCALARS(KM_CHANGE)
#undef KM_CHANGE
  g_file_in_use[101] = 1;
  g_file_in_use[511] = 1;
  g_file_folder[101] = QStringLiteral("C:\\DATA");
  g_file_code[101] = QStringLiteral("PUVAK");
  g_open_file_count = 2;
  // The changes took: a variable that kept its start value here would make
  // the check below prove nothing for it.
  EXPECT_TRUE(g_language);
  EXPECT_EQ(g_exp_mrk_control_count, 70000);
  EXPECT_FALSE(g_system_password.is_empty());

  reset_shared_variables();

#define KM_EXPECT_START(type, name) EXPECT_TRUE(is_start_value<type>(name)) << #name;
  KM_SV_ALL_SCALARS(KM_EXPECT_START)
#undef KM_EXPECT_START
  EXPECT_EQ(g_file_in_use[101], 0);
  EXPECT_EQ(g_file_in_use[511], 0);
  EXPECT_TRUE(g_file_folder[101].isEmpty());
  EXPECT_TRUE(g_file_code[101].isEmpty());
  EXPECT_EQ(g_open_file_count, 0);
}

TEST_F(shared_variables_test, variables_never_assigned_read_as_empty_text_and_zero) {
  // Paths built on them start at the root of the current drive.
  EXPECT_EQ(g_user_folder + QStringLiteral("\\user_lock_record.txt"),
            QStringLiteral("\\user_lock_record.txt"));
  EXPECT_EQ(g_data_folder + QStringLiteral("\\exp_mrk_control.txt"), QStringLiteral("\\exp_mrk_control.txt"));
  EXPECT_EQ(platform::val(g_grade), 0.0);
  EXPECT_FALSE(g_language);  // English until the settings say otherwise
  EXPECT_EQ(g_max_subjects, 0);
  EXPECT_EQ(g_task_entry_count, 0);
}

TEST_F(shared_variables_test, files_on_unset_folders_lie_at_the_root_of_the_current_drive) {
  km::test::temp_drives drives;
  drives.make_native_folder("D/PROGRAM/KORVA");
  platform::set_current_directory("D:\\PROGRAM\\KORVA");
  EXPECT_EQ(platform::full_win_path(g_user_folder + "\\user_lock_record.txt"), "D:\\user_lock_record.txt");
  EXPECT_EQ(platform::to_native_path(g_data_folder + "\\exp_mrk_control.txt"),
            drives.native_drive('D') + "/exp_mrk_control.txt");
}

TEST_F(shared_variables_test, tray_icon_record_starts_and_resets_to_zero) {
  EXPECT_EQ(g_tray_icon.to_bytes(), QByteArray(tray_icon_data::record_size, '\0'));
  fill_tray_icon_data(g_tray_icon, 1, 2, 3, 4, 5, QStringLiteral("KORVA-MARKS"));
  ASSERT_NE(g_tray_icon.to_bytes(), QByteArray(tray_icon_data::record_size, '\0'));
  reset_shared_variables();
  EXPECT_EQ(g_tray_icon.to_bytes(), QByteArray(tray_icon_data::record_size, '\0'));
}

TEST_F(shared_variables_test, per_file_number_variables_keep_their_fixed_order) {
  const auto variables = per_file_number_variables();
  ASSERT_EQ(variables.size(), 59u);
  struct expected_position {
    std::size_t index;
    std::int16_t* variable;
  };
  const expected_position positions[] = {
      {0, &g_skl_file_number},
      {5, &g_sklmsp_file_number},
      {6, &g_user_lock_file_number},
      {7, &g_audit_trail_file_number},
      {8, &g_prmprom_file_number},
      {24, &g_pplvakverander_file_number},
      {35, &g_pi5_old_file_number},
      {41, &g_h_w_file_number},
      {52, &g_kpd_convert_file_number},
      {53, &g_gsn_file_number},
      {58, &g_exp_mrk_control_file_number},
  };
  for (const auto& p : positions) EXPECT_EQ(variables[p.index], p.variable) << p.index;

  // Each variable once, and none of the general-purpose numbers among them.
  std::set<std::int16_t*> distinct(variables.begin(), variables.end());
  EXPECT_EQ(distinct.size(), variables.size());
  EXPECT_EQ(distinct.count(&g_file_number), 0u);
  EXPECT_EQ(distinct.count(&g_file_number2), 0u);
  EXPECT_EQ(distinct.count(&g_file_number3), 0u);
}

// Record counts and record numbers are 32-bit (a file of 12-byte records
// passes 32767 records at 393 KB); file numbers and Booleans keep their width.
static_assert(std::is_same_v<decltype(g_puvak_record_count), std::int32_t>);
static_assert(std::is_same_v<decltype(g_exp_mrk_control_count), std::int32_t>);
static_assert(std::is_same_v<decltype(g_audit_record_number), std::int32_t>);
static_assert(std::is_same_v<decltype(g_exp_mrk_control_file_number), std::int16_t>);
static_assert(std::is_same_v<decltype(g_open_file_count), std::int16_t>);
static_assert(std::is_same_v<decltype(g_language), bool>);
static_assert(std::is_same_v<decltype(g_print_page_lines), float>);

}  // namespace
}  // namespace km
