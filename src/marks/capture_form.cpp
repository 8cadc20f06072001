#include "marks/capture_form.h"

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
#include "common/mark_columns.h"
#include "common/open_combinations.h"
#include "common/shared_variables.h"
#include "common/step_journal.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "common/ui/subject_grid.h"
#include "common/ui/window_placement.h"
#include "marks/mark_values.h"
#include "marks/marks_messages.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/form_timer.h"
#include "platform/ui/click_label.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "printing/print_variables.h"
#include "shell/menu_form.h"
#include "shell/startup.h"
#include "shell/status_labels.h"
#include "shell/window_parts.h"

namespace km {

namespace {

// The subject list is 300 twips a row, at most 5655 twips high.
constexpr int subject_row_twips = 300;
constexpr int subject_list_max_twips = 5655;

const char* const capture_commands[] = {"marks_save", "marks_undo", "marks_print", "paste_into_flex"};

// Two marks in the grid's terms that say the same: the same letter or
// blank, or numbers that show alike.
bool same_mark(const QString& a, const QString& b) {
  if (is_uncounted_mark(a) || is_uncounted_mark(b)) return trim_blanks(a) == trim_blanks(b);
  return mark_text(platform::val(trim_blanks(a))) == mark_text(platform::val(trim_blanks(b)));
}

}  // namespace

capture_form::capture_form(const QString& name, const QString& captured, const QString& other,
                           QWidget* parent)
    : platform::form(name, parent) {
  vak_grid_ = new platform::flex_grid_view(QStringLiteral("vak_grid"), this);
  vak_grid_->set_select_whole_rows(true);
  pnt_grid_ = new platform::bound_grid(QStringLiteral("pnt_grid"), this);
  pnt_grid_->hide();
  // The hidden helpers: the name order, the clipboard and the mark list.
  pnt_sort_grid_ = new platform::flex_grid_view(QStringLiteral("pnt_sort_grid"), this);
  paste_grid_ = new platform::flex_grid_view(QStringLiteral("paste_grid"), this);
  drk_grid_ = new platform::flex_grid_view(QStringLiteral("drk_grid"), this);
  t_nr_lys_ = new QListWidget(this);
  t_nr_lys_->setObjectName(QStringLiteral("t_nr_lys"));
  for (QWidget* hidden : std::initializer_list<QWidget*>{pnt_sort_grid_, paste_grid_, drk_grid_, t_nr_lys_})
    hidden->hide();
  total_label_ = add_named_label(this, QStringLiteral("punte_inlees_tot"));
  average_label_ = new platform::click_label(QStringLiteral("punte_inlees_gem"), this);
  on_signal(average_label_, &platform::click_label::clicked, [this] { punte_inlees_gem_Click(); });
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->hide();

  captured_ = new platform::data_control(this);
  captured_->setObjectName(captured);
  other_ = new platform::data_control(this);
  other_->setObjectName(other);
  model_ = new platform::recordset_model(*captured_, this);
  model_->set_display([this](int, int col, const QString& stored) {
    return col == mark_column ? shown_mark(stored) : stored;
  });
  on_signal(model_, &platform::recordset_model::cell_written, [this](int, int col) {
    if (col == mark_column) recount_figures();
  });
  on_signal(model_, &platform::recordset_model::write_failed,
            [](int, int, const QString& reason, int) { show_critical(reason); });
  pnt_grid_->set_model(model_);
  pnt_grid_->set_frozen_columns(2);

  on_signal(vak_grid_, &platform::flex_grid_view::double_click, [this] { vak_grid_DblClick(); });
  on_signal(vak_grid_, &platform::flex_grid_view::key_down, [this](int key, Qt::KeyboardModifiers) {
    if (key == 13) vak_grid_DblClick();
  });
  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 250, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
  // The close box leaves as the log-out does: an open combination is saved.
  refuse_close_box(true, [this] { request_close(); });
}

void capture_form::lay_out_middle(QVBoxLayout* column) {
  middle_ = new QGridLayout;
  middle_->addWidget(vak_grid_, 0, 0, Qt::AlignTop);
  middle_->addWidget(pnt_grid_, 0, 0);
  column->addLayout(middle_, 1);
  auto* figures = new QHBoxLayout;
  for (QLabel* l : {total_label_, static_cast<QLabel*>(average_label_)}) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(90);
    figures->addWidget(l);
  }
  figures->addStretch(1);
  column->addLayout(figures);
  column->addWidget(progress_);
}

