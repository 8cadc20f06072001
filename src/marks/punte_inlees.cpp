#include "marks/punte_inlees.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/file_number_pool.h"
#include "common/idle_clock.h"
#include "common/language_text.h"
#include "common/open_combinations.h"
#include "common/shared_variables.h"
#include "common/subject_grid.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "common/window_placement.h"
#include "marks/mark_values.h"
#include "marks/marks_messages.h"
#include "marks/marks_table_steps.h"
#include "marks/marks_tables.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/form_timer.h"
#include "platform/ui/click_label.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "printing/print_variables.h"
#include "shell/menu_form.h"
#include "shell/startup.h"
#include "shell/status_labels.h"
#include "shell/user_info.h"
#include "shell/window_parts.h"

namespace km {

namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

// The grid binds the first four fields: number, name, mark and code.
constexpr int bound_fields = 4;
constexpr int mark_field = 2;
constexpr int code_field = 3;
// The subject list is 300 twips a row, at most 5655 twips high.
constexpr int subject_row_twips = 300;
constexpr int subject_list_max_twips = 5655;

}  // namespace

punte_inlees::punte_inlees(QWidget* parent) : platform::form(QStringLiteral("punte_inlees"), parent) {
  build_controls();
}

void punte_inlees::build_controls() {
  auto* column = new QVBoxLayout(this);
  add_window_heading(this, column, QStringLiteral("vak_ops"), {"ops_ops1", "dir_disp", "ops_totale"});

  auto* middle = new QGridLayout;
  vak_grid_ = new platform::flex_grid_view(QStringLiteral("vak_grid"), this);
  vak_grid_->set_select_whole_rows(true);
  pnt_grid_ = new platform::bound_grid(QStringLiteral("pnt_grid"), this);
  middle->addWidget(vak_grid_, 0, 0, Qt::AlignTop);
  middle->addWidget(pnt_grid_, 0, 0);
  pnt_grid_->hide();
  // The hidden helpers: the name order, the clipboard and the mark list.
  pnt_sort_grid_ = new platform::flex_grid_view(QStringLiteral("pnt_sort_grid"), this);
  paste_grid_ = new platform::flex_grid_view(QStringLiteral("paste_grid"), this);
  drk_grid_ = new platform::flex_grid_view(QStringLiteral("drk_grid"), this);
  t_nr_lys_ = new QListWidget(this);
  t_nr_lys_->setObjectName(QStringLiteral("t_nr_lys"));
  for (QWidget* hidden : std::initializer_list<QWidget*>{pnt_sort_grid_, paste_grid_, drk_grid_, t_nr_lys_})
    hidden->hide();
  column->addLayout(middle, 1);

  auto* figures = new QHBoxLayout;
  total_label_ = add_named_label(this, QStringLiteral("punte_inlees_tot"));
  average_label_ = new platform::click_label(QStringLiteral("punte_inlees_gem"), this);
  for (QLabel* l : {total_label_, static_cast<QLabel*>(average_label_)}) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(90);
    figures->addWidget(l);
  }
  on_signal(average_label_, &platform::click_label::clicked, [this] { punte_inlees_gem_Click(); });
  figures->addStretch(1);
  column->addLayout(figures);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->hide();
  column->addWidget(progress_);

  column->addLayout(make_button_bar(*this, {{"marks_save", [this] { marks_save_Click(); }},
                                            {"marks_undo", [this] { marks_undo_Click(); }},
                                            {"marks_print", [this] { marks_print_Click(); }},
                                            {"paste_into_flex", [this] { paste_into_flex_Click(); }},
                                            {"marks_calculator", [this] { marks_calculator_Click(); }},
                                            {"marks_exit", [this] { marks_exit_Click(); }}}));

  pnt_dta_ = new platform::data_control(this);
  pnt_dta_->setObjectName(QStringLiteral("pnt_dta"));
  obe_pnt_ = new platform::data_control(this);
  obe_pnt_->setObjectName(QStringLiteral("obe_pnt"));
  model_ = new platform::recordset_model(*pnt_dta_, this);
  model_->set_validator([this](int row, int col, QString& text) { return validate_cell(row, col, text); });
  model_->set_display([this](int, int col, const QString& stored) {
    return col == mark_field ? shown_mark(stored) : stored;
  });
  connect(model_, &platform::recordset_model::cell_written, this, [this](int, int col) {
    if (col == mark_field) recount_figures();
  });
  connect(model_, &platform::recordset_model::write_failed, this,
          [](int, int, const QString& reason) { show_critical(reason); });
  pnt_grid_->set_model(model_);
  pnt_grid_->set_frozen_columns(2);
  pnt_grid_->set_shown_columns(bound_fields);
  pnt_grid_->set_edit_redirect([](int c) { return c < mark_field ? mark_field : c; });
  pnt_grid_->set_after_commit([this](int r, int c, int key) { return after_commit(r, c, key); });
  connect(pnt_grid_, &platform::bound_grid::head_click, this, [this](int c) { pnt_grid_HeadClick(c); });

  connect(vak_grid_, &platform::flex_grid_view::double_click, this, [this] { vak_grid_DblClick(); });
  connect(vak_grid_, &platform::flex_grid_view::key_down, this, [this](int key, Qt::KeyboardModifiers) {
    if (key == 13) vak_grid_DblClick();
  });

  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 250, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
  // The close box leaves as the log-out does: an open combination is saved.
  refuse_close_box(true, [this] { request_close(); });
  resize(860, 640);
}

