#include "markbook/pboek_inlees.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "common/file_number_pool.h"
#include "common/idle_clock.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "common/ui/subject_grid.h"
#include "common/ui/window_placement.h"
#include "markbook/book_rebuild.h"
#include "markbook/book_table.h"
#include "markbook/column_average.h"
#include "markbook/learner_list_import.h"
#include "markbook/mark_book_messages.h"
#include "markbook/mark_value.h"
#include "markbook/marks_dbf_record.h"
#include "markbook/open_books.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/form_timer.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "shell/menu_form.h"
#include "shell/status_labels.h"
#include "shell/window_parts.h"

namespace km {

namespace {

using platform::msg_buttons;
using platform::msg_icon;

}  // namespace

pboek_inlees::pboek_inlees(QWidget* parent) : platform::form(QStringLiteral("pboek_inlees"), parent) {
  build_controls();
}

void pboek_inlees::build_controls() {
  auto* column = new QVBoxLayout(this);
  for (const char* name : {"vak_ops", "ops_ops1", "dir_disp", "vak_info"}) {
    QLabel* l = add_named_label(this, QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    column->addWidget(l);
  }
  QFont title = control<QLabel>(QStringLiteral("vak_ops"))->font();
  title.setBold(true);
  title.setPointSize(title.pointSize() + 3);
  control<QLabel>(QStringLiteral("vak_ops"))->setFont(title);

  auto* middle = new QGridLayout;
  vak_grid_ = new platform::flex_grid_view(QStringLiteral("vak_grid"), this);
  vak_grid_->set_select_whole_rows(true);
  grid_ = new platform::bound_grid(QStringLiteral("DBGrid1"), this);
  msflexgrid2_ = new platform::flex_grid_view(QStringLiteral("msflexgrid2"), this);
  middle->addWidget(vak_grid_, 0, 0);
  middle->addWidget(grid_, 0, 0);
  middle->addWidget(msflexgrid2_, 0, 0);
  grid_->hide();
  msflexgrid2_->hide();

  // The column options of a heading click.
  kol_opsies_ = add_named_frame(this, QStringLiteral("kol_opsies"));
  auto* options = new QVBoxLayout(kol_opsies_);
  for (int i = 1; i <= 2; ++i) {
    auto* option = new QRadioButton(kol_opsies_);
    option->setObjectName(platform::control_name(QStringLiteral("kol_opsie"), i));
    options->addWidget(option);
    on_signal(option, &QRadioButton::clicked, [this, i] { kol_opsie_Click(i); });
  }
  middle->addWidget(kol_opsies_, 0, 0, Qt::AlignTop | Qt::AlignRight);
  kol_opsies_->hide();

  // The copy frame: copy a mark set onto another, or paste a column.
  kopieer_raam_ = add_named_frame(this, QStringLiteral("kopieer_raam"));
  auto* copy_row = new QHBoxLayout(kopieer_raam_);
  for (int i = 0; i < 2; ++i) {
    kopieer_reeks_[i] = new QListWidget(kopieer_raam_);
    kopieer_reeks_[i]->setObjectName(platform::control_name(QStringLiteral("kopieer_reeks"), i));
    copy_row->addWidget(kopieer_reeks_[i]);
  }
  auto* copy_buttons = new QVBoxLayout;
  on_click(add_named_button(kopieer_raam_, QStringLiteral("copy_ok")), [this] { copy_ok_Click(); });
  on_click(add_named_button(kopieer_raam_, QStringLiteral("paste_into_flex")),
           [this] { paste_into_flex_Click(); });
  copy_buttons->addWidget(control<QPushButton>(QStringLiteral("copy_ok")));
  copy_buttons->addWidget(control<QPushButton>(QStringLiteral("paste_into_flex")));
  copy_buttons->addStretch(1);
  copy_row->addLayout(copy_buttons);
  middle->addWidget(kopieer_raam_, 0, 0);
  kopieer_raam_->hide();

  // Moving learners between class groups, offered with the subject list.
  ppl_skuif_lys_ = new QListWidget(this);
  ppl_skuif_lys_->setObjectName(QStringLiteral("ppl_skuif_lys"));
  middle->addWidget(ppl_skuif_lys_, 0, 0);
  ppl_skuif_lys_->hide();
  on_signal(ppl_skuif_lys_, &QListWidget::itemClicked,
            [this] { ppl_skuif_lys_Click(ppl_skuif_lys_->currentRow()); });
  column->addLayout(middle, 1);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar1"));
  progress_->hide();
  column->addWidget(progress_);

  skuif_raam_ = add_named_frame(this, QStringLiteral("skuif_raam"));
  auto* move_row = new QHBoxLayout(skuif_raam_);
  on_click(add_named_button(skuif_raam_, QStringLiteral("skuif_leerders")),
           [this] { skuif_leerders_Click(); });
  move_row->addWidget(control<QPushButton>(QStringLiteral("skuif_leerders")));
  column->addWidget(skuif_raam_, 0, Qt::AlignLeft);

  auto* buttons =
      make_button_bar(*this, {{"pboek_inlees_totale", [this] { pboek_inlees_totale_Click(); }},
                              {"pboek_inlees_undo", [this] { pboek_inlees_undo_Click(); }},
                              {"pboek_inlees_print", [this] { pboek_inlees_print_Click(); }},
                              {"marks_copy", [this] { marks_copy_Click(); }},
                              {"marks_paste", {}},
                              {"marks_pscreen", {}},
                              {"pboek_inlees_calculator", [this] { pboek_inlees_calculator_Click(); }},
                              {"marks_exit", [this] { marks_exit_Click(); }}});
  column->addLayout(buttons);

  data2_ = new platform::data_control(this);
  data2_->setObjectName(QStringLiteral("Data2"));
  data1_ = new platform::data_control(this);
  data1_->setObjectName(QStringLiteral("Data1"));
  data1_->set_default_table(QStringLiteral("Exp_mrk"));  // a control the window never reads
  model_ = new platform::recordset_model(*data2_, this);
  model_->set_validator([this](int row, int col, QString& text) { return validate_cell(row, col, text); });
  // A typed mark the book would not take is never lost without a word: a
  // record another program holds locked is "in use".
  on_signal(
      model_, &platform::recordset_model::write_failed,
      [this](int, int, const QString& reason, int number) { show_critical(write_refusal(reason, number)); });
  grid_->set_model(model_);
  grid_->set_frozen_columns(2);
  grid_->set_heading_lines(3);
  grid_->set_edit_redirect([this](int c) { return edit_column(c); });
  on_signal(grid_, &platform::bound_grid::head_click, [this](int c) { DBGrid1_HeadClick(c); });
  // The layout is applied again when the focus comes to the grid from
  // another control of this window; never when it comes back from a message
  // box or another window (that would close the editor of a refused mark).
  on_signal(qApp, &QApplication::focusChanged, [this](QWidget* old, QWidget* now) {
    // The column options go when the focus leaves them.
    if (old && kol_opsies_->isAncestorOf(old) && (!now || !kol_opsies_->isAncestorOf(now)))
      kol_opsies_->hide();
    if (!old || !now || !book_open() || !grid_->isAncestorOf(now) || grid_->isAncestorOf(old)) return;
    if (old->window() == this) apply_column_layout();
  });

  on_signal(vak_grid_, &platform::flex_grid_view::double_click, [this] { vak_grid_DblClick(); });
  on_signal(vak_grid_, &platform::flex_grid_view::key_down, [this](int key, Qt::KeyboardModifiers) {
    if (key == 13) vak_grid_DblClick();  // Enter opens as the double click does, the move put away too
  });

  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 250, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
  resize(900, 640);
}

platform::flex_grid& pboek_inlees::merit_grid() const { return msflexgrid2_->grid(); }

bool pboek_inlees::book_open() const { return !grid_->isHidden() && data2_->has_recordset(); }

void pboek_inlees::set_texts() {
  set_caption(in_language(u"PUNTEBOEK INLEES", u"MARK BOOK INPUT"));
  control<QLabel>(QStringLiteral("vak_ops"))->setText(caption());
  set_button_texts(
      this, {{"pboek_inlees_calculator", u"SAKREKENAAR", u"CALCULATOR", u"SAKREKENAAR", u"CALCULATOR"},
             {"pboek_inlees_undo", u"UNDO", u"UNDO", u"UNDO", u"UNDO"},
             {"pboek_inlees_totale", u"TOTALE", u"TOTALS", u"HERBEREKEN TOTALE", u"RECALCULATE TOTALS"},
             {"pboek_inlees_print", u"DRUK", u"PRINT", u"DRUK", u"PRINT"},
             {"marks_copy", u"KOPIEER", u"COPY", u"'COPY'", u"'COPY'"},
             {"marks_paste", u"PLAK", u"PASTE", u"'PASTE'", u"'PASTE'"},
             {"marks_pscreen", u"SKERMDRUK", u"PRINT SCREEN", u"'PRINT SCREEN'", u"'PRINT SCREEN'"},
             {"marks_exit", u"EXIT", u"EXIT", u"EXIT", u"EXIT"},
             {"skuif_leerders", u"SKUIF LEERDERS", u"MOVE LEARNERS",
              u" SKUIF LEERDERS TUSSEN POS-/KLAS GROEPE EN BEHOU INGELEESDE PUNTE ",
              u" MOVE LEARNERS BETWEEN POST-/CLASS GROUPS RETAINING ENTERED MARKS "},
             {"copy_ok", u"KOPIEER", u"COPY", nullptr, nullptr},
             {"paste_into_flex", u"PLAK", u"PASTE", nullptr, nullptr}});
  auto* scaling = control<QRadioButton>(QStringLiteral("kol_opsie_1"));
  scaling->setText(in_language(u"DOEN VERSKALING", u"MARK SCALING"));
  scaling->setToolTip(in_language(u"Doen punt-aanpassing volgens nuwe gemiddeld ...",
                                  u"Do mark adjustment according to new average ..."));
  auto* merit = control<QRadioButton>(QStringLiteral("kol_opsie_2"));
  merit->setText(in_language(u"DRUK MERIETELYS", u"PRINT MERIT LIST"));
  merit->setToolTip(
      in_language(u"Druk merietelys vir gekose kolom ...", u"Print merit list for chosen column ..."));
}

void pboek_inlees::on_load() {
  if (!platform::folder_exists(g_data_folder)) {
    close_to_menu(in_language(u"1 Sien 'PUNTEBOEK - INVOER' om rekords te skep",
                              u"1 See 'MARK BOOK - IMPORT' to create records"));
    return;
  }
  if (!platform::file_exists(platform::join_win_path(g_data_folder, QStringLiteral("Exp_Mrk_control.txt"))) &&
      !platform::file_exists(platform::join_win_path(g_data_folder, QStringLiteral("Exp_Control.dbf")))) {
    show_critical(in_language(u"2 Sien 'PUNTEBOEK - INVOER' om rekords te skep",
                              u"2 See 'MARK BOOK IMPORT' to ceate records"));
    platform::unload_form(this);
    return;
  }
  data2_->set_database_name(g_data_folder);
  set_texts();
  show_window_heading(*this);
  fill_subject_grid(vak_grid_->grid());
  close_file(g_exp_mrk_control_file_number);
  layout_done_ = false;
  Timer1_Timer();
  centre_form(*this);
}

void pboek_inlees::on_unload() {
  if (combination_ > 0) unregister_open_book(g_data_folder, combination_);
  data2_->close_database();
}

void pboek_inlees::close_to_menu(const QString& message) {
  if (!message.isEmpty()) show_critical(message);
  platform::unload_form(this);
  platform::show_form(QStringLiteral("punte_mnu"));
}

void pboek_inlees::vak_grid_DblClick() {
  if (vak_grid_->grid().rows() == 0) return;
  skuif_raam_->hide();
  ppl_skuif_lys_->hide();
  open_mark_book(vak_grid_->grid().row());
}

void pboek_inlees::open_mark_book(int row) {
  const platform::flex_grid& list = vak_grid_->grid();
  QStringList cells;
  for (int c = 0; c < list.cols(); ++c) cells << list.text_matrix(row, c);
  control<QLabel>(QStringLiteral("vak_info"))->setText(cells.value(0) + QStringLiteral(" ") + cells.value(1));
  if (combination_ > 0) unregister_open_book(g_data_folder, combination_);
  combination_ = row + 1;
  vak_grid_->hide();
  book_table_ = marks_table_file(combination_);
  if (!platform::file_exists(platform::join_win_path(g_data_folder, book_table_))) {
    close_to_menu(in_language(u"3 Sien 'PUNTEBOEK OPSTEL' om punteboek te skep",
                              u"3 See 'MARK BOOK SETUP' to create mark book"));
    return;
  }
  // The table is opened afresh every time: its checks always run.
  table_opening opened = open_book_table(*data2_, g_data_folder, book_table_);
  if (opened.state != table_state::open) return close_to_menu(opened.message);
  if (data2_->recordset().field_count() < marks_dbf_field_count)
    return close_to_menu(too_few_mark_sets_message());
  if (data2_->recordset().record_count() == 0) {
    try {
      const learner_import_result imported =
          add_learner(data2_->recordset(), g_data_folder, cells.value(1), class_part(cells));
      if (imported.outcome == learner_import_outcome::unreadable) return close_to_menu(imported.message);
    } catch (const platform::dbf_error& e) {
      return close_to_menu(e.text());
    }
    if (data2_->recordset().record_count() == 0) return close_to_menu();
  }
  data2_->close_database();
  const rebuild_result rebuilt = rebuild_mark_book(g_data_folder, combination_, g_program_folder);
  if (rebuilt.outcome != rebuild_outcome::rebuilt) return close_to_menu(rebuilt.message);
  opened = open_book_table(*data2_, g_data_folder, book_table_);
  if (opened.state != table_state::open) return close_to_menu(opened.message);

  const setup_file_found setup = find_setup_file(g_data_folder, cells);
  if (!setup.exists)
    return close_to_menu(in_language(u"1 Geen reekse opgestel nie ... sien 'PUNTEBOEK OPSTEL'",
                                     u"1 No ranges available ... see 'MARK BOOK SETUP'"));
  setup_file_read read;
  try {
    read = read_setup_file(setup.win_path);
  } catch (const platform::file_error&) {
    read.complete = false;
  }
  if (!read.complete)
    return close_to_menu(
        in_language(u"PUNTEBOEK FOUTIEF - SIEN PUNTEBOEK OPSTEL", u"MARK BOOK FAULTY - SEE MARK BOOK SETUP"));
  lists_ = make_column_lists(read.rows);
  keep_opening_marks();
  register_open_book(g_data_folder, combination_);
  refresh_marks_display();
  apply_column_layout();
}

// A field as the grid shows it: trailing blanks gone, nullopt for none.
std::optional<QString> pboek_inlees::field(qint64 position, int column) const {
  const QString text = platform::recordset_model::cell_text(data2_->recordset().value_at(position, column));
  if (text.isEmpty()) return std::nullopt;
  return text;
}

void pboek_inlees::keep_opening_marks() {
  opening_marks_.clear();
  const platform::recordset& rs = data2_->recordset();
  for (qint64 p = 0; p < rs.record_count(); ++p) {
    std::array<std::optional<QString>, 40> marks;
    for (int c = 2; c < marks_dbf_field_count; ++c) marks[std::size_t(c - 2)] = field(p, c);
    opening_marks_.insert(clean_field_value(rs.value_at(p, 0)), marks);
  }
}

void pboek_inlees::refresh_marks_display() {
  column_average_.fill(0);
  if (data2_->has_recordset()) column_average_ = column_averages(data2_->recordset(), lists_.rks_list[1]);
}

void pboek_inlees::apply_column_layout() {
  grid_->show();
  grid_->raise();
  model_->rebind();
  layout_done_ = true;
  model_->set_header_caption(0, in_language(u"T-NR", u"A-NO"));
  model_->set_header_caption(1, in_language(u"LEERDER", u"LEARNER"));
  grid_->set_column_width(0, 800);
  grid_->set_column_width(1, 3100);
  for (int c = 2; c < lists_.rks_list[0].size(); ++c) {
    model_->set_header_caption(c, mark_column_caption(lists_.rks_list[0][c], lists_.rks_list[1][c],
                                                      column_average_[std::size_t(c)]));
    model_->set_column_alignment(c, Qt::AlignRight | Qt::AlignVCenter);
    grid_->set_column_width(c, 900);
  }
  grid_->set_current(0, 0);
  grid_->current_view()->setFocus();
  for (const char* name : {"pboek_inlees_undo", "pboek_inlees_totale", "pboek_inlees_print"})
    control<QPushButton>(QLatin1String(name))->setEnabled(true);
}

// Marks go only into mark columns that are not totals: an edit in the
// number or name moves to the first mark column, one in a total column to
// the column before it (one move only).
int pboek_inlees::edit_column(int column) const {
  if (column < 2) return 2;
  if (!lists_.is_total_column(column)) return column;
  return column == 2 ? 3 : column - 1;
}

bool pboek_inlees::validate_cell(int row, int column, QString& text) {
  const QString total = lists_.rks_list[1].value(column);
  const mark_check check = validate_mark(text, total);
  if (!check.accepted) {
    platform::beep();
    platform::message_box(mark_refusal_message(total));
    return false;
  }
  const QString old = field(row, column).value_or(QString());
  text = check.stored;
  const int target = lists_.target_field(column);
  if (target >= 0 && check.stored != QStringLiteral("A") && check.stored != QStringLiteral("a")) {
    QHash<int, std::optional<QString>> sum;
    sum.insert(target, running_sum(old, check.stored, field(row, target)));
    // A quick running sum (the totals command puts it right); a record that
    // cannot be written takes no mark either, and the teacher is told once.
    if (!write_fields(row, sum)) return false;
  }
  return true;
}

QString pboek_inlees::write_refusal(const QString& reason, int number) const {
  return number == platform::dbf_errno::in_use ? table_failure(g_data_folder, book_table_, number).message
                                               : reason;
}

bool pboek_inlees::write_fields(qint64 position, const QHash<int, std::optional<QString>>& values) {
  platform::recordset& rs = data2_->recordset();
  bool changed = false;
  for (auto it = values.cbegin(); it != values.cend(); ++it)
    changed = changed || field(position, it.key()) != it.value();
  if (!changed) return true;
  try {
    rs.set_absolute_position(position);
    rs.edit();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
      if (field(position, it.key()) != it.value())
        rs.set_value(it.key(), platform::Value(it.value().value_or(QString())));
    rs.update();
  } catch (const platform::dbf_error& e) {
    if (rs.mode() != platform::recordset::edit_mode::none) rs.cancel_update();
    show_critical(write_refusal(e.text(), e.number()));
    return false;
  }
  model_->refresh_row(int(position));
  return true;
}

void pboek_inlees::DBGrid1_HeadClick(int column) {
  chosen_column_ = column;
  if (column <= 1) return;
  for (int i = 1; i <= 2; ++i)
    control<QRadioButton>(platform::control_name(QStringLiteral("kol_opsie"), i))->setChecked(false);
  kol_opsies_->show();
  kol_opsies_->raise();
}

void pboek_inlees::Timer1_Timer() {
  control<QLabel>(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

bool pboek_inlees::on_key_down(QKeyEvent*) {
  reset_idle_clock();
  return false;
}

void pboek_inlees::show_progress(qint64 records) {
  progress_->setRange(0, int(std::max<qint64>(records, 1)));
  progress_->setValue(0);
  progress_->show();
  progress_done_ = 0;
  progress_drawn_ms_ = platform::clock().monotonic_ms();
}

// Each new value the bar takes draws it at once, which costs as much as the
// work on many records; so the bar takes the count of records done only
// every progress_step_ms (more often than that a screen shows no change)
// and at the last record.
void pboek_inlees::advance_progress() {
  progress_done_ = std::min(progress_done_ + 1, progress_->maximum());
  const qint64 now = platform::clock().monotonic_ms();
  if (progress_done_ < progress_->maximum() && now - progress_drawn_ms_ < progress_step_ms) return;
  progress_->setValue(progress_done_);
  progress_drawn_ms_ = now;
}

void pboek_inlees::hide_progress() { progress_->hide(); }

void pboek_inlees::show_subject_list() {
  grid_->hide();
  msflexgrid2_->hide();
  kol_opsies_->hide();
  kopieer_raam_->hide();
  vak_grid_->show();
  vak_grid_->raise();
  skuif_raam_->show();
  // The keyboard goes on in the list: Up, Down and Enter work at once.
  vak_grid_->setFocus();
}

void pboek_inlees::marks_exit_Click() {
  if (!vak_grid_->isHidden()) {
    platform::unload_form(this);
    return;
  }
  if (combination_ > 0) unregister_open_book(g_data_folder, combination_);
  data2_->close_database();
  show_subject_list();
}

void pboek_inlees::request_close() { platform::unload_form(this); }

}  // namespace km
