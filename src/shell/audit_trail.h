#pragma once
// The audit trail Audit_Trail.txt in the settings folder: one 258-byte
// record per opened menu or work window, saying who opened which window
// when. The file only grows.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace km {

// What one audit record says.
struct audit_entry {
  QString user_name;    // the login name, cut to 50
  double date = 0;      // today's date as a day number (time part 0)
  QString time_text;    // the current time as the platform writes a time
  QString window_name;  // the window that was opened, cut to 50
  QString admin_folder;
  QString network_folder_1;
  QString network_folder_2;
};

// The record's 258 bytes (texts blank-padded, bytes 118..167 left zero).
QByteArray audit_record_bytes(const audit_entry& entry);

// The entry for a window opened now by the current user, with the shared
// folder variables.
audit_entry current_audit_entry(const QString& window_name);

// Appends the record after the last whole record of
// <g_settings_folder>\Audit_Trail.txt (the count is the file length / 258,
// rounded half to even, plus 1), through a long-lived file number kept in
// g_audit_trail_file_number. Sets g_audit_record_count and
// g_audit_record_number. Returns false, and changes no file, when the file
// cannot be opened or written; it never ends the program.
bool append_audit_record(const audit_entry& entry);

}  // namespace km