platform::flex_grid& punte_inlees::print_grid() const { return drk_grid_->grid(); }

void punte_inlees::set_texts() {
  set_caption(in_language(u"PUNTE INLEES", u"MARKS INPUT"));
  set_button_texts(
      this,
      {{"marks_calculator", u"SAKREKENAAR", u"CALCULATOR", u" Gebruik SAKREKENAAR ", u" Use CALCULATOR "},
       {"marks_undo", u"UNDO", u"UNDO", u" 'UNDO' = Herstel punte soos voor veranderings ",
        u" UNDO = Reset marks to before changes "},
       {"marks_save", u"SKRYF", u"WRITE", u" SKRYF = Stoor punte in punteleêrs ",
        u" WRITE = Store marks to file "},
       {"marks_print", u"DRUK", u"PRINT", u" DRUK = Druk 'n Puntelys ", u" PRINT = Print a Mark list "},
       {"paste_into_flex", u"'PASTE'", u"'PASTE'", nullptr, nullptr},
       {"marks_exit", u"EXIT", u"EXIT", u"EXIT", u"EXIT"}});
  average_label_->setToolTip(
      in_language(u" Doen VERSKALINGS (punte aanpassing volgens gemiddeld verskaf) ... ",
                  u" Do SCALING (marks adjusted according to given average) ... "));
}

void punte_inlees::on_load() {
  centre_form(*this);
  control<QLabel>(QStringLiteral("dir_disp"))->setText(g_data_folder);
  set_texts();
  control<QLabel>(QStringLiteral("ops_ops1"))
      ->setText(g_school_name == maker_test_school ? caption() : g_school_name);
  control<QLabel>(QStringLiteral("vak_ops"))->setText(caption());
  control<QLabel>(QStringLiteral("prg_version"))->setText(show_status_labels(*this));
  pnt_dta_->set_database_name(g_data_folder);
  obe_pnt_->set_database_name(g_data_folder);
  list_printed_ = false;
  g_print_new_document = true;
  fill_subject_grid(vak_grid_->grid());
  close_file(g_exp_mrk_control_file_number);
  const int rows = vak_grid_->grid().rows();
  vak_grid_->setFixedHeight(
      platform::twips_to_pixels(std::min(subject_row_twips * std::max(rows, 1), subject_list_max_twips)));
  vak_grid_->raise();
  show_subject_list();

  // The data folder goes into user_info.txt, the list settings kept. A
  // folder that cannot be written is passed over.
  const QString info_path = platform::join_win_path(g_data_folder, user_info_file_name);
  user_info_values values;
  values.data_folder = g_data_folder;
  if (const std::optional<user_info_read> read = read_user_info(info_path)) {
    values.effort_key_list = read->effort_key_list.value_or(1);
    values.formative_list = read->formative_list.value_or(1);
  }
  (void)write_user_info(values, info_path);
  Timer1_Timer();
}

void punte_inlees::on_unload() {
  // A window dropped without its save leaves the table as it stands: every
  // accepted mark is already written relative to the subject total.
  if (open_) unregister_open(open_kind::combination, g_data_folder, combination_);
  open_ = false;
  pnt_dta_->close_database();
  obe_pnt_->close_database();
}

void punte_inlees::vak_grid_DblClick() {
  if (vak_grid_->grid().rows() == 0 || open_) return;
  subject_row_ = vak_grid_->grid().row();
  choose_subject(subject_row_);
}

