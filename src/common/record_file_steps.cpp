// The steps of particular file codes, before their file is opened and after
// it is counted.

#include "common/data_file_services.h"
#include "common/file_number_pool.h"
#include "common/record_file_layouts.h"
#include "common/record_file_opening.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "platform/dbase/data_control.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/record_layout.h"

namespace km {

namespace {

constexpr int pi11_limit_year = 2016;  // from this year on an empty PI11 takes last year's set-up
constexpr int hwk_limit_year = 2016;   // before it an empty code file is filled from text files
constexpr int s_b_limit_year = 2015;   // after it a large sb_random.txt is moved aside
constexpr std::int32_t ppladd_most_records = 2000;
constexpr std::int32_t pi4vh_most_records = 50;
constexpr std::int32_t s_b_most_records = 2000;
constexpr std::int32_t prmprom_most_records = 10;

qint64 open_length(const opening_call& call) { return platform::lof(*call.entry->number); }

bool open_file_is_empty(opening_call& call) {
  bool empty = false;
  run_guarded(call, [&] { empty = open_length(call) == 0; });
  return empty;
}

}  // namespace

// rt_random.txt is never reused: a present file is closed, and deleted when
// it holds nothing, so that the build below may make it again.
step_result rt_before_open(opening_call& call) {
  const QString rt = call.path(QLatin1String(call.entry->file_name));
  if (!platform::file_exists(rt)) return step_result::go_on;
  run_guarded(call, [&] { close_file(*call.entry->number); });
  run_guarded(call, [&] {
    if (platform::file_length(rt) == 0) platform::delete_file(rt, true);
  });
  return step_result::go_on;
}

// A missing weights file is first looked for in last year's folder.
step_result pi3_before_open(opening_call& call) {
  if (!platform::file_exists(call.path(QLatin1String(call.entry->file_name))) &&
      call.first_time("previous year")) {
    run_guarded(call, [&] { data_files().copy_previous_year_setup(call.folder); });
  }
  return step_result::go_on;
}

// An empty file gets a blank record 1: texts blank, everything else zero.
step_result blank_first_record(opening_call& call) {
  if (!open_file_is_empty(call)) return step_result::go_on;
  run_guarded(call, [&] {
    platform::record_buffer record(*call.entry->layout);
    record.blank();
    platform::put_record(*call.entry->number, 1, record);
  });
  return step_result::go_on;
}

// An empty e-mail file gets record 1 with its five e-mail slots empty.
step_result sklepos_after_count(opening_call& call) {
  if (!open_file_is_empty(call)) return step_result::go_on;
  run_guarded(call, [&] {
    platform::record_buffer record(skl_epos_record);
    for (const char* slot_array :
         {"SE_EMAIL_SERVER", "SE_EMAIL_ADDRESS", "SE_EMAIL_USERNAME", "SE_EMAIL_PASSWORD"}) {
      for (int i = 1; i <= 5; ++i) record.set_text(slot_array, QString(), i);
    }
    platform::put_record(*call.entry->number, 1, record);
  });
  return step_result::go_on;
}

step_result ppladd_after_count(opening_call& call) {
  if (g_ppladd_record_count <= ppladd_most_records || !call.first_time("rebuild")) return step_result::go_on;
  run_guarded(call, [&] { data_files().upgrade_ppl_add(call.folder); });
  platform::message_box(QStringLiteral("?"), platform::msg_buttons::ok, platform::msg_icon::none);
  return step_result::start_over;
}

step_result pi11_after_count(opening_call& call) {
  if (g_pi11_record_count == 0) {
    if (call.year() < pi11_limit_year) {
      if (platform::file_exists(call.path(QStringLiteral("pi1_random.txt"))) && call.first_time("from pi1")) {
        run_guarded(call, [&] { data_files().upgrade_pi1_to_pi11(call.folder); });
        return step_result::start_over;
      }
    } else if (++call.retry_count == 1) {
      run_guarded(call, [] { close_file(g_pi11_file_number); });
      run_guarded(call, [&] { data_files().copy_previous_year_setup(call.folder); });
      return step_result::start_over;
    }
  }
  run_guarded(call, [] { data_files().fix_pi11_adj_ana(); });
  run_guarded(call, [] { data_files().fix_pi11_zero_weights(); });
  return step_result::go_on;
}

step_result pi1sma_after_count(opening_call& call) {
  run_guarded(call, [] { platform::get_record(g_pi1sma_file_number, 1, g_pi1sma_rec); });
  return step_result::go_on;
}

step_result pi2_after_count(opening_call& call) {
  if (g_pi2_record_count == 0 && call.first_time("defaults")) {
    run_guarded(call, [] { data_files().fill_default_pi2_symbols(); });
    run_guarded(call, [&] { recount(call); });
  }
  return step_result::go_on;
}

step_result psmb_after_count(opening_call& call) {
  if (g_psmb_record_count == 0 && call.first_time("defaults")) {
    run_guarded(call, [] { data_files().fill_default_psmb_symbols(); });
    run_guarded(call, [&] { recount(call); });
  }
  return step_result::go_on;
}

// An empty weights file takes last year's set-up (once per call, shared
// with PI11 and SBI). Then every record whose weight is 0 takes its weight
// from the older 16-bit field; other records are not written.
step_result pi3_after_count(opening_call& call) {
  if (g_pi3_record_count == 0 && ++call.retry_count == 1) {
    run_guarded(call, [] { close_file(g_pi3_file_number); });
    run_guarded(call, [&] { data_files().copy_previous_year_setup(call.folder); });
    return step_result::start_over;
  }
  for (g_pi3_recno = 1; g_pi3_recno <= g_pi3_record_count; ++g_pi3_recno) {
    run_guarded(call, [] {
      platform::get_record(g_pi3_file_number, g_pi3_recno, g_pi3_rec);
      if (g_pi3_rec.get_single("PI3_WEIGHT") != 0.0F) return;
      g_pi3_rec.set_single("PI3_WEIGHT", static_cast<float>(g_pi3_rec.get_int16("PI3_WEIGHT_OLD")));
      platform::put_record(g_pi3_file_number, g_pi3_recno, g_pi3_rec);
    });
  }
  return step_result::go_on;
}

// Both the weights file and the outcome-values file open and holding
// records, in differing numbers.
step_result pi5_after_count(opening_call& call) {
  const bool both_open = platform::is_numbered_file_open(g_pi3_file_number) &&
                         platform::is_numbered_file_open(g_pi5_file_number);
  if (both_open && g_pi3_record_count > 0 && g_pi5_record_count > 0 &&
      g_pi3_record_count != g_pi5_record_count)
    run_guarded(call, [] { data_files().upgrade_pi5(); });
  return step_result::go_on;
}

step_result pi4vh_after_count(opening_call& call) {
  if (g_pi4vh_record_count <= pi4vh_most_records || !call.first_time("rebuild")) return step_result::go_on;
  run_guarded(call, [&] { data_files().upgrade_pi4_vh(call.folder); });
  return step_result::start_over;
}

// A promotion-settings file with no record or more than 10 is made again
// with its default record, in the folder being opened. A file that holds
// anything is kept in the folder's save folder. From here on failures of
// this call reach the caller.
step_result prmprom_after_count(opening_call& call) {
  const std::int32_t count = g_prmprom_record_count;
  if ((count != 0 && count <= prmprom_most_records) || !call.first_time("rebuild")) return step_result::go_on;
  run_guarded(call, [] { close_file(g_prmprom_file_number); });
  const bool removed =
      run_guarded(call, [&] { remove_keeping_copy(call.folder, QLatin1String(call.entry->file_name)); });
  if (removed) {
    run_guarded(call, [&] { data_files().create_prm_prom_random(call.folder); });
    call.errors_reach_caller = true;
  }
  return step_result::start_over;
}

step_result hwk_after_count(opening_call& call) {
  if (call.year() >= hwk_limit_year || g_hwk_record_count != 0 || !call.first_time("build codes"))
    return step_result::go_on;
  run_guarded(call, [&] { data_files().create_hw_kodes_random(call.folder); });
  return step_result::start_over;
}

// After 2015 a behaviour file of more than 2000 records is taken out of the
// folder into its save folder (never simply deleted); the request starts
// over with a new, empty file. From here on failures of this call reach the
// caller. When the move fails the file stays and is opened again.
step_result s_b_after_count(opening_call& call) {
  if (!(call.year() > s_b_limit_year) || g_s_b_record_count <= s_b_most_records ||
      !call.first_time("move aside"))
    return step_result::go_on;
  run_guarded(call, [] { close_file(g_s_b_file_number); });
  if (run_guarded(call, [&] { move_into_save_folder(call.folder, QLatin1String(call.entry->file_name)); }))
    call.errors_reach_caller = true;
  return step_result::start_over;
}

// An empty sbi_random.txt is built from sbi_kde.dbf when that table holds
// records (once per call, shared with PI11 and PI3).
step_result sbi_after_count(opening_call& call) {
  if (g_sbi_record_count != 0 || ++call.retry_count != 1) return step_result::go_on;
  const QString table = QStringLiteral("sbi_kde.dbf");
  if (!platform::file_exists(call.path(table))) return step_result::go_on;
  platform::data_control& data1 = bind_table(call, table);
  if (data1.has_recordset() && data1.recordset().record_count() > 0)
    run_guarded(call, [&] { data_files().create_sbi_random(call.folder, data1); });
  run_guarded(call, [&] { data1.close_database(); });
  return step_result::start_over;
}

}  // namespace km
