#include "datafiles/layout_upgrades.h"

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/shared_variables.h"
#include "datafiles/checked_files.h"
#include "datafiles/conversion_layouts.h"
#include "datafiles/upgrade_layouts.h"
#include "datafiles/write_failure_messages.h"
#include "platform/file_error.h"
#include "platform/file_hold.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/sync_file.h"

namespace km {

namespace {

void remove_if_there(const QString& win_path) {
  if (platform::file_exists(win_path)) platform::delete_file(win_path, true);
}

qint64 write_work_file(const QString& source, const QString& work, const platform::record_layout& old_layout,
                       const platform::record_layout& new_layout, record_carry carry) {
  const qint64 records = platform::file_length(source) / old_layout.length;
  pooled_file_number old_file;
  pooled_file_number new_file;
  platform::open_file(old_file.get(), source, platform::open_mode::random, old_layout.length);
  platform::open_file(new_file.get(), work, platform::open_mode::random, new_layout.length);
  platform::record_buffer old_record(old_layout);
  platform::record_buffer new_record(new_layout);
  for (qint64 r = 1; r <= records; ++r) {
    platform::get_record(old_file.get(), r, old_record);
    new_record.blank();
    carry(old_record, new_record);
    platform::put_record(new_file.get(), r, new_record);
  }
  if (platform::lof(new_file.get()) != records * new_layout.length) {
    throw platform::file_error(platform::file_error::kind::other, work,
                               QStringLiteral("the rebuilt file is not complete"));
  }
  new_file.close();
  platform::sync_file(work);
  return records;
}

}  // namespace

qint64 write_in_new_layout(const QString& source, const QString& work,
                           const platform::record_layout& old_layout,
                           const platform::record_layout& new_layout, record_carry carry) {
  if (platform::file_is_held(work))
    throw platform::file_error(platform::file_error::kind::file_already_open, work,
                               QStringLiteral("another program is writing it"));
  remove_if_there(work);
  const platform::file_hold hold(work);
  qint64 records = 0;
  removing_on_failure(work, [&] { records = write_work_file(source, work, old_layout, new_layout, carry); });
  return records;
}

QByteArray in_new_layout(const QByteArray& old_bytes, const platform::record_layout& old_layout,
                         const platform::record_layout& new_layout, record_carry carry) {
  QByteArray out;
  const qsizetype records = old_bytes.size() / old_layout.length;
  out.reserve(records * new_layout.length);
  platform::record_buffer new_record(new_layout);
  for (qsizetype r = 0; r < records; ++r) {
    const platform::record_buffer old_record(old_layout,
                                             old_bytes.mid(r * old_layout.length, old_layout.length));
    new_record.blank();
    carry(old_record, new_record);
    out += new_record.bytes();
  }
  return out;
}

bool rebuilt_from(const QString& file, const QString& old_copy, const platform::record_layout& old_layout,
                  const platform::record_layout& new_layout, record_carry carry) {
  if (!platform::file_exists(old_copy) || !platform::file_exists(file)) return false;
  const qint64 old_length = platform::file_length(old_copy);
  if (old_length == 0 || old_length % old_layout.length != 0 ||
      platform::file_length(file) != old_length / old_layout.length * new_layout.length)
    return false;
  return file_bytes(file) == in_new_layout(file_bytes(old_copy), old_layout, new_layout, carry);
}

QString work_file_of(const QString& current) {
  const qsizetype dot = current.lastIndexOf(u'.');
  return (dot > current.lastIndexOf(u'\\') ? current.left(dot) : current) + QStringLiteral(".new");
}

namespace {

// Copies elements first..last of a field as they stand.
void carry_elements(const platform::record_buffer& from, platform::record_buffer& to, const char* field,
                    int first, int last) {
  for (int i = first; i <= last; ++i) to.set_raw(field, from.get_raw(field, i), i);
}

void carry_whole(const platform::record_buffer& from, platform::record_buffer& to, const char* field) {
  to.set_raw(field, from.get_raw(field));
}

const layout_rebuild ppl_pig_rebuild{"Ppl_pig_random.txt", "pig2014_random.txt", &ppl_pig_2014_record,
                                     &ppl_pig_record,      &g_pig_file_number,   &g_pig_record_count,
                                     &carry_ppl_pig_2014};
const layout_rebuild sb_rebuild{"sb_random.txt",    "sb2014_random.txt", &sb_2014_record, &sb_record,
                                &g_s_b_file_number, &g_s_b_record_count, &carry_sb_2014};
const layout_rebuild ppl_hst_rebuild{"Ppl_hst_random.txt", "PH2014_random.txt",   &ppl_hst_2014_record,
                                     &ppl_hst_record,      &g_pplhst_file_number, &g_pplhst_record_count,
                                     &carry_ppl_hst_2014};
const layout_rebuild pi11_rebuild{"pi11_random.txt",   "pi14_random.txt",    &pi14_record,    &pi11_record,
                                  &g_pi11_file_number, &g_pi11_record_count, &carry_pi11_2014};
const layout_rebuild pi5_rebuild{"pi5_random.txt",   "pi54_random.txt",   &pi54_record,   &pi5_record,
                                 &g_pi5_file_number, &g_pi5_record_count, &carry_pi5_2014};

constexpr int sb_year_limit = 2016;  // from this year on sb_random.txt is not rebuilt

}  // namespace

layout_of_file layout_by_length(qint64 length, int old_length, int new_length) {
  if (length % old_length == 0) return layout_of_file::old_layout;
  if (length % new_length == 0) return layout_of_file::new_layout;
  return layout_of_file::damaged;
}

QString aside_file_of(const QString& backup) {
  const qsizetype dot = backup.lastIndexOf(u'.');
  return (dot > backup.lastIndexOf(u'\\') ? backup.left(dot) : backup) + QStringLiteral(".old");
}

namespace {

struct rebuild_files {
  QString current;  // the record file
  QString backup;   // the old bytes under their lasting name: the marker
  QString work;     // the new file while it is written
  QString aside;    // the old bytes while the new file takes the current name
};

// A rebuild stopped part way (the program killed, the power gone) leaves
// the old bytes aside. While the current file still holds those bytes the
// new file never took its place: the aside copy goes and the rebuild starts
// again. Otherwise the new file is in place and only the marker is missing:
// the aside copy becomes the marker. A current file that is missing gets
// its old bytes back. True when the rebuild is thereby finished.
bool settle_stopped_rebuild(const rebuild_files& f, int new_length) {
  if (platform::file_is_held(f.work))
    throw platform::file_error(platform::file_error::kind::file_already_open, f.work,
                               QStringLiteral("another program is rebuilding the file"));
  if (platform::file_exists(f.aside)) {
    if (!platform::file_exists(f.current)) {
      platform::move_file(f.aside, f.current);
    } else if (file_bytes(f.aside) == file_bytes(f.current)) {
      platform::delete_file(f.aside, true);
    } else if (platform::file_length(f.current) % new_length == 0) {
      platform::replace_file(f.aside, f.backup);
      remove_if_there(f.work);
      return true;
    }
  }
  remove_if_there(f.work);
  return false;
}

// The old layout's rebuild proper. The new file is written and synced
// under the work name and a checked copy of the old bytes is put aside
// before the new file takes the current name in one rename; the old bytes
// then take the marker's name, last. Stopped at any point, the folder holds
// either the old file without a marker or the new file, which
// settle_stopped_rebuild finishes. A failure removes what this run wrote
// and gives the current file its old bytes back.
qint64 rebuild_old_file(const rebuild_files& f, const layout_rebuild& rebuild) {
  try {
    const qint64 records =
        write_in_new_layout(f.current, f.work, *rebuild.old_layout, *rebuild.new_layout, rebuild.carry);
    copy_checked(f.current, f.aside);
    platform::sync_file(f.aside);
    platform::replace_file(f.work, f.current);
    platform::replace_file(f.aside, f.backup);
    return records;
  } catch (const platform::file_error&) {
    try {
      if (platform::file_exists(f.work)) {  // the current file was not replaced
        platform::delete_file(f.work, true);
        remove_if_there(f.aside);
      } else if (platform::file_exists(f.aside)) {  // the old bytes take their name back
        platform::replace_file(f.aside, f.current);
      }
    } catch (const platform::file_error&) {
      // Left for the next opening, which settles it before it starts.
    }
    throw;
  }
}

}  // namespace

rebuild_result rebuild_in_new_layout(const QString& folder, const layout_rebuild& rebuild) {
  close_file(*rebuild.number);
  const QString current = file_in_folder(folder, QLatin1String(rebuild.file_name));
  const QString backup = file_in_folder(folder, QLatin1String(rebuild.backup_name));
  const rebuild_files files{current, backup, work_file_of(current), aside_file_of(backup)};
  const int old_length = rebuild.old_layout->length;
  const int new_length = rebuild.new_layout->length;
  if (settle_stopped_rebuild(files, new_length)) {
    *rebuild.count = static_cast<std::int32_t>(platform::file_length(current) / new_length);
    return rebuild_result::rebuilt;
  }
  if (!platform::file_exists(current)) {
    make_empty_file(backup);
    return rebuild_result::marked_missing;
  }
  switch (layout_by_length(platform::file_length(current), old_length, new_length)) {
    case layout_of_file::damaged:
      return rebuild_result::damaged;
    case layout_of_file::new_layout:
      copy_checked(current, backup);
      return rebuild_result::already_new;
    case layout_of_file::old_layout:
      break;
  }
  *rebuild.count = static_cast<std::int32_t>(rebuild_old_file(files, rebuild));
  return rebuild_result::rebuilt;
}

void carry_ppl_pig_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record) {
  carry_whole(old_record, new_record, "PG_T_NR");
  for (const char* field : {"PG_GEM_", "PG_PIG_", "PG_B6G_", "PG_B6P_"})
    carry_elements(old_record, new_record, field, 1, 14);
}

