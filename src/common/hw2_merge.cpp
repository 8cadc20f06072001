// The merge of gedrag2_random.txt into hw2_random.txt when HW2 is opened.
// gedrag2_random.txt holds behaviour entries of the same 129-byte layout
// that another program of the suite left for this folder; its records are
// added after those of hw2_random.txt.
//
// The merged file is written beside hw2_random.txt and checked first;
// gedrag2_random.txt then goes into the save folder, and only then does the
// merged file replace hw2_random.txt. So a failure at any point leaves
// either the old hw2_random.txt with gedrag2_random.txt still waiting, or
// the merged file with gedrag2_random.txt gone: its records are never lost
// and never added twice.

#include <QByteArray>
#include <QList>

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/record_file_layouts.h"
#include "common/record_file_opening.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"

namespace km {

namespace {

const QString gedrag2_name = QStringLiteral("gedrag2_random.txt");
const QString merged_name = QStringLiteral("hw2_merge_random.tmp");

void delete_quietly(const QString& path) {
  try {
    if (platform::file_exists(path)) platform::delete_file(path, true);
  } catch (const platform::file_error&) {
    // A left-over work file does no harm: the next merge overwrites it.
  }
}

// Every record of gedrag2_random.txt, read through g_hw2_rec under a
// short-lived number.
QList<QByteArray> read_gedrag2(const QString& path) {
  QList<QByteArray> records;
  g_file_number = get_free_file_number(1);
  try {
    platform::open_file(g_file_number, path, platform::open_mode::random, hw2_record.length);
    const std::int32_t count = record_count_of(platform::lof(g_file_number), hw2_record.length);
    for (std::int32_t n = 1; n <= count; ++n) {
      platform::get_record(g_file_number, n, g_hw2_rec);
      records.append(g_hw2_rec.bytes());
    }
  } catch (...) {
    close_file(g_file_number);
    throw;
  }
  close_file(g_file_number);
  return records;
}

// hw2_random.txt with the added records after its first hw2_count records,
// written to `merged` and checked for its length.
void write_merged_copy(const QString& hw2, const QString& merged, std::int32_t hw2_count,
                       const QList<QByteArray>& added) {
  platform::copy_file(hw2, merged, true);
  g_file_number = get_free_file_number(1);
  try {
    platform::open_file(g_file_number, merged, platform::open_mode::random, hw2_record.length);
    qint64 n = hw2_count;
    for (const QByteArray& record : added) platform::put_record(g_file_number, ++n, record);
  } catch (...) {
    close_file(g_file_number);
    throw;
  }
  close_file(g_file_number);
  const qint64 expected = (qint64(hw2_count) + added.size()) * hw2_record.length;
  if (platform::file_length(merged) != expected) {
    throw platform::file_error(platform::file_error::kind::other, merged,
                               QStringLiteral("the merged behaviour file is not complete"));
  }
}

// hw2_random.txt must be closed while it is replaced.
void merge_gedrag2(opening_call& call) {
  const QString gedrag2 = call.path(gedrag2_name);
  const QList<QByteArray> added = read_gedrag2(gedrag2);
  if (added.isEmpty()) {
    remove_keeping_copy(call.folder, gedrag2_name);
    return;
  }
  const QString hw2 = call.path(QLatin1String(call.entry->file_name));
  const QString merged = call.path(merged_name);
  const std::int32_t hw2_count = g_hw2_record_count;
  close_file(g_hw2_file_number);
  try {
    write_merged_copy(hw2, merged, hw2_count, added);
    move_into_save_folder(call.folder, gedrag2_name);
  } catch (...) {
    delete_quietly(merged);
    throw;
  }
  try {
    platform::copy_file(merged, hw2, true);
  } catch (...) {
    // The merge did not take place: gedrag2_random.txt goes back to wait
    // for the next opening.
    try {
      platform::copy_file(file_in_folder(save_folder_of(call.folder), gedrag2_name), gedrag2, true);
    } catch (const platform::file_error&) {
      // Its copy stays in the save folder.
    }
    delete_quietly(merged);
    throw;
  }
  delete_quietly(merged);
}

// hw2_random.txt open again (under a new number when the merge closed it)
// and counted.
void reopen_hw2(opening_call& call) {
  if (g_hw2_file_number == 0 && !open_code_file(call)) return;
  run_guarded(call, [&] { recount(call); });
}

}  // namespace

step_result hw2_after_count(opening_call& call) {
  if (!platform::file_exists(call.path(gedrag2_name)) || !call.first_time("merge")) return step_result::go_on;
  try {
    merge_gedrag2(call);
  } catch (...) {
    reopen_hw2(call);
    pass_over_or_rethrow(call);
    return step_result::go_on;
  }
  reopen_hw2(call);
  return step_result::go_on;
}

}  // namespace km
