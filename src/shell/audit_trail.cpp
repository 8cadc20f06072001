#include "shell/audit_trail.h"

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "common/user_name.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/file_error.h"
#include "platform/numbered_files.h"
#include "platform/record_layouts.h"
#include "platform/value.h"

namespace km {

namespace {

constexpr int audit_record_length = 258;

QString audit_trail_path() { return g_settings_folder + QStringLiteral("\\Audit_Trail.txt"); }

}  // namespace

QByteArray audit_record_bytes(const audit_entry& entry) {
  // The field at offset 118 is never assigned: it keeps its zero bytes.
  platform::record_buffer record(platform::audit_trail_record);
  record.set_text("user_name", entry.user_name);
  record.set_double("date", entry.date);
  record.set_text("time", entry.time_text);
  record.set_text("window_name", entry.window_name);
  record.set_text("admin_folder", entry.admin_folder);
  record.set_text("network_folder_1", entry.network_folder_1);
  record.set_text("network_folder_2", entry.network_folder_2);
  return record.bytes();
}

audit_entry current_audit_entry(const QString& window_name) {
  audit_entry entry;
  entry.user_name = get_user_name();
  entry.date = platform::today();
  entry.time_text = platform::time_text(platform::clock().now());
  entry.window_name = window_name;
  entry.admin_folder = g_admin_folder;
  entry.network_folder_1 = g_network_folder_1;
  entry.network_folder_2 = g_network_folder_2;
  return entry;
}

bool append_audit_record(const audit_entry& entry) {
  const QByteArray bytes = audit_record_bytes(entry);
  g_audit_trail_file_number = get_free_file_number(0);
  bool written = false;
  try {
    platform::open_file(g_audit_trail_file_number, audit_trail_path(), platform::open_mode::random,
                        audit_record_length);
    // The count is kept in 32 bits, so a trail of more than 32767 records
    // still takes its next record at the end.
    const qint64 length = platform::lof(g_audit_trail_file_number);
    g_audit_record_count =
        static_cast<std::int32_t>(platform::round_half_even(double(length) / audit_record_length));
    g_audit_record_count += 1;
    g_audit_record_number = g_audit_record_count;
    platform::put_record(g_audit_trail_file_number, g_audit_record_number, bytes);
    written = true;
  } catch (const platform::file_error&) {
    // The trail is a record of use, not a reason to stop: the step is skipped.
  }
  try {
    close_file(g_audit_trail_file_number);
  } catch (const platform::file_error&) {
    written = false;
  }
  return written;
}

}  // namespace km