void carry_sb_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record) {
  carry_whole(old_record, new_record, "SD_T_NR");
  for (const char* field : {"SD_JAAR", "SD_TIPE", "SD_BESK"}) {
    const QByteArray codes = old_record.get_raw(field);
    for (int i = 1; i <= codes.size(); ++i) new_record.set_raw(field, codes.mid(i - 1, 1), i);
  }
}

void carry_ppl_hst_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record) {
  carry_whole(old_record, new_record, "PH_T_NR");
  carry_elements(old_record, new_record, "PH_STD_", 1, 5);
  carry_elements(old_record, new_record, "PH_JAAR_", 1, 5);
}

void carry_pi11_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record) {
  for (const char* field : {"PI11_OUD_B", "PI11_OUD_O", "PI11_SIKL"})
    carry_whole(old_record, new_record, field);
  for (const char* field : {"PI11_SN_", "PI11_SF_"}) carry_elements(old_record, new_record, field, 1, 5);
  for (const char* field : {"PI11_TN_", "PI11_TF_", "PI11_TR_"})
    carry_elements(old_record, new_record, field, 1, 7);
}

void carry_pi5_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record) {
  carry_whole(old_record, new_record, "PI5_CODE");
  carry_elements(old_record, new_record, "PI5_VAL_", 1, 12);
}

