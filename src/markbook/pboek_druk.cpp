#include "markbook/pboek_druk.h"

#include <QLabel>

#include "common/combination_cells.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/print_grid.h"
#include "markbook/setup_finder.h"
#include "markbook/task_legend_print.h"
#include "platform/dbase/data_control.h"
#include "platform/dialogs.h"
#include "platform/platform_error.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/value.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "printing/report_pages.h"
#include "shell/window_parts.h"

namespace km {

namespace {

// The first pass shows the task columns of rows 1 to 20, the second those
// of rows 21 to 40 (column = row + 2).
constexpr int last_first_pass_column = 22;

bool names_rows_after_20(const setup_rows& rows) {
  for (int r = 21; r <= setup_row_count; ++r)
    if (!trim_blanks(rows[std::size_t(r - 1)].task_project).isEmpty()) return true;
  return false;
}

void hide_columns(platform::flex_grid& grid, int from, int to) {
  for (int c = from; c <= to && c < grid.cols(); ++c) grid.set_col_width(c, 0);
}

}  // namespace

pboek_druk::pboek_druk(QWidget* parent) : book_print_form(QStringLiteral("pboek_druk"), parent) {}

void pboek_druk::set_texts() {
  set_caption(in_language(u"PUNTEBOEK DRUK", u"MARK BOOK PRINT"));
  control<QLabel>(QStringLiteral("vak_ops"))
      ->setText(merit_mode_ ? in_language(u"DRUK MERIETELYS", u"PRINT MERIT LIST") : caption());
  set_button_texts(this, {{"pboek_druk_print", u"DRUK", u"PRINT", nullptr, nullptr},
                          {"pboek_druk_exit", u"EXIT", u"EXIT", nullptr, nullptr}});
}

QString pboek_druk::combination_title(const QStringList& cells) const {
  return combination_report_title(cells);
}

void pboek_druk::show_merit_list(const platform::flex_grid& merit, const QString& title) {
  merit_mode_ = true;
  merit_grid_.copy_from(merit);
  merit_title_ = title;
  set_texts();
}

void pboek_druk::pboek_druk_print_Click() {
  try {
    if (merit_mode_)
      print_merit_list();
    else
      print_mark_book();
  } catch (const platform::platform_error& e) {
    report_print_error(e);
  }
}

void pboek_druk::print_merit_list() {
  g_excel_file_name = merit_title_;
  g_print_title = merit_title_;
  if (!choose_printer()) return;
  g_print_new_document = true;
  platform::flex_grid& grid = report_grid();
  grid.copy_from(merit_grid_);  // the pages use up their copy
  // The learners' names are never cut: their column takes the width the
  // longest needs.
  print_report_pages(grid, merit_title_, paper_a4_portrait,
                     framed_page_style(continuation_mark::number_first, {1}));
  step_below_report();
  end_print_job(false, false);
}

void pboek_druk::print_mark_book() {
  if (combination() == 0) return;
  g_excel_file_name = in_language(u"PUNTEBOEK ", u"MARK BOOK ") + report_title();
  g_print_title = report_title();
  const std::optional<setup_rows> rows = read_chosen_setup();
  if (!rows || !open_chosen_book()) return;  // the window has told why and closed
  platform::flex_grid& grid = report_grid();
  fill_print_grid(grid, *rows, book().recordset());
  if (!choose_printer()) return;
  g_print_new_document = true;

  hide_columns(grid, last_first_pass_column + 1, grid.cols() - 1);
  print_report_pages(grid, report_title(), paper_a4_landscape);
  print_task_legend(*rows);
  if (names_rows_after_20(*rows)) {
    if (!g_export_excel) platform::printer().new_page();
    g_print_new_document = true;
    fill_print_grid(grid, *rows, book().recordset());
    hide_columns(grid, 2, last_first_pass_column);  // the name column too
    print_report_pages(grid, report_title(), paper_a4_landscape);
    print_task_legend(*rows);
  }
  step_below_report();
  end_print_job(false, false);
  after_print();
}

}  // namespace km
