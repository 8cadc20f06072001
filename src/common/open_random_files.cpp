#include "common/open_random_files.h"

#include <exception>

#include "common/data_drive_check.h"
#include "common/data_file_services.h"
#include "common/file_code_table.h"
#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/record_file_not_ready.h"
#include "common/record_file_opening.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/value.h"

namespace km {

// --- the state of one call --------------------------------------------------

bool opening_call::first_time(const char* step) {
  if (done(step)) return false;
  steps_done.insert(QLatin1String(entry->code) + u'/' + QLatin1String(step));
  return true;
}

bool opening_call::done(const char* step) const {
  return steps_done.contains(QLatin1String(entry->code) + u'/' + QLatin1String(step));
}

QString opening_call::path(const QString& file_name) const { return file_in_folder(folder, file_name); }

double opening_call::year() const { return platform::val(g_year); }

void pass_over_or_rethrow(const opening_call& call) {
  try {
    throw;
  } catch (const platform::program_ended&) {
    throw;
  } catch (const platform::no_dialog_service&) {
    throw;
  } catch (const std::exception&) {
    if (call.errors_reach_caller) throw;
  }
}

bool open_code_file(opening_call& call) {
  const file_code_entry& e = *call.entry;
  *e.number = get_free_file_number(0);
  try {
    platform::open_file(*e.number, call.path(QLatin1String(e.file_name)), platform::open_mode::random,
                        e.record_length);
  } catch (...) {
    // No file to work on: give the number back and leave the code's
    // variables saying so (number 0, no records).
    close_file(*e.number);
    if (e.count != nullptr) *e.count = 0;
    pass_over_or_rethrow(call);
    return false;
  }
  if (!e.school_group) remember_open_file(*e.number, call.folder, call.code);
  return true;
}

void recount(opening_call& call) {
  const file_code_entry& e = *call.entry;
  if (e.count == nullptr) return;
  *e.count = *e.number == 0 ? 0 : record_count_of(platform::lof(*e.number), e.record_length);
}

platform::data_control& bind_table(opening_call& call, const QString& table) {
  platform::data_control& data1 = startup_data_control();
  data1.set_database_name(call.folder);
  data1.set_record_source(table);
  try {
    data1.refresh();
  } catch (const platform::dbf_error&) {
    // A table that is missing or cannot be read leaves the control without
    // a record set; the build is told so by the control itself. This is an
    // expected outcome (rt_dta.dbf is bound whether or not it is there), so
    // it never reaches the caller.
  }
  return data1;
}

QString default_record_folder() { return g_admin_folder + QStringLiteral("\\L") + g_grade + g_year.right(2); }

namespace {

QString folder_missing_message(const QString& folder) {
  if (g_language) return QStringLiteral("DIE GIDS ") + folder + QStringLiteral(" BESTAAN NIE!");
  return QStringLiteral("THE FOLDER ") + folder + QStringLiteral(" DOES NOT EXIST!");
}

// The folder and drive checks; false (after telling the user) when the
// folder is missing. A folder whose drive has gone away is reported as the
// missing drive it is, which ends the program like any missing data drive.
bool folder_checks_pass(const QString& folder, const QString& drive_path) {
  if (!platform::folder_exists(folder)) {
    if (!platform::drive_exists(data_drive_of(folder))) require_data_drive(folder);
    platform::message_box(folder_missing_message(folder), platform::msg_buttons::ok,
                          platform::msg_icon::critical);
    return false;
  }
  require_data_drive(folder);
  require_data_drive(drive_path);
  return true;
}

bool year_allows(int before_year, double year) { return before_year == 0 || year < before_year; }

// The codes a request serves: its own code, or every code for "*". The
// export-control file is left to open_exp_mrk_control, and PI1 is served
// only in years before 2014.
bool served(const file_code_entry& e, const QString& code, double year) {
  const QLatin1String name(e.code);
  if (name == QLatin1String("E_C")) return false;
  if (code != QLatin1String("*") && code != name) return false;
  if (name == QLatin1String("PI1") && !(year < 2014)) return false;
  return true;
}

bool build_due(const opening_call& call) {
  const file_code_entry& e = *call.entry;
  const build_step& b = e.build;
  if (!year_allows(b.before_year, call.year())) return false;
  if (platform::file_exists(call.path(QLatin1String(e.file_name)))) return false;
  if (b.table != nullptr && b.needs_table && !platform::file_exists(call.path(QLatin1String(b.table))))
    return false;
  return true;
}

// Runs a build or an upgrade; false when it could not make the code's file
// (it has told the teacher why), which then stays closed for this call.
template <class Step>
bool run_making_file(opening_call& call, Step&& step) {
  run_guarded(call, [&] {
    try {
      std::forward<Step>(step)();
    } catch (const record_file_not_ready&) {
      call.first_time("not ready");
    }
  });
  return !call.done("not ready");
}

// The memo file a table may have beside it ("k_h_dta.dbf": "k_h_dta.dbt").
QString memo_file_of(const QString& table) {
  const qsizetype dot = table.lastIndexOf(u'.');
  return (dot < 0 ? table : table.left(dot)) + QStringLiteral(".dbt");
}

// The record file of a build from a table stands beside that table, or
// beside its memo file alone: a conversion may have been stopped before it
// had retired them both. The record file of a build from the folder that
// has a finish step stands: that build may have been stopped before it had
// retired its sources (the finish step looks for them).
bool conversion_may_be_unfinished(const opening_call& call) {
  const file_code_entry& e = *call.entry;
  const build_step& b = e.build;
  if ((b.from_table == nullptr && b.finish == nullptr) || !year_allows(b.before_year, call.year()) ||
      !platform::file_exists(call.path(QLatin1String(e.file_name))))
    return false;
  if (b.from_table == nullptr) return true;
  const QString table = QLatin1String(b.table);
  return platform::file_exists(call.path(table)) || platform::file_exists(call.path(memo_file_of(table)));
}

void finish_conversion(opening_call& call) {
  const build_step& b = call.entry->build;
  if (b.from_table == nullptr) {
    run_guarded(call, [&] { (data_files().*b.finish)(call.folder); });
    return;
  }
  platform::data_control& data1 = bind_table(call, QLatin1String(b.table));
  run_guarded(call, [&] {
    data_files().finish_table_conversion(call.folder, QLatin1String(call.entry->code), data1);
  });
  run_guarded(call, [&] { data1.close_database(); });
}

bool run_build(opening_call& call) {
  const build_step& b = call.entry->build;
  if (b.from_folder != nullptr)
    return run_making_file(call, [&] { (data_files().*b.from_folder)(call.folder); });
  platform::data_control& data1 = bind_table(call, QLatin1String(b.table));
  const bool made = run_making_file(call, [&] { (data_files().*b.from_table)(call.folder, data1); });
  // The table is given back, whatever the build left open.
  run_guarded(call, [&] { data1.close_database(); });
  return made;
}

bool run_upgrades(opening_call& call) {
  static const char* const step_names[] = {"upgrade 1", "upgrade 2"};
  for (int i = 0; i < 2; ++i) {
    const upgrade_step& u = call.entry->upgrades[i];
    if (u.run == nullptr || !year_allows(u.before_year, call.year())) continue;
    if (platform::file_exists(call.path(QLatin1String(u.marker)))) continue;
    if (!call.first_time(step_names[i])) continue;
    if (!run_making_file(call, [&] { (data_files().*u.run)(call.folder); })) return false;
  }
  return !call.done("not ready");
}

// Every request for the school record takes a new number. The number the
// school record had before is closed once the new one is open, so repeated
// requests do not leave files open; when the open fails, the school record
// stays as it was.
bool open_school_record(opening_call& call) {
  const file_code_entry& e = *call.entry;
  const std::int16_t previous = g_skl_file_number;
  std::int16_t number = get_free_file_number(0);
  try {
    platform::open_file(number, call.path(QLatin1String(e.file_name)), platform::open_mode::random,
                        e.record_length);
  } catch (...) {
    close_file(number);
    pass_over_or_rethrow(call);
    return false;
  }
  g_skl_file_number = number;
  if (previous != 0 && previous != number) {
    std::int16_t old = previous;
    run_guarded(call, [&] { close_file(old); });
  }
  return true;
}

// Opens the code's file, or finds it already open for this folder and
// code (then rewound to record 1). False when it could not be opened.
bool open_or_reuse(opening_call& call) {
  const file_code_entry& e = *call.entry;
  if (e.number == &g_skl_file_number) return open_school_record(call);
  bool needed = true;
  run_guarded(call, [&] { needed = check_file_open_needed(*e.number, call.folder, call.code); });
  if (!needed) return true;
  if (!run_upgrades(call)) {
    if (e.count != nullptr) *e.count = 0;
    return false;
  }
  return open_code_file(call);
}

// The steps of one code: its own steps before opening, the build, the
// opening with the upgrades, the count and the steps after counting.
step_result run_code(opening_call& call) {
  const file_code_entry& e = *call.entry;
  if (e.record_number_reset != nullptr) *e.record_number_reset = 0;
  if (e.before_open != nullptr && e.before_open(call) == step_result::start_over)
    return step_result::start_over;
  if (e.has_build() && conversion_may_be_unfinished(call) && call.first_time("finish"))
    finish_conversion(call);
  if (e.has_build() && build_due(call) && call.first_time("build")) {
    if (!run_build(call)) {
      if (e.count != nullptr) *e.count = 0;
      return step_result::go_on;
    }
    if (e.build.starts_over) return step_result::start_over;
  }
  // A file that could not be made in this call is not made empty either.
  if (call.done("not ready")) return step_result::go_on;
  if (!open_or_reuse(call)) return step_result::go_on;
  run_guarded(call, [&] { recount(call); });
  return e.after_count != nullptr ? e.after_count(call) : step_result::go_on;
}

}  // namespace

void open_random_files(const QString& code, QString& folder, const std::optional<QString>& drive_path) {
  if (trim_blanks(folder).isEmpty()) folder = default_record_folder();
  if (!folder_checks_pass(folder, drive_path.value_or(folder))) return;

  opening_call call;
  call.code = code;
  call.folder = folder;
  bool again = true;
  while (again) {
    again = false;
    for (const file_code_entry& entry : file_code_table()) {
      if (!served(entry, code, call.year())) continue;
      call.entry = &entry;
      if (run_code(call) == step_result::start_over) {
        again = true;
        break;
      }
      if (code != QLatin1String("*")) return;
    }
  }
}

void open_random_files(const QString& code, QString&& folder, const std::optional<QString>& drive_path) {
  QString own = std::move(folder);
  open_random_files(code, own, drive_path);
}

void open_random_files(const QString& code) {
  QString folder;
  open_random_files(code, folder);
}

}  // namespace km
