#include "common/ui/subject_grid.h"

#include "common/file_error_reason.h"
#include "common/file_number_pool.h"
#include "common/open_exp_mrk_control.h"
#include "common/shared_variables.h"
#include "platform/dialogs.h"
#include "platform/numbered_files.h"
#include "platform/value.h"

namespace km {

namespace {

constexpr int subject_grid_cols = 9;

// The record's date as text; a stored date the platform cannot show (a day
// outside the years 100 to 9999, or no number at all) leaves the cell empty.
QString date_cell(const platform::record_buffer& rec) {
  try {
    return rec.get("date").to_text();
  } catch (const platform::value_error&) {
    return QString();
  }
}

QString read_failure_message(const QString& path, const QString& description) {
  if (g_language)
    return QStringLiteral("DIE LE\u00EAR ") + path + QStringLiteral(" KAN NIE GELEES WORD NIE!\r\n") +
           description;
  return QStringLiteral("THE FILE ") + path + QStringLiteral(" CANNOT BE READ!\r\n") + description;
}

}  // namespace

QStringList subject_grid_cells(const platform::record_buffer& rec) {
  return {rec.get_text("grade"),
          rec.get_text("subject"),
          platform::single_text(rec.get_single("subject_total")),
          rec.get_text("class"),
          rec.get_text("second_class"),
          rec.get_text("class_when_blank"),
          QString::number(rec.get_int16("number")),
          rec.get_text("code"),
          date_cell(rec)};
}

void fill_subject_grid(platform::flex_grid& grid) {
  grid.clear();
  grid.set_cols(subject_grid_cols);
  grid.set_fixed_rows(0);
  grid.set_fixed_cols(0);
  grid.set_rows(0);
  try {
    open_exp_mrk_control(QStringLiteral("E_C"), g_data_folder);
    for (g_exp_mrk_control_recno = 1; g_exp_mrk_control_recno <= g_exp_mrk_control_count;
         ++g_exp_mrk_control_recno) {
      platform::get_record(g_exp_mrk_control_file_number, g_exp_mrk_control_recno, g_exp_mrk_control_rec);
      const int row = grid.rows();
      grid.set_rows(row + 1);
      if (platform::val(g_exp_mrk_control_rec.get_text("grade")) > 9)
        g_exp_mrk_control_rec.set_single("subject_total", 100.0f);
      const QStringList cells = subject_grid_cells(g_exp_mrk_control_rec);
      for (int c = 0; c < subject_grid_cols; ++c) grid.set_text_matrix(row, c, cells[c]);
    }
  } catch (const platform::file_error& e) {
    grid.set_rows(0);
    try {
      close_file(g_exp_mrk_control_file_number);
    } catch (const platform::file_error&) {
      // The number is free again.
    }
    platform::message_box(
        read_failure_message(g_data_folder + QStringLiteral("\\exp_mrk_control.txt"), file_error_reason(e)),
        platform::msg_buttons::ok, platform::msg_icon::critical);
  }
}

}  // namespace km