namespace {

// The rebuild as the opening runs it: a failure is told to the teacher and
// the opening leaves the file closed for this call.
void rebuild_telling_failure(const QString& folder, const layout_rebuild& rebuild) {
  upgrade_telling_failure(folder, QLatin1String(rebuild.file_name),
                          [&] { rebuild_in_new_layout(folder, rebuild); });
}

}  // namespace

void upgrade_ppl_pig_2014(const QString& folder) { rebuild_telling_failure(folder, ppl_pig_rebuild); }

void upgrade_sb_2014(const QString& folder) {
  if (g_year.toInt() >= sb_year_limit) return;
  rebuild_telling_failure(folder, sb_rebuild);
}

void upgrade_ppl_hst_2014(const QString& folder) { rebuild_telling_failure(folder, ppl_hst_rebuild); }

void upgrade_pi11_pi5_2014(const QString& folder) {
  if (!platform::file_exists(file_in_folder(folder, QLatin1String(pi11_rebuild.backup_name))))
    rebuild_telling_failure(folder, pi11_rebuild);
  if (!platform::file_exists(file_in_folder(folder, QLatin1String(pi5_rebuild.backup_name))))
    rebuild_telling_failure(folder, pi5_rebuild);
}

void upgrade_gem_2014(const QString&) {}

void upgrade_pi5() {}

}  // namespace km