void capture_form::add_capture_buttons(QVBoxLayout* column, std::function<void()> print,
                                       std::function<void()> paste) {
  column->addLayout(make_button_bar(*this, {{"marks_save", [this] { marks_save_Click(); }},
                                            {"marks_undo", [this] { marks_undo_Click(); }},
                                            {"marks_print", std::move(print)},
                                            {"paste_into_flex", std::move(paste)},
                                            {"marks_calculator", [this] { marks_calculator_Click(); }},
                                            {"marks_exit", [this] { marks_exit_Click(); }}}));
}

platform::flex_grid& capture_form::print_grid() const { return drk_grid_->grid(); }

platform::recordset& capture_form::captured_set() const { return captured_->recordset(); }

void capture_form::load_common(const QString& caption) {
  centre_form(*this);
  control<QLabel>(QStringLiteral("dir_disp"))->setText(g_data_folder);
  control<QLabel>(QStringLiteral("ops_ops1"))
      ->setText(g_school_name == maker_test_school ? caption : g_school_name);
  control<QLabel>(QStringLiteral("prg_version"))->setText(show_status_labels(*this));
  captured_->set_database_name(g_data_folder);
  other_->set_database_name(g_data_folder);
  list_printed_ = false;
  g_print_new_document = true;
  fill_subject_grid(vak_grid_->grid());
  close_file(g_exp_mrk_control_file_number);
  const int rows = vak_grid_->grid().rows();
  vak_grid_->setFixedHeight(
      platform::twips_to_pixels(std::min(subject_row_twips * std::max(rows, 1), subject_list_max_twips)));
  show_subject_list();
  Timer1_Timer();
}

void capture_form::vak_grid_DblClick() {
  if (vak_grid_->grid().rows() == 0 || open_) return;
  subject_row_ = vak_grid_->grid().row();
  choose_subject(subject_row_);
}

void capture_form::take_subject_row(int row) {
  const platform::flex_grid& list = vak_grid_->grid();
  subject_cells_.clear();
  for (int c = 0; c < list.cols(); ++c) subject_cells_ << list.text_matrix(row, c);
  control<QLabel>(QStringLiteral("vak_ops"))
      ->setText(subject_cells_.value(0) + QStringLiteral(" ") + subject_cells_.value(1));
  subject_total_ = platform::val(subject_cells_.value(2));
  input_total_ = subject_total_;
  combination_ = row + 1;
}

bool capture_form::ask_input_total(const QString& prompt) {
  for (;;) {
    const platform::input_answer answer =
        platform::input_box(prompt, QString(), plain_number(subject_total_));
    if (idle_log_out_pending()) return false;  // dismissed by the log-out, not answered
    if (const std::optional<double> total =
            input_total_answer(answer.text, answer.cancelled, subject_total_)) {
      input_total_ = *total;
      return true;
    }
    platform::beep();
  }
}

bool capture_form::open_table(platform::data_control& control, const QString& table, int least_fields) {
  finish_interrupted_steps(g_data_folder);  // an export or move a crash stopped
  control.set_database_name(g_data_folder);
  control.set_record_source(table);
  try {
    control.refresh();
  } catch (const platform::dbf_error& e) {
    show_critical(table_failure_message(g_data_folder, table, e));
    return false;
  }
  if (control.recordset().field_count() < least_fields) {
    control.close_database();
    show_critical(too_few_fields_message(table));
    return false;
  }
  return true;
}

bool capture_form::open_with_backup(int least_fields) {
  if (!open_table(*captured_, table_name_, least_fields)) return false;
  const table_step backup = make_backup(g_data_folder, table_name_, backup_name_);
  if (!backup.ok) {
    captured_->close_database();
    show_critical(backup.message);
    return false;
  }
  if (captured_set().record_count() == 0) {
    captured_->close_database();  // an empty table: nothing to capture
    return false;
  }
  return true;
}

bool capture_form::sort_captured_table() {
  progress_->setRange(0, int(std::max<qint64>(captured_set().record_count(), 1)));
  progress_->setValue(0);
  progress_->show();
  const sort_result sorted = sort_table_by_name(*captured_, pnt_sort_grid_->grid(), field_ref::at(1),
                                                [this](int done, int) { progress_->setValue(done); });
  progress_->hide();
  if (!sorted.ok) show_critical(sorted.message);
  return sorted.ok && captured_->has_recordset();
}

void capture_form::begin_capture() {
  open_ = true;
  register_open(open_kind::combination, g_data_folder, combination_);
  for (const char* name : capture_commands) control<QPushButton>(QLatin1String(name))->setEnabled(true);
}