void punte_inlees::choose_subject(int row) {
  const platform::flex_grid& list = vak_grid_->grid();
  subject_cells_.clear();
  for (int c = 0; c < list.cols(); ++c) subject_cells_ << list.text_matrix(row, c);
  control<QLabel>(QStringLiteral("vak_ops"))
      ->setText(subject_cells_.value(0) + QStringLiteral(" ") + subject_cells_.value(1));
  subject_total_ = platform::val(subject_cells_.value(2));
  input_total_ = subject_total_;
  const int n = row + 1;
  table_name_ = cycle_table_name(n);
  backup_name_ = cycle_backup_name(n);
  if (!platform::file_exists(platform::join_win_path(g_data_folder, table_name_))) {
    platform::beep();
    return;
  }
  if (is_open(open_kind::combination, g_data_folder, n)) {
    show_critical(combination_open_message());
    return;
  }

  // The input total: empty or Cancel keep the subject total; anything but a
  // plain number above 0 is asked again.
  for (;;) {
    const platform::input_answer answer = platform::input_box(
        input_total_prompt(plain_number(subject_total_)), QString(), plain_number(subject_total_));
    if (idle_log_out_pending()) return;  // dismissed by the log-out, not answered
    if (const std::optional<double> total =
            input_total_answer(answer.text, answer.cancelled, subject_total_)) {
      input_total_ = *total;
      break;
    }
    platform::beep();
  }
  control<QLabel>(QStringLiteral("ops_totale"))
      ->setText(plain_number(subject_total_) + QStringLiteral(" -- ") + plain_number(input_total_));

  if (!open_cycle_table()) return;
  const table_step backup = make_backup(g_data_folder, table_name_, backup_name_);
  if (!backup.ok) {
    pnt_dta_->close_database();
    show_critical(backup.message);
    return;
  }
  obe_pnt_->set_database_name(g_data_folder);
  obe_pnt_->set_record_source(obe_table_name(n));
  if (pnt_dta_->recordset().record_count() == 0) {
    pnt_dta_->close_database();
    return;
  }
  combination_ = n;
  clear_figures();
  if (input_total_ != subject_total_)
    platform::message_box(converting_message(plain_number(subject_total_), plain_number(input_total_)),
                          msg_buttons::ok, msg_icon::exclamation);
  with_effort_keys_ = platform::message_box(effort_keys_question(), msg_buttons::yes_no) == msg_answer::yes;
  vak_grid_->hide();
  if (!prepare_capture()) show_subject_list();
}

bool punte_inlees::open_cycle_table() {
  pnt_dta_->set_database_name(g_data_folder);
  pnt_dta_->set_record_source(table_name_);
  try {
    pnt_dta_->refresh();
  } catch (const platform::dbf_error& e) {
    show_critical(table_failure_message(g_data_folder, table_name_, e));
    return false;
  }
  if (pnt_dta_->recordset().field_count() < bound_fields) {
    pnt_dta_->close_database();
    show_critical(too_few_fields_message(table_name_));
    return false;
  }
  return true;
}

bool punte_inlees::prepare_capture() {
  progress_->setRange(0, int(std::max<qint64>(pnt_dta_->recordset().record_count(), 1)));
  progress_->setValue(0);
  progress_->show();
  const sort_result sorted = sort_table_by_name(*pnt_dta_, pnt_sort_grid_->grid(), field_ref::at(1),
                                                [this](int done, int) { progress_->setValue(done); });
  progress_->hide();
  if (!sorted.ok) {
    show_critical(sorted.message);
    return false;
  }
  if (!pnt_dta_->has_recordset()) return false;
  open_ = true;
  register_open(open_kind::combination, g_data_folder, combination_);
  apply_column_layout();
  recount_figures();
  for (const char* name : {"marks_save", "marks_undo", "marks_print", "paste_into_flex"})
    control<QPushButton>(QLatin1String(name))->setEnabled(true);
  return true;
}

void punte_inlees::apply_column_layout() {
  pnt_grid_->show();
  pnt_grid_->raise();
  model_->rebind();
  model_->set_header_caption(0, in_language(u"T-NR", u"A-NO"));
  model_->set_header_caption(1, in_language(u"LEERDER", u"LEARNER"));
  model_->set_header_caption(
      mark_field, in_language(u"PUNT(", u"MARK(") + plain_number(input_total_) + QStringLiteral(")"));
  model_->set_header_caption(code_field, in_language(u"PS/VO", u"EK/SR"));
  model_->set_column_alignment(mark_field, Qt::AlignRight | Qt::AlignVCenter);
  const int widths[bound_fields] = {1000, 6000, 1100, 800};
  // A heading that needs more room than its column has widens it.
  for (int c = 0; c < bound_fields; ++c)
    pnt_grid_->set_column_width(c, std::max(widths[c], pnt_grid_->heading_width_twips(c)));
  pnt_grid_->set_current(0, mark_field);
  pnt_grid_->current_view()->setFocus();
}

