#include "datafiles/pi11_upgrades.h"

#include <algorithm>

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/grade_range.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "datafiles/checked_files.h"
#include "datafiles/conversion_layouts.h"
#include "datafiles/layout_upgrades.h"
#include "datafiles/upgrade_layouts.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/value.h"

namespace km {

namespace {

constexpr int pi1_cycles = 4;
constexpr int pi1_tasks = 8;
constexpr std::int16_t cycles_after_upgrade = 5;
constexpr int pi11_tasks = 15;

// A task entry nobody uses: no name, or one that starts with a blank or a
// zero byte.
bool is_free_task(const platform::record_buffer& pi11, int entry) {
  const QByteArray raw = pi11.get_raw("PI11_TN_", entry);
  if (raw.startsWith(' ') || raw.startsWith('\0')) return true;
  return trim_blanks(clean_field_value(platform::Value::text(pi11.get_text("PI11_TN_", entry)))).isEmpty();
}

// Record 1 is written back only into a file of whole new-layout records:
// never into an empty file, nor over one still in the older layout.
bool pi11_holds_new_records() {
  const qint64 length = platform::lof(g_pi11_file_number);
  return length > 0 && length % pi11_record.length == 0;
}

}  // namespace

QString fifth_cycle_name(const QString& fourth) { return QString(fourth).replace(u'4', u'5'); }

void carry_pi1_record(const platform::record_buffer& pi1, platform::record_buffer& pi11) {
  pi11.set_raw("PI11_OUD_B", pi1.get_raw("pi1_OUD_B"));
  pi11.set_raw("PI11_OUD_O", pi1.get_raw("pi1_OUD_O"));
  pi11.set_int16("PI11_SIKL", cycles_after_upgrade);
  for (int i = 1; i <= pi1_cycles; ++i) {
    pi11.set_raw("PI11_SN_", pi1.get_raw("PI1_SN_", i), i);
    pi11.set_raw("PI11_SF_", pi1.get_raw("PI1_SF_", i), i);
  }
  pi11.set_text("PI11_SN_", fifth_cycle_name(pi1.get_text("PI1_SN_", pi1_cycles)), pi1_cycles + 1);
  pi11.set_raw("PI11_SF_", pi1.get_raw("PI1_SF_", pi1_cycles), pi1_cycles + 1);
  for (int i = 1; i <= pi1_tasks; ++i) {
    pi11.set_raw("PI11_TN_", pi1.get_raw("PI1_TN_", i), i);
    pi11.set_raw("PI11_TF_", pi1.get_raw("pi1_tf_", i), i);
    pi11.set_raw("PI11_TR_", pi1.get_raw("PI1_TR_", i), i);
  }
}

void upgrade_pi1_to_pi11(const QString& folder) {
  close_file(g_pi11_file_number);
  close_file(g_pi1_file_number);
  const QString pi1 = file_in_folder(folder, QStringLiteral("pi1_random.txt"));
  const QString pi11 = file_in_folder(folder, QStringLiteral("pi11_random.txt"));
  const QString work = work_file_of(pi11);
  g_cycle_entry_count = cycles_after_upgrade;
  g_pi1_record_count =
      static_cast<std::int32_t>(write_in_new_layout(pi1, work, pi1_record, pi11_record, &carry_pi1_record));
  // The outcome values and the marker go before the new file takes its
  // place: until then the opening runs this upgrade again, so a break part
  // way is finished by the next opening.
  move_into_save_folder(folder, QStringLiteral("pi5_random.txt"));
  make_empty_file(file_in_folder(folder, QStringLiteral("pi14_random.txt")));
  put_in_place(work, pi11);
}

std::optional<int> ana_target(const platform::record_buffer& pi11, int task_count, int cycle_count) {
  std::optional<int> target;
  for (int entry = std::min(task_count, pi11_tasks); entry >= 1; --entry) {
    if (trim_blanks(pi11.get_text("PI11_TN_", entry)) == QLatin1String("ADJ")) break;
    if (is_free_task(pi11, entry)) target = std::max(target.value_or(0), entry + cycle_count);
  }
  if (!target || *target > pi11_tasks || !is_free_task(pi11, *target)) return std::nullopt;
  return target;
}

void fix_pi11_adj_ana() {
  if (platform::val(g_grade) < 1 || is_grade_10_to_12() || !pi11_holds_new_records()) return;
  platform::record_buffer record(pi11_record);
  platform::get_record(g_pi11_file_number, 1, record);
  const std::optional<int> target = ana_target(record, g_task_entry_count, g_cycle_entry_count);
  if (!target) return;
  record.set_text("PI11_TN_", QStringLiteral("ANA"), *target);
  record.set_single("PI11_TF_", 1.0F, *target);
  platform::put_record(g_pi11_file_number, 1, record);
}

void fix_pi11_zero_weights() {
  if (!pi11_holds_new_records()) return;
  platform::record_buffer record(pi11_record);
  platform::get_record(g_pi11_file_number, 1, record);
  bool changed = false;
  for (int entry = 1; entry <= std::min<int>(g_task_entry_count, pi11_tasks); ++entry) {
    if (trim_blanks(record.get_text("PI11_TN_", entry)).isEmpty()) continue;
    if (record.get_single("PI11_TF_", entry) != 0.0F || record.get_single("PI11_TR_", entry) == 0.0F)
      continue;
    record.set_single("PI11_TR_", 0.0F, entry);
    changed = true;
  }
  if (changed) platform::put_record(g_pi11_file_number, 1, record);
}

}  // namespace km