bool capture_form::converting() const { return subject_total_ > 0 && input_total_ != subject_total_; }

QString capture_form::shown_mark(const QString& stored) const {
  if (!open_ || !converting()) return stored;
  return mark_to_input_total(stored, subject_total_, input_total_);
}

QString capture_form::stored_mark(const QString& shown) const {
  if (!open_ || !converting()) return shown;
  return mark_to_subject_total(shown, input_total_, subject_total_);
}

QString capture_form::mark_at(qint64 position) const {
  return shown_mark(platform::recordset_model::cell_text(captured_set().value_at(position, mark_column)));
}

void capture_form::clear_figures() {
  marks_sum_ = 0;
  marks_count_ = 0;
  average_percent_ = 0;
  total_label_->clear();
  average_label_->clear();
}

void capture_form::recount_figures() {
  marks_sum_ = 0;
  marks_count_ = 0;
  if (captured_->has_recordset()) {
    for (qint64 p = 0; p < captured_set().record_count(); ++p) {
      const QString mark = mark_at(p);
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

bool capture_form::validate_mark(int row, QString& text) {
  const typed_mark typed = check_typed_mark(text, input_total_);
  if (!typed.accepted) {
    platform::beep();
    platform::message_box(mark_refusal_message(plain_number(input_total_)));
    return false;
  }
  const platform::recordset& rs = captured_set();
  const QString stored = platform::recordset_model::cell_text(rs.value_at(row, mark_column));
  const QString shown = shown_mark(stored);
  // A mark typed as it shows is no change: the stored text stays byte for
  // byte, not converted back from its rounded form.
  if (stored != shown && typed.number && !is_uncounted_mark(shown) &&
      mark_text(platform::val(trim_blanks(shown))) == typed.stored) {
    text = stored;
    return true;
  }
  const QString to_store = stored_mark(typed.stored);
  if (to_store.size() > rs.field_size(mark_column)) {
    show_critical(mark_does_not_fit_message(to_store, rs.field_name(mark_column)));
    return false;
  }
  text = to_store;
  return true;
}

bool capture_form::finish_edit() { return !pnt_grid_->editing() || pnt_grid_->commit_edit(); }

bool capture_form::write_marks(const std::vector<std::optional<QString>>& shown) {
  platform::recordset& rs = captured_set();
  std::vector<std::optional<QString>> stored(shown.size());
  for (std::size_t i = 0; i < shown.size() && qint64(i) < rs.record_count(); ++i) {
    if (!shown[i]) continue;
    // A mark that comes out as it shows keeps its stored text.
    if (converting() && same_mark(*shown[i], mark_at(qint64(i)))) continue;
    stored[i] = stored_mark(*shown[i]);
  }
  const table_step written = write_mark_column(rs, field_ref::at(mark_column), stored);
  if (!written.ok) show_critical(written.message);
  recount_figures();
  return written.ok;
}

void capture_form::punte_inlees_gem_Click() { scale_marks(); }

void capture_form::scale_marks() {
  if (!open_ || !finish_edit() || !(input_total_ > 0)) return;
  const platform::input_answer answer =
      platform::input_box(scaling_text(average_percent_), QString(), plain_number(average_percent_));
  const std::optional<double> wanted = new_average_answer(answer.text, answer.cancelled);
  if (!wanted || *wanted == average_percent_) return;
  std::vector<std::optional<QString>> marks;
  for (qint64 p = 0; p < captured_set().record_count(); ++p) {
    const QString mark = mark_at(p);
    marks.push_back(trim_blanks(mark).isEmpty() ? std::nullopt : std::optional<QString>(mark));
  }
  std::vector<std::optional<QString>> scaled =
      km::scale_marks(marks, input_total_, average_percent_, *wanted);
  for (std::size_t i = 0; i < scaled.size(); ++i)
    if (!marks[i] || is_uncounted_mark(*marks[i])) scaled[i].reset();  // left as they are
  write_marks(scaled);
  pnt_grid_->set_current(0, mark_column);
}

void capture_form::marks_save_Click() {
  if (!open_ || !finish_edit()) return;
  save_marks();
  close_tables();
}

void capture_form::save_marks() {
  // Every accepted mark is already in the table relative to the subject
  // total; the teacher is still told of the way back.
  if (converting()) tell_converting(input_total_, subject_total_);
  control<QPushButton>(QStringLiteral("marks_save"))->setEnabled(false);
  t_nr_lys_->clear();
  copy_result copied;
  try {
    other_->set_database_name(g_data_folder);
    other_->set_record_source(other_table_name_);
    other_->refresh();
    copied = copy_marks(captured_set(), captured_fields_.number, captured_fields_.mark, other_->recordset(),
                        other_fields_.number, other_fields_.mark);
  } catch (const platform::dbf_error&) {
    copied.ok = false;
  }
  for (const double number : copied.numbers) t_nr_lys_->addItem(QString::number(number, 'g', 15));
  if (!copied.ok) show_critical(other_table_not_updated_message(other_table_name_));
  unregister_open(open_kind::combination, g_data_folder, combination_);
  show_subject_list();
}

void capture_form::marks_undo_Click() {
  if (!open_) return;
  if (pnt_grid_->editing()) pnt_grid_->cancel_edit();  // the typed text goes with the undo
  if (platform::message_box(undo_text(), platform::msg_buttons::ok_cancel, platform::msg_icon::exclamation) !=
      platform::msg_answer::ok)
    return;
  const table_step restored = restore_backup(*captured_, g_data_folder, table_name_, backup_name_);
  if (!restored.ok) {
    show_critical(restored.message);
    if (!captured_->has_recordset()) show_subject_list();
    return;
  }
  // The backup holds the table as it was when the capture began: prepared
  // again exactly as then, without a new backup and without the questions.
  unregister_open(open_kind::combination, g_data_folder, combination_);
  open_ = false;
  clear_figures();
  if (sort_captured_table())
    fill_grid();
  else
    show_subject_list();
}

void capture_form::set_capture_texts(const char16_t* paste_tip_af, const char16_t* paste_tip_en) {
  set_button_texts(
      this,
      {{"marks_calculator", u"SAKREKENAAR", u"CALCULATOR", u" Gebruik SAKREKENAAR ", u" Use CALCULATOR "},
       {"marks_undo", u"UNDO", u"UNDO", u" 'UNDO' = Herstel punte soos voor veranderings ",
        u" UNDO = Reset marks to before changes "},
       {"marks_save", u"SKRYF", u"WRITE", u" SKRYF = Stoor punte in punteleêrs ",
        u" WRITE = Store marks to file "},
       {"marks_print", u"DRUK", u"PRINT", u" DRUK = Druk 'n Puntelys ", u" PRINT = Print a Mark list "},
       {"paste_into_flex", u"'PASTE'", u"'PASTE'", paste_tip_af, paste_tip_en},
       {"marks_exit", u"EXIT", u"EXIT", u"EXIT", u"EXIT"}});
  average_label_->setToolTip(
      in_language(u" Doen VERSKALINGS (punte aanpassing volgens gemiddeld verskaf) ... ",
                  u" Do SCALING (marks adjusted according to given average) ... "));
}

void capture_form::marks_exit_Click() {
  if (!finish_edit()) return;
  if (!open_) {
    platform::unload_form(this);
    platform::show_form(QStringLiteral("punte_menu1"));
    return;
  }
  save_marks();
  // The list now shows the saved marks, relative to the subject total.
  if (!list_printed_ && platform::message_box(print_list_question(), platform::msg_buttons::yes_no) ==
                            platform::msg_answer::yes)
    print_saved_list();
  close_tables();
}

void capture_form::marks_calculator_Click() {
  platform::show_form(QStringLiteral("MathCalc"));
  model_->refresh_cells();
}

void capture_form::Timer1_Timer() {
  control<QLabel>(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

bool capture_form::on_key_down(QKeyEvent*) {
  reset_idle_clock();
  return false;
}

void capture_form::close_tables() {
  captured_->close_database();
  other_->close_database();
}

void capture_form::show_subject_list() {
  open_ = false;
  // Nothing is left to save, undo, print or paste until the next choice.
  for (const char* name : capture_commands) control<QPushButton>(QLatin1String(name))->setEnabled(false);
  pnt_grid_->hide();
  vak_grid_->show();
  vak_grid_->raise();
  vak_grid_->setFocus();
}

void capture_form::on_unload() {
  // A window dropped without its save leaves the table as it stands: every
  // accepted mark is already written relative to the subject total.
  if (open_) unregister_open(open_kind::combination, g_data_folder, combination_);
  open_ = false;
  close_tables();
}

void capture_form::request_close() {
  if (open_) {
    if (!finish_edit()) pnt_grid_->cancel_edit();  // a refused text cannot wait for a teacher who left
    save_marks();
  }
  platform::unload_form(this);
  platform::show_form(QStringLiteral("punte_menu1"));
}

}  // namespace km
