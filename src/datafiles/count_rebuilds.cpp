#include "datafiles/count_rebuilds.h"

#include <QSet>
#include <algorithm>
#include <cstring>

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "datafiles/checked_files.h"
#include "datafiles/layout_upgrades.h"
#include "datafiles/upgrade_layouts.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"

namespace km {

namespace {

constexpr qint64 pi4vh_kept_records = 50;
constexpr int pi4vh_record_length = 5717;

// Writes the given records of source, unchanged, to work in that order and
// checks that work is complete.
void write_records(const QString& source, const QString& work, int record_length,
                   const std::vector<qint64>& record_numbers) {
  if (platform::file_exists(work)) platform::delete_file(work, true);
  removing_on_failure(work, [&] {
    pooled_file_number from;
    pooled_file_number to;
    platform::open_file(from.get(), source, platform::open_mode::random, record_length);
    platform::open_file(to.get(), work, platform::open_mode::random, record_length);
    qint64 written = 0;
    for (qint64 r : record_numbers)
      platform::put_record(to.get(), ++written, platform::get_record(from.get(), r));
    if (platform::lof(to.get()) != written * record_length) {
      throw platform::file_error(platform::file_error::kind::other, work,
                                 QStringLiteral("the rebuilt file is not complete"));
    }
  });
}

float key_of(const QByteArray& record) {
  float key = 0;
  std::memcpy(&key, record.constData(), sizeof key);
  return key;
}

}  // namespace

std::vector<qint64> ppl_add_records_to_keep(const std::vector<float>& keys) {
  std::vector<qint64> kept;
  QSet<float> seen;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const float key = keys[i];
    if (!(key > 0.0F) || seen.contains(key)) continue;
    seen.insert(key);
    kept.push_back(qint64(i) + 1);
  }
  return kept;
}

void upgrade_ppl_add(const QString& folder) {
  const QString name = QStringLiteral("Ppl_add_random.txt");
  const QString current = file_in_folder(folder, name);
  close_file(g_ppladd_file_number);
  if (!platform::file_exists(current)) return;
  // The file stays in the folder until the rebuilt one takes its place, so
  // that a break part way leaves it as it was.
  copy_group_into_save_folder(folder, {name});
  const QString kept_copy = file_in_folder(save_folder_of(folder), name);

  std::vector<float> keys;
  {
    pooled_file_number copy;
    platform::open_file(copy.get(), kept_copy, platform::open_mode::random, ppl_add_record.length);
    const qint64 records = platform::lof(copy.get()) / ppl_add_record.length;
    keys.reserve(std::size_t(records));
    for (qint64 r = 1; r <= records; ++r) keys.push_back(key_of(platform::get_record(copy.get(), r)));
  }
  const std::vector<qint64> kept = ppl_add_records_to_keep(keys);
  const QString work = work_file_of(current);
  write_records(kept_copy, work, ppl_add_record.length, kept);
  put_in_place(work, current);
  g_ppladd_record_count = static_cast<std::int32_t>(kept.size());
  platform::message_box(QString::number(g_ppladd_record_count), platform::msg_buttons::ok,
                        platform::msg_icon::none);
}

void upgrade_pi4_vh(const QString& folder) {
  const QString name = QStringLiteral("pi4_vh_random.txt");
  const QString current = file_in_folder(folder, name);
  close_file(g_pi4vh_file_number);
  if (!platform::file_exists(current)) return;
  copy_group_into_save_folder(folder, {name});
  const qint64 count = platform::file_length(current) / pi4vh_record_length;
  std::vector<qint64> first_records(std::size_t(std::min(count, pi4vh_kept_records)));
  for (std::size_t i = 0; i < first_records.size(); ++i) first_records[i] = qint64(i) + 1;
  // pi4_vh1_random.txt is the work file; one left by an earlier run goes.
  const QString work = file_in_folder(folder, QStringLiteral("pi4_vh1_random.txt"));
  write_records(current, work, pi4vh_record_length, first_records);
  put_in_place(work, current);
}

}  // namespace km
