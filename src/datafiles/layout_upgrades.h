#pragma once
// The upgrades that bring an older record file into its current layout.
// Each rebuild keeps a checked copy of the old file under a fixed backup
// name, which is also the marker that stops the next run; the marker is
// made last, once the new file is in place. A file already in the new
// layout is never rebuilt.

#include <QString>
#include <cstdint>

#include "platform/record_layout.h"

namespace km {

// What the length of a file says about its layout.
enum class layout_of_file {
  old_layout,  // empty, or whole records of the old length: rebuild it
  new_layout,  // whole records of the new length only: keep it
  damaged      // neither: leave it alone
};
layout_of_file layout_by_length(qint64 length, int old_length, int new_length);

// Fills a blank record of the new layout from a record of the old one.
using record_carry = void (*)(const platform::record_buffer& old_record, platform::record_buffer& new_record);

struct layout_rebuild {
  const char* file_name;    // the current file
  const char* backup_name;  // the checked copy of the old file and the marker, made last
  const platform::record_layout* old_layout;
  const platform::record_layout* new_layout;
  std::int16_t* number;  // the code's file number, closed first
  std::int32_t* count;   // the code's record count, set after a rebuild
  record_carry carry;
};

enum class rebuild_result {
  marked_missing,  // no current file: an empty backup marks the upgrade done
  rebuilt,
  already_new,  // the backup is a copy of the file, which is unchanged
  damaged       // nothing changed and no marker made
};

// Writes the records of source, read in the old layout, into a new work
// file in the new layout, each from a blank record through carry, at the
// same record numbers; a work file left over is deleted first. Checks that
// the work file is complete, closes and syncs it and returns its record
// count. Throws platform::file_error, and then leaves no work file; the
// source is only read.
qint64 write_in_new_layout(const QString& source, const QString& work,
                           const platform::record_layout& old_layout,
                           const platform::record_layout& new_layout, record_carry carry);

// The bytes write_in_new_layout writes for these old bytes, made in memory.
QByteArray in_new_layout(const QByteArray& old_bytes, const platform::record_layout& old_layout,
                         const platform::record_layout& new_layout, record_carry carry);

// True when old_copy (a Windows path) is there, holds whole records of the
// old layout, and file holds exactly their rebuild in the new layout: the
// rebuild put its file in place and was stopped before its marker. A file
// whose length fits both layouts is told apart by its bytes, not its length.
bool rebuilt_from(const QString& file, const QString& old_copy, const platform::record_layout& old_layout,
                  const platform::record_layout& new_layout, record_carry carry);

// The work file beside a file: "C:\DATA\Ppl_pig_random.txt" gives
// "C:\DATA\Ppl_pig_random.new".
QString work_file_of(const QString& file);
// Where a rebuild keeps the old bytes while the new file takes the current
// name: "C:\DATA\PH2014_random.txt" gives "C:\DATA\PH2014_random.old".
QString aside_file_of(const QString& backup);

// Rebuilds folder\file_name in the new layout. The new file is written
// under the work name and synced, a checked copy of the old bytes is put
// aside, the new file takes the current name in one rename, and the aside
// copy becomes the backup (the marker) last. A run that was stopped part
// way is settled first: finished when the new file is in place, else
// started again. A failure throws platform::file_error and leaves the
// current file as it was, with no marker and no work file.
rebuild_result rebuild_in_new_layout(const QString& folder, const layout_rebuild& rebuild);

// The carry of each rebuild, one old record into a blank new one.
void carry_ppl_pig_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record);
void carry_sb_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record);
void carry_ppl_hst_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record);
void carry_pi11_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record);
void carry_pi5_2014(const platform::record_buffer& old_record, platform::record_buffer& new_record);

// The upgrades run by the opening (data_file_services hooks of the same
// names). A rebuild that fails is told to the teacher (the reason, the file
// and that nothing was changed) and throws record_file_not_ready.
void upgrade_ppl_pig_2014(const QString& folder);
void upgrade_sb_2014(const QString& folder);
void upgrade_ppl_hst_2014(const QString& folder);
// The PI11 half runs while pi14_random.txt is missing, the PI5 half while
// pi54_random.txt is missing, each whether or not the other file is there.
void upgrade_pi11_pi5_2014(const QString& folder);
// Nothing to do: no older layout of these files is known.
void upgrade_gem_2014(const QString& folder);
void upgrade_pi5();

}  // namespace km
