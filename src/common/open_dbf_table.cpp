#include "common/open_dbf_table.h"

#include <optional>

#include "common/data_drive_check.h"
#include "common/file_error_reason.h"
#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/record_layout_code.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/recordset.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/loaded_window_seam.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/services.h"
#include "platform/win_path.h"

namespace km {

using platform::dbf_error;
using platform::dbf_error_kind;
using platform::Value;

namespace {

table_refresh g_refresh;  // empty: the control's own Refresh

const platform::reset_step own_refresh{platform::reset_stage::values, [] { g_refresh = nullptr; }};

// A failure of "invalid use of null" is tried again this often before it
// counts as a failure of no known kind.
constexpr int max_null_repeats = 2;

void refresh(platform::data_control& control) {
  if (g_refresh)
    g_refresh(control);
  else
    control.refresh();
}

// networklock.txt of the settings folder: its presence is what the other
// programs of the suite look for. Made once, holding the line False (as
// Print # writes it); read otherwise.
// A failure here is passed over: the table can be opened without it.
void touch_network_lock() {
  const QString path = file_in_folder(g_settings_folder, QStringLiteral("networklock.txt"));
  try {
    const bool present = platform::file_exists(path);
    g_file_number = get_free_file_number(1);
    if (present) {
      platform::open_file(g_file_number, path, platform::open_mode::input);
      platform::input_field(g_file_number);
    } else {
      platform::open_file(g_file_number, path, platform::open_mode::output);
      platform::print_line(g_file_number, QStringLiteral("False"));
    }
    close_file(g_file_number);
  } catch (const platform::file_error&) {
    abandon_file(g_file_number);  // the lock file is left as it was
  }
}

void critical(const QString& text) {
  platform::message_box(text, platform::msg_buttons::ok, platform::msg_icon::critical);
}

// The way out when the table cannot be worked with: the window loaded last
// (the caller's) is unloaded, and the program ends when it was the only one.
// The windows are reached through the seam the window layer puts in place.
Value close_caller() {
  const int loaded = platform::loaded_window_count();
  if (loaded > 0) {
    platform::unload_last_loaded_window();
    if (loaded == 1) platform::end_program();
  }
  return Value(false);
}

// A failure that the opening has no answer for: shown with its number, and
// the program ends.
[[noreturn]] void stop_for(int number, const QString& description) {
  platform::message_box(QString::number(number) + QStringLiteral(" ... ") + description);
  platform::end_program();
}

// Copies the source over the target, read-only or not.
void replace_file(const QString& source, const QString& target) {
  if (platform::file_exists(target) && platform::is_read_only(target)) platform::set_read_only(target, false);
  platform::copy_file(source, target, true);
}

// Copies the folder's files of the table that are present (names given
// with their extension) into the repair folder g_admin_folder & "\temp".
// Copies kept there from an earlier repair are renamed, never replaced.
// Throws platform::file_error when a copy cannot be made.
void copy_into_repair_folder(const QString& folder, const QStringList& names) {
  const QString repair_folder = file_in_folder(g_admin_folder, QStringLiteral("temp"));
  if (!platform::ensure_folder(repair_folder))
    throw platform::file_error(platform::file_error::kind::path_not_found, repair_folder);
  QStringList present;
  for (const QString& name : names) {
    if (platform::file_exists(file_in_folder(folder, name))) present << name;
  }
  keep_earlier_copies(repair_folder, names);
  for (const QString& name : present)
    platform::copy_file(file_in_folder(folder, name), file_in_folder(repair_folder, name), false);
}

// Template step: restores a missing table, or a missing memo file of a
// present table, from the program folder. A memo file left without its
// table is copied into the repair folder before the template's replaces
// it. False when the table is missing and has no template, or a copy fails.
bool restore_from_template(const QString& folder, const QString& table) {
  const QString org = file_in_folder(g_program_path, table + QStringLiteral(".org"));
  const QString ort = file_in_folder(g_program_path, table + QStringLiteral(".ort"));
  const QString dbf = file_in_folder(folder, table + QStringLiteral(".dbf"));
  const QString dbt = file_in_folder(folder, table + QStringLiteral(".dbt"));
  try {
    if (!platform::file_exists(dbf)) {
      if (!platform::file_exists(org)) return false;
      const bool memo_replaced = platform::file_exists(ort) && platform::file_exists(dbt);
      if (memo_replaced) copy_into_repair_folder(folder, {table + QStringLiteral(".dbt")});
      platform::copy_file(org, dbf, true);
      if (platform::file_exists(ort)) replace_file(ort, dbt);
    } else if (platform::file_exists(ort) && !platform::file_exists(dbt)) {
      platform::copy_file(ort, dbt, true);
    }
  } catch (const platform::file_error&) {
    return false;
  }
  return true;
}

// Replaces a damaged table by its template. The table and its memo file are
// first copied into the repair folder g_admin_folder & "\temp"; nothing is
// replaced unless the template is there and those copies were made. False
// when the table could not be repaired.
bool repair_from_template(const QString& folder, const QString& table) {
  const QString org = file_in_folder(g_program_path, table + QStringLiteral(".org"));
  const QString ort = file_in_folder(g_program_path, table + QStringLiteral(".ort"));
  const QString dbf = file_in_folder(folder, table + QStringLiteral(".dbf"));
  const QString dbt = file_in_folder(folder, table + QStringLiteral(".dbt"));
  if (!platform::file_exists(org)) return false;
  try {
    copy_into_repair_folder(folder, {table + QStringLiteral(".dbf"), table + QStringLiteral(".dbt")});
  } catch (const platform::file_error&) {
    return false;
  }
  try {
    // Copied over the damaged files, so that a failed copy leaves them as
    // they were; a read-only file is made writable first.
    replace_file(org, dbf);
    if (platform::file_exists(ort)) replace_file(ort, dbt);
  } catch (const platform::file_error&) {
    return false;
  }
  return true;
}

// What the opening of the table (Refresh and the read-only choice) ended in.
enum class open_outcome { opened, repaired, failed };

// Opens the table on the control; engine failures are answered here. On
// `failed`, result holds the call's answer.
open_outcome open_table(const QString& folder, platform::data_control& control, const QString& table,
                        bool read_only, bool& repaired, Value& result) {
  for (int null_repeats = 0;;) {
    try {
      control.set_database_name(folder);
      control.set_record_source(table + QStringLiteral(".dbf"));
      control.set_read_only(read_only);
      refresh(control);
      return open_outcome::opened;
    } catch (const dbf_error& e) {
      switch (e.kind()) {
        case dbf_error_kind::not_found:
          result = Value(false);
          return open_outcome::failed;
        case dbf_error_kind::unreadable:
        case dbf_error_kind::bad_format:
          control.close_database();
          if (!repaired && repair_from_template(folder, table)) {
            repaired = true;
            return open_outcome::repaired;
          }
          critical(corrupt_message(folder, table));
          result = Value(false);
          return open_outcome::failed;
        case dbf_error_kind::disk_error:
          critical(corrupt_message(folder, table));
          result = close_caller();
          return open_outcome::failed;
        case dbf_error_kind::read_only:
          critical(read_only_message(folder, table));
          platform::end_program();
        case dbf_error_kind::in_use:
          critical(in_use_message(folder, table));
          result = close_caller();
          return open_outcome::failed;
        case dbf_error_kind::null_value:
          if (null_repeats++ < max_null_repeats) continue;
          stop_for(e.number(), e.text());
        case dbf_error_kind::other:
          stop_for(e.number(), e.text());
      }
      stop_for(e.number(), e.text());
    } catch (const platform::file_error& e) {
      stop_for(e.number(), file_error_reason(e));
    }
  }
}

// What the table turned out to be once it was opened again with the
// read-only choice in force.
enum class table_state { ready, empty, damaged, failed };

// Refreshes the control once more and checks its records; on success the
// record count is complete and the first record current. Any failure of
// these steps gives `failed`.
table_state check_opened_table(platform::data_control& control, bool require_records) {
  try {
    refresh(control);
    platform::recordset& rs = control.recordset();
    if (rs.record_count() != 0 && rs.eof()) return table_state::damaged;
    if (require_records && (rs.record_count() == 0 || rs.eof())) return table_state::empty;
    if (rs.record_count() > 0 && !rs.eof()) {
      rs.move_last();
      rs.move_first();
    }
    return table_state::ready;
  } catch (const dbf_error&) {
  } catch (const platform::file_error&) {
  } catch (const platform::value_error&) {
  }
  return table_state::failed;
}

// The folder made when only it is missing (one level, on a drive that is
// there), and the special table names. An answer when the call ends here.
std::optional<Value> prepare_folder_and_table(QString& folder, platform::data_control& control,
                                              QString& table) {
  if (!platform::folder_exists(folder)) {
    if (!platform::drive_exists(platform::drive_name(folder))) return Value(false);
    try {
      platform::create_folder(folder);
    } catch (const platform::file_error&) {
      // Answered by the folder test below.
    }
  }
  if (table == QLatin1String("ppl_dta")) {
    control.set_tag(QStringLiteral("ppl_cmp"));
    table = QStringLiteral("ppl_cmp");
  } else if (table == QLatin1String("Ppl_xtra") &&
             platform::file_exists(file_in_folder(folder, QStringLiteral("Ppl_cmp.dbf")))) {
    return Value();
  }
  if (!platform::folder_exists(folder)) return Value(false);
  // The register table lives in the user folder; it is restored and opened
  // there.
  if (table == QLatin1String("reg_dta")) folder = g_user_folder;
  return std::nullopt;
}

// A learner table of the administration folder itself is only read.
bool is_administration_folder(const QString& folder) {
  const QString parent = upper_case_afrikaans(platform::parent_folder_name(folder)).trimmed();
  return parent == QLatin1String("C:\\OSKAVEN\\ADMIN") ||
         parent == QLatin1String("C:\\ZEDORAVARO\\OSKAVEN\\ADMIN");
}

// The developer aid of a control marked "acc_cnt": the layout code of the
// opened table is written, then the program ends.
[[noreturn]] void write_layout_code_and_end(platform::data_control& control, const QString& folder,
                                            const QString& table) {
  try {
    generate_record_layout_code(control, folder, table);
  } catch (const dbf_error& e) {
    stop_for(e.number(), e.text());
  } catch (const platform::file_error& e) {
    stop_for(e.number(), file_error_reason(e));
  }
  platform::end_program();
}

}  // namespace

bool check_folder_exists(const QString& folder) { return platform::folder_exists(folder); }

void set_open_dbf_table_refresh(table_refresh refresh) { g_refresh = std::move(refresh); }

Value open_dbf_table(QString& folder, platform::data_control& control, bool require_records, QString& table,
                     bool& read_only) {
  if (folder.trimmed().isEmpty()) return Value(false);
  require_data_drive(folder);
  touch_network_lock();
  if (table.trimmed().isEmpty()) table = control.default_table();
  if (const std::optional<Value> early = prepare_folder_and_table(folder, control, table)) return *early;

  bool repaired = false;
  for (;;) {
    if (!restore_from_template(folder, table)) return Value(false);
    for (;;) {
      if (!folder.contains(QLatin1Char('\\'))) folder += QLatin1Char('\\');
      control.set_database_name(QString());
      control.set_record_source(QString());
      control.close_database();
      if (control.tag() == QLatin1String("ppl_cmp")) {
        if (is_administration_folder(folder)) read_only = true;
        if (!check_folder_exists(folder)) return Value(false);
      }
      Value result;
      const open_outcome outcome = open_table(folder, control, table, read_only, repaired, result);
      if (outcome == open_outcome::failed) return result;
      if (control.locks_refused()) {
        // The file system takes no locks: the table was opened read-only
        // rather than written unguarded. Told once; with read_only set the
        // openings that follow ask for no lock.
        critical(in_use_message(folder, table));
        read_only = true;
      }
      if (outcome == open_outcome::opened) break;
    }
    if (control.tag() == QLatin1String("acc_cnt")) write_layout_code_and_end(control, folder, table);

    switch (check_opened_table(control, require_records)) {
      case table_state::ready:
        return Value(true);
      case table_state::empty:
        return Value(false);
      case table_state::failed:
        return Value();
      case table_state::damaged:
        control.close_database();
        if (!repaired && repair_from_template(folder, table)) {
          repaired = true;
          continue;
        }
        critical(corrupt_message(folder, table));
        return Value(false);
    }
    return Value();
  }
}

Value open_dbf_table(QString& folder, platform::data_control& control, bool require_records,
                     const QString& table, bool read_only) {
  QString table_name = table;
  return open_dbf_table(folder, control, require_records, table_name, read_only);
}

}  // namespace km
