#include "markbook/pboek_uitvoer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/file_number_pool.h"
#include "common/idle_clock.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/step_journal.h"
#include "common/text_routines.h"
#include "common/ui/subject_grid.h"
#include "common/ui/window_placement.h"
#include "markbook/mark_export.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "markbook/setup_grid_rows.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/form_timer.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "shell/browse_for_folder.h"
#include "shell/menu_form.h"
#include "shell/status_labels.h"
#include "shell/window_parts.h"

namespace km {

namespace {

using platform::msg_buttons;
using platform::msg_icon;

// In the set-up grid of this window column 0 stays empty, column 1 holds
// the row number and the five cells of a set-up row follow from column 2.
constexpr int name_column = 2;
constexpr int total_column = 3;

}  // namespace

pboek_uitvoer::pboek_uitvoer(QWidget* parent) : platform::form(QStringLiteral("pboek_uitvoer"), parent) {
  build_controls();
}

void pboek_uitvoer::build_controls() {
  auto* column = new QVBoxLayout(this);
  add_window_heading(this, column);

  // The list of combinations and the set-up rows share one place.
  auto* middle = new QGridLayout;
  vak_grid_ = new platform::flex_grid_view(QStringLiteral("vak_grid"), this);
  vak_grid_->set_select_whole_rows(true);
  msflexgrid2_ = new platform::flex_grid_view(QStringLiteral("msflexgrid2"), this);
  msflexgrid2_->set_select_whole_rows(true);
  middle->addWidget(vak_grid_, 0, 0);
  middle->addWidget(msflexgrid2_, 0, 0);
  column->addLayout(middle, 1);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->hide();
  column->addWidget(progress_);

  column->addLayout(make_button_bar(*this, {{"pboek_uitvoer", [this] { pboek_uitvoer_Click(); }},
                                            {"pboek_uitvoer_exit", [this] { pboek_uitvoer_exit_Click(); }}}));

  data1_ = new platform::data_control(this);
  data1_->setObjectName(QStringLiteral("Data1"));
  data2_ = new platform::data_control(this);
  data2_->setObjectName(QStringLiteral("Data2"));
  data3_ = new platform::data_control(this);
  data3_->setObjectName(QStringLiteral("Data3"));
  obe_pnt_ = new platform::data_control(this);
  obe_pnt_->setObjectName(QStringLiteral("obe_pnt"));

  on_signal(vak_grid_, &platform::flex_grid_view::double_click, [this] { vak_grid_DblClick(); });
  on_signal(vak_grid_, &platform::flex_grid_view::key_down, [this](int key, Qt::KeyboardModifiers) {
    if (key == 13) vak_grid_DblClick();
  });
  on_signal(msflexgrid2_, &platform::flex_grid_view::double_click, [this] { msflexgrid2_DblClick(); });

  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 1000, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
  resize(780, 560);
}

platform::flex_grid& pboek_uitvoer::subject_grid() const { return vak_grid_->grid(); }
platform::flex_grid& pboek_uitvoer::setup_grid() const { return msflexgrid2_->grid(); }

void pboek_uitvoer::on_load() {
  centre_form(*this);
  if (!platform::file_exists(platform::join_win_path(g_data_folder, QStringLiteral("Exp_Mrk_control.txt"))) &&
      !platform::file_exists(platform::join_win_path(g_data_folder, QStringLiteral("Exp_Control.dbf")))) {
    show_critical(in_language(u"Daar is geen punteboeke om uit te voer nie ...",
                              u"There are no marks books to export ..."));
    platform::unload_form(this);
    platform::show_form(QStringLiteral("punte_menu2"));
    return;
  }
  finish_interrupted_steps(g_data_folder);
  data2_->set_database_name(g_data_folder);
  set_texts();
  show_window_heading(*this);
  set_key_preview(true);
  msflexgrid2_->hide();
  fill_subject_grid(subject_grid());
  close_file(g_exp_mrk_control_file_number);
  Timer1_Timer();
  centre_form(*this);  // once the texts of the language have sized the window
}

void pboek_uitvoer::set_texts() {
  set_caption(in_language(u"PUNTEBOEK UITVOER", u"MARK BOOK EXPORT"));
  control<QLabel>(QStringLiteral("ops_stelsel"))->setText(caption());
  set_button_texts(this, {{"pboek_uitvoer", u"UITVOER", u"EXPORT", nullptr, nullptr},
                          {"pboek_uitvoer_exit", u"EXIT", u"EXIT", nullptr, nullptr}});
}

void pboek_uitvoer::vak_grid_DblClick() {
  const platform::flex_grid& list = subject_grid();
  const int r = list.row();
  if (list.rows() == 0 || r < 0) return;
  QStringList cells;
  for (int c = 0; c < list.cols(); ++c) cells << list.text_matrix(r, c);
  control<QLabel>(QStringLiteral("vak_ops"))->setText(cells.value(0) + QStringLiteral(" ") + cells.value(1));
  combination_ = r + 1;
  subject_total_ = platform::val(cells.value(2));
  const setup_file_found found = find_setup_file(g_data_folder, cells);
  // Without a set-up file the key is the compact one, as the done message
  // names it.
  setup_key_ =
      found.exists ? found.key : QString(found.key).remove(QLatin1Char('_')).remove(QLatin1Char(' '));
  setup_path_ = found.exists ? found.win_path : QString();
  vak_grid_->hide();  // not shown again while the window is open
  load_setup_rows();
  msflexgrid2_->show();
  msflexgrid2_->raise();
}

void pboek_uitvoer::load_setup_rows() {
  setup_rows rows;
  if (!setup_path_.isEmpty()) {
    try {
      rows = read_setup_file(setup_path_).rows;  // a short file shows what it held
    } catch (const platform::file_error&) {
      // An unreadable file shows empty rows, as a missing one does.
    }
  }
  platform::flex_grid& grid = setup_grid();
  grid.clear();
  grid.set_rows(setup_row_count + 1);
  grid.set_cols(name_column + setup_column_count);
  grid.set_fixed_rows(1);
  grid.set_fixed_cols(0);
  grid.set_format_string(
      in_language(u"UIT|NR.|< TAAK/PROJEK             |^ TOTAAL |^ VERWERK NA |^ UIT TOT |< SIKLUS",
                  u"EXP|NO.|< TASK/PROJECT            |^ TOTAL  |^   RESULT   |^ OUT  OF |< CYCLE "));
  for (int i = 1; i <= setup_row_count; ++i) grid.set_text_matrix(i, 1, QString::number(i));
  put_rows_in_setup_grid(grid, rows, name_column);
  highlight_carried_rows(grid, name_column);
}

void pboek_uitvoer::msflexgrid2_DblClick() {
  const int row = setup_grid().row();
  if (combination_ == 0 || row < 1 || row > setup_row_count) return;  // the heading row holds no task
  chosen_row_ = row;
  task_total_ = platform::val(setup_grid().text_matrix(row, total_column));
  pboek_uitvoer_Click();
}

void pboek_uitvoer::pboek_uitvoer_Click() {
  if (chosen_row_ == 0) {
    platform::message_box(in_language(u"GEEN PUNTEREEKS GESKIES NIE ... DUBBELKLIK OP REEKS OM UIT TE VOER !",
                                      u"NO MARK SERIES SELECTED ... DOUBLE CLICK ON SERIES TO EXPORT  !"),
                          msg_buttons::ok, msg_icon::none);
    return;
  }
  const QString folder = browse_for_folder(this, g_data_folder,
                                           in_language(u"DATA GIDS VIR UITVOER", u"DATA FOLDER FOR EXPORT"));
  if (trim_blanks(folder).isEmpty()) {
    // Cancelled: the data folder stays what it was; only this window goes.
    platform::unload_form(this);
    return;
  }
  g_data_folder = folder;
  control<QLabel>(QStringLiteral("dir_disp"))->setText(g_data_folder);
  const QString name = QStringLiteral("\"") +
                       trim_blanks(setup_grid().text_matrix(chosen_row_, name_column)) + QStringLiteral("\"");
  const auto answer = platform::message_box(
      in_language(QStringLiteral("WIL U DEFNITIEF ") + name + QStringLiteral(" UITVOER ?"),
                  QStringLiteral("DO YOU WISH TO EXPORT ") + name + QStringLiteral(" ?")),
      msg_buttons::yes_no, msg_icon::information);
  if (answer != platform::msg_answer::yes) return;
  run_export();
}

void pboek_uitvoer::run_export() {
  progress_->setRange(0, 0);
  progress_->setValue(0);
  progress_->show();
  mark_export_hooks hooks;
  hooks.progress = [this](qint64 handled, qint64 count) {
    progress_->setMaximum(int(count));
    progress_->setValue(int(handled));
  };
  hooks.before_write = before_write_;
  const mark_export_result result =
      export_mark_row({*data2_, *data3_, *obe_pnt_},
                      {g_data_folder, combination_, chosen_row_, task_total_, subject_total_,
                       trim_blanks(setup_grid().text_matrix(chosen_row_, name_column))},
                      hooks);
  progress_->hide();
  msflexgrid2_->show();
  if (result.outcome != mark_export_outcome::exported) {
    show_critical(result.message);
    return;
  }
  platform::message_box(
      in_language(QStringLiteral("Punte vir ") + setup_key_ + QStringLiteral(" suksesvol uitgevoer ..."),
                  QStringLiteral("Marks for ") + setup_key_ + QStringLiteral(" exported sucessfully ...")),
      msg_buttons::ok, msg_icon::exclamation);
}

void pboek_uitvoer::pboek_uitvoer_exit_Click() {
  platform::unload_form(this);
  platform::show_form(QStringLiteral("punte_menu2"));
}

void pboek_uitvoer::request_close() { pboek_uitvoer_exit_Click(); }

void pboek_uitvoer::Timer1_Timer() {
  control<QLabel>(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

bool pboek_uitvoer::on_key_down(QKeyEvent*) {
  reset_idle_clock();
  return false;
}

}  // namespace km
