#include "markbook/book_print_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "common/file_error_reason.h"
#include "common/file_number_pool.h"
#include "common/idle_clock.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "common/ui/subject_grid.h"
#include "common/ui/window_placement.h"
#include "markbook/book_table.h"
#include "markbook/marks_dbf_record.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dbase/data_control.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/form_timer.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "shell/menu_form.h"
#include "shell/status_labels.h"
#include "shell/window_parts.h"

namespace km {

namespace {

// The list of combinations is at most 5295 twips high, 300 twips a row.
constexpr double list_height_limit = 5295;
constexpr double list_row_twips = 300;

}  // namespace

book_print_form::book_print_form(const QString& name, QWidget* parent) : platform::form(name, parent) {
  auto* column = new QVBoxLayout(this);
  add_window_heading(this, column, QStringLiteral("vak_ops"), {"ops_ops1", "dir_disp"});
  vak_grid_ = new platform::flex_grid_view(QStringLiteral("vak_grid"), this);
  vak_grid_->set_select_whole_rows(true);
  column->addWidget(vak_grid_, 1);
  // The report grid is filled and printed, never shown.
  pnt_grid_ = new platform::flex_grid_view(QStringLiteral("pnt_grid"), this);
  pnt_grid_->hide();
  column->addLayout(make_button_bar(*this, {{"pboek_druk_print", [this] { pboek_druk_print_Click(); }},
                                            {"pboek_druk_exit", [this] { pboek_druk_exit_Click(); }}}));
  pnt_dta_ = new platform::data_control(this);
  pnt_dta_->setObjectName(QStringLiteral("pnt_dta"));

  on_signal(vak_grid_, &platform::flex_grid_view::click, [this] { vak_grid_Click(); });
  on_signal(vak_grid_, &platform::flex_grid_view::key_down, [this](int key, Qt::KeyboardModifiers) {
    if (key == 13) vak_grid_Click();
  });
  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 1000, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
  resize(700, 480);
}

platform::flex_grid& book_print_form::subject_grid() const { return vak_grid_->grid(); }
platform::flex_grid& book_print_form::report_grid() const { return pnt_grid_->grid(); }

void book_print_form::on_load() {
  set_texts();
  show_window_heading(*this);
  set_key_preview(true);
  fill_subject_grid(subject_grid());
  close_file(g_exp_mrk_control_file_number);
  vak_grid_->set_height_twips(get_min_value(platform::Value(list_height_limit),
                                            platform::Value(list_row_twips * subject_grid().rows())));
  Timer1_Timer();
  centre_form(*this);  // once the texts of the language have sized the window
}

void book_print_form::vak_grid_Click() {
  if (subject_grid().rows() == 0 || subject_grid().row() < 0 || prints_handed_list()) return;
  choose_combination(subject_grid().row());
}

bool book_print_form::choose_combination(int row) {
  const platform::flex_grid& list = subject_grid();
  cells_.clear();
  for (int c = 0; c < list.cols(); ++c) cells_ << list.text_matrix(row, c);
  combination_ = row + 1;
  title_ = combination_title(cells_);
  const QString table = marks_table_file(combination_);
  if (pnt_dta_->has_recordset() && pnt_dta_->record_source() == table) return true;
  return open_chosen_book();
}

bool book_print_form::open_chosen_book() {
  const table_opening opened =
      open_book_table(*pnt_dta_, g_data_folder, marks_table_file(combination_), true);
  if (opened.state == table_state::missing) {
    show_critical(in_language(u"3 Sien 'PUNTEBOEK OPSTEL' om punteboek te skep",
                              u"3 See 'MARK BOOK SETUP' to create mark book"));
  } else if (opened.state != table_state::open) {
    show_critical(opened.message);
  } else if (pnt_dta_->recordset().field_count() < marks_dbf_field_count) {
    show_critical(in_language(u"Laai die nuutste kopie van REVIZ-URORU en herskep die ",
                              u"Load the latest copy of REVIZ-URORU and recreate the ") +
                  QStringLiteral("\r") +
                  in_language(u"uitvoerskyf om vir 40 reekse voorsiening te maak ...",
                              u"export disk to allow for 40 mark sets ..."));
  } else {
    return true;
  }
  pnt_dta_->close_database();
  leave_to_menu();
  return false;
}

std::optional<setup_rows> book_print_form::read_chosen_setup() {
  const setup_file_found found = find_setup_file(g_data_folder, cells_);
  if (!found.exists) {
    show_critical(in_language(u"1 Geen reekse opgestel nie ... sien 'PUNTEBOEK OPSTEL'",
                              u"1 No ranges available ... see 'MARK BOOK SETUP'"));
    leave_to_menu();
    return std::nullopt;
  }
  setup_rows rows;
  try {
    rows = read_setup_file(found.win_path).rows;  // a short file prints what it holds
  } catch (const platform::file_error& e) {
    show_critical(found.win_path + QStringLiteral(" (") + file_error_reason(e) + QStringLiteral(")"));
    return std::nullopt;
  }
  g_setup_row_count = 0;
  for (const pboek_setup_line& line : rows)
    if (!trim_blanks(line.task_project).isEmpty()) ++g_setup_row_count;
  return rows;
}

void book_print_form::after_print() {
  vak_grid_->show();
  vak_grid_->setFocus();
  control<QLabel>(QStringLiteral("vak_ops"))->setText(QString());
}

void book_print_form::leave_to_menu() {
  // Opened from the capture window, the window closes back onto it; from
  // the sub-menu, the sub-menu shows again.
  const bool over_capture = platform::find_form(QStringLiteral("pboek_inlees")) != nullptr;
  platform::unload_form(this);
  if (!over_capture) platform::show_form(QStringLiteral("punte_menu2"));
}

void book_print_form::pboek_druk_exit_Click() { leave_to_menu(); }

void book_print_form::request_close() { pboek_druk_exit_Click(); }

void book_print_form::Timer1_Timer() {
  control<QLabel>(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

bool book_print_form::on_key_down(QKeyEvent*) {
  reset_idle_clock();
  return false;
}

}  // namespace km