QString punte_inlees::shown_mark(const QString& stored) const {
  if (!open_ || input_total_ == subject_total_) return stored;
  return mark_to_input_total(stored, subject_total_, input_total_);
}

QString punte_inlees::stored_mark(const QString& shown) const {
  if (!open_ || input_total_ == subject_total_) return shown;
  return mark_to_subject_total(shown, input_total_, subject_total_);
}

void punte_inlees::clear_figures() {
  marks_sum_ = 0;
  marks_count_ = 0;
  average_percent_ = 0;
  total_label_->clear();
  average_label_->clear();
}

void punte_inlees::recount_figures() {
  marks_sum_ = 0;
  marks_count_ = 0;
  if (pnt_dta_->has_recordset()) {
    const platform::recordset& rs = pnt_dta_->recordset();
    for (qint64 p = 0; p < rs.record_count(); ++p) {
      const QString mark = shown_mark(platform::recordset_model::cell_text(rs.value_at(p, mark_field)));
      if (is_uncounted_mark(mark)) continue;
      marks_sum_ += platform::val(trim_blanks(mark));
      ++marks_count_;
    }
  }
  const average_figures figures = compute_average(marks_sum_, marks_count_, input_total_);
  if (figures.total_label) total_label_->setText(*figures.total_label);
  if (figures.average_label) average_label_->setText(*figures.average_label);
  if (figures.average_percent) average_percent_ = *figures.average_percent;
  model_->refresh_cells();
}

bool punte_inlees::validate_cell(int row, int column, QString& text) {
  if (column != mark_field) return true;  // the code column is stored as typed
  const typed_mark typed = check_typed_mark(text, input_total_);
  if (!typed.accepted) {
    platform::beep();
    platform::message_box(mark_refusal_message(plain_number(input_total_)));
    return false;
  }
  const platform::recordset& rs = pnt_dta_->recordset();
  const QString stored = platform::recordset_model::cell_text(rs.value_at(row, mark_field));
  const QString shown = shown_mark(stored);
  // A mark typed as it shows is no change: the stored text stays byte for
  // byte, not converted back from its rounded form.
  if (stored != shown && typed.number && !is_uncounted_mark(shown) &&
      mark_text(platform::val(trim_blanks(shown))) == typed.stored) {
    text = stored;
    return true;
  }
  const QString to_store = stored_mark(typed.stored);
  if (to_store.size() > rs.field_size(mark_field)) {
    show_critical(mark_does_not_fit_message(to_store, rs.field_name(mark_field)));
    return false;
  }
  text = to_store;
  return true;
}

bool punte_inlees::after_commit(int row, int column, int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  if (column == mark_field && with_effort_keys_) {
    pnt_grid_->set_current(row, code_field);
    return true;
  }
  const int last = int(pnt_dta_->recordset().record_count()) - 1;
  pnt_grid_->set_current(row < last ? row + 1 : row, mark_field);
  return true;
}

bool punte_inlees::finish_edit() { return !pnt_grid_->editing() || pnt_grid_->commit_edit(); }

void punte_inlees::pnt_grid_HeadClick(int column) {
  if (column != mark_field || !open_ || !finish_edit()) return;
  print_mark_list(true, input_total_);
}

void punte_inlees::Timer1_Timer() {
  control<QLabel>(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

bool punte_inlees::on_key_down(QKeyEvent*) {
  reset_idle_clock();
  return false;
}

void punte_inlees::show_subject_list() {
  open_ = false;
  // Nothing is left to save, undo, print or paste until the next choice.
  for (const char* name : {"marks_save", "marks_undo", "marks_print", "paste_into_flex"})
    control<QPushButton>(QLatin1String(name))->setEnabled(false);
  pnt_grid_->hide();
  vak_grid_->show();
  vak_grid_->raise();
  vak_grid_->setFocus();
}

void punte_inlees::request_close() {
  if (open_) {
    if (!finish_edit()) pnt_grid_->cancel_edit();  // a refused text cannot wait for a teacher who left
    save_marks();
  }
  platform::unload_form(this);
  platform::show_form(QStringLiteral("punte_menu1"));
}

}  // namespace km
