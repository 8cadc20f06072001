#include "marks/obe_inlees.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/folder_path.h"
#include "common/language_text.h"
#include "common/open_combinations.h"
#include "common/shared_variables.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "marks/mark_values.h"
#include "marks/marks_messages.h"
#include "marks/marks_tables.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/number_format.h"
#include "platform/ui/click_label.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/win_path.h"
#include "shell/user_info.h"
#include "shell/window_parts.h"

namespace km {

namespace {

// The grid binds the first eight fields: number, name, mark, effort key
// and four formative codes.
constexpr int bound_fields = 8;
constexpr int effort_column = 3;
constexpr int first_formative_column = 4;
constexpr int last_column = 7;
constexpr int option_count = 4;

QString option_caption(int option) {
  switch (option) {
    case 1:
      return in_language(u"SUMMATIEWE EVALUERING", u"SUMMATIVE EVALUATION");
    case 2:
      return in_language(u"PRESTASIESLEUTELS", u"EFFORT KEYS");
    case 3:
      return in_language(u"FORMATIEWE EVALUERING", u"FORMATIVE EVALUATION");
    default:
      return in_language(u"MULTI-ASSESSERING", u"MULTI ASSESSMENT");
  }
}

// A list box of the window (shown or kept hidden beside it).
QListWidget* add_list(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QLatin1String(name));
  list->hide();
  return list;
}

void fill_pair(QListWidget* shown, QListWidget* keys, const code_list& list, bool item_numbers) {
  shown->clear();
  keys->clear();
  keys->addItems(list.codes);
  for (qsizetype k = 0; k < list.entries.size(); ++k) {
    auto* item = new QListWidgetItem(list.entries[k], shown);
    if (item_numbers) item->setData(Qt::UserRole, int(k + 1));
  }
}

}  // namespace

obe_inlees::obe_inlees(QWidget* parent)
    : capture_form(QStringLiteral("obe_inlees"), QStringLiteral("obe_pnt"), QStringLiteral("pnt_dta"),
                   parent) {
  build_controls();
}

void obe_inlees::build_controls() {
  auto* column = new QVBoxLayout(this);
  add_window_heading(this, column, QStringLiteral("ops_stelsel"),
                     {"vak_ops", "ops_ops1", "dir_disp", "ops_totale"});
  lay_out_middle(column);

  // The input options, over the subject list once a combination is chosen.
  inlees_opsie_raam_ = add_named_frame(this, QStringLiteral("inlees_opsie_raam"));
  auto* options = new QVBoxLayout(inlees_opsie_raam_);
  for (int i = 1; i <= option_count; ++i) {
    auto* option = new QCheckBox(inlees_opsie_raam_);
    option->setObjectName(platform::control_name(QStringLiteral("inlees_opsie"), i));
    options->addWidget(option);
  }
  on_click(add_named_button(inlees_opsie_raam_, QStringLiteral("io_ok")), [this] { io_ok_Click(); });
  options->addWidget(control<QPushButton>(QStringLiteral("io_ok")));
  middle_->addWidget(inlees_opsie_raam_, 0, 0, Qt::AlignCenter);
  inlees_opsie_raam_->hide();

  // The paste panel: which column the clipboard goes into.
  paste_raam_ = add_named_frame(this, QStringLiteral("paste_raam"));
  auto* paste = new QVBoxLayout(paste_raam_);
  paste->addWidget(add_named_label(paste_raam_, QStringLiteral("pr_head")));
  for (int i = 1; i <= 3; ++i) {
    auto* target = new QCheckBox(paste_raam_);
    target->setObjectName(platform::control_name(QStringLiteral("pr_teks"), i));
    paste->addWidget(target);
  }
  on_click(add_named_button(paste_raam_, QStringLiteral("pr_ok")), [this] { pr_ok_Click(); });
  paste->addWidget(control<QPushButton>(QStringLiteral("pr_ok")));
  middle_->addWidget(paste_raam_, 0, 0, Qt::AlignCenter);
  paste_raam_->hide();

  // The pick lists, shown beside the cell; their bare codes kept hidden.
  p_s_lys_ = add_list(this, "p_s_lys");
  p_s_key_ = add_list(this, "p_s_key");
  f_e_lys_ = add_list(this, "f_e_lys");
  f_e_key_ = add_list(this, "f_e_key");
  for (auto [list, formative] : {std::pair{p_s_lys_, false}, std::pair{f_e_lys_, true}}) {
    on_signal(list, &QListWidget::itemDoubleClicked, [this, formative = formative] { pick(formative); });
    list->installEventFilter(this);
  }

  auto* settings = new QHBoxLayout;
  ps_info_ = new QCheckBox(this);
  ps_info_->setObjectName(QStringLiteral("ps_info"));
  fe_info_ = new QCheckBox(this);
  fe_info_->setObjectName(QStringLiteral("fe_info"));
  on_click(ps_info_, [this] { ps_info_Click(); });
  on_click(fe_info_, [this] { fe_info_Click(); });
  settings->addWidget(ps_info_);
  settings->addWidget(fe_info_);
  settings->addStretch(1);
  column->addLayout(settings);

  add_capture_buttons(
      column, [this] { marks_print_Click(); }, [this] { paste_into_flex_Click(); });

  pi4_p_s_ = new platform::data_control(this);
  pi4_p_s_->setObjectName(QStringLiteral("pi4_p_s"));
  pi4_p_s_->set_read_only(true);  // only read: it never takes a lock from the administration program
  model_->set_validator([this](int row, int col, QString& text) {
    if (col == mark_column) return validate_mark(row, text);
    return col < effort_column || validate_code(col, text);
  });
  // A failing table is looked for in the data folder again next time.
  on_signal(model_, &platform::recordset_model::write_failed,
            [this] { captured_->set_database_name(g_data_folder); });
  pnt_grid_->set_edit_redirect([this](int c) { return edit_redirect(c); });
  pnt_grid_->set_after_commit([this](int, int, int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    go_to_learner(true);
    return true;
  });
  on_signal(pnt_grid_, &platform::bound_grid::head_click, [this](int c) { pnt_grid_HeadClick(c); });
  for (QTableView* view : {pnt_grid_->frozen_view(), pnt_grid_->scrolling_view()})
    on_signal(view, &QTableView::clicked, [this] { show_pick_list(); });
  // A list belongs to the cell it was opened for: a cell entered by the
  // keyboard, a click or a pick shows its own list, if it has one.
  on_signal(pnt_grid_, &platform::bound_grid::current_changed, [this](int row, int col) {
    if (row != list_row_ || col != list_col_) show_pick_list();
  });
  captured_fields_ = {field_ref::named(QStringLiteral("eo_t_nr")),
                      field_ref::named(QStringLiteral("eo_punt"))};
  other_fields_ = {field_ref::named(QStringLiteral("ef_t_nr")), field_ref::named(QStringLiteral("ef_punt"))};
  resize(860, 660);
}

void obe_inlees::set_texts() {
  const QString heading = in_language(u"UGO INLEES", u"OBE INPUT");
  set_caption(heading);
  control<QLabel>(QStringLiteral("ops_stelsel"))->setText(heading);
  set_capture_texts(u" 'PASTE clipboard' in puntelêer ", u" PASTE clipboard into marks file ");
  set_button_texts(this,
                   {{"io_ok", u"OK", u"OK", nullptr, nullptr}, {"pr_ok", u"OK", u"OK", nullptr, nullptr}});
  for (int i = 1; i <= option_count; ++i)
    control<QCheckBox>(platform::control_name(QStringLiteral("inlees_opsie"), i))->setText(option_caption(i));
  for (int i = 1; i <= 3; ++i)
    control<QCheckBox>(platform::control_name(QStringLiteral("pr_teks"), i))->setText(option_caption(i));
  control<QLabel>(QStringLiteral("pr_head"))->setText(in_language(u"'PASTE'", u"PASTE"));
  ps_info_->setText(in_language(u"VERTOON PS-LYS", u"DISPLAY EK-LIST"));
  ps_info_->setToolTip(in_language(u" Selekteer/Deselekteer Prestasiesleutel opsoektabelle ",
                                   u" Select/Deselect Effort Keys search tables "));
  fe_info_->setText(in_language(u"VERTOON FE-LYS", u"DISPLAY FE-LIST"));
  fe_info_->setToolTip(in_language(u" Selekteer/Deselekteer Formatiewe Evaluering opsoektabelle ",
                                   u" Select/Deselect Formative Evaluation search tables "));
}

void obe_inlees::take_user_info() {
  int effort_keys = 1, formative = 1;
  if (const std::optional<user_info_read> read =
          read_user_info(platform::join_win_path(g_data_folder, user_info_file_name))) {
    // Another folder is taken only when it holds the subject list, so the
    // list, the labels and the tables all come from one folder.
    if (read->data_folder && !read->data_folder->isEmpty() &&
        platform::file_exists(file_in_folder(*read->data_folder, QStringLiteral("exp_mrk_control.txt"))))
      g_data_folder = *read->data_folder;
    effort_keys = read->effort_key_list.value_or(1);
    formative = read->formative_list.value_or(1);
  }
  ps_info_->setChecked(effort_keys == 1);
  fe_info_->setChecked(formative == 1);
}

void obe_inlees::on_load() {
  take_user_info();
  set_texts();
  load_common(caption());
  ps_info_->setEnabled(false);
  fe_info_->setEnabled(false);
}

void obe_inlees::choose_subject(int row) {
  take_subject_row(row);
  subject_number_ = subject_cells_.value(0);
  subject_class_ = subject_cells_.value(1);
  table_name_ = obe_table_name(combination_);
  backup_name_ = QStringLiteral("OBE_P%1.BAK").arg(combination_);
  other_table_name_ = cycle_table_name(combination_);
  if (is_open(open_kind::combination, g_data_folder, combination_)) {
    show_critical(combination_open_message());
    return;
  }
  if (!ask_input_total(input_total_prompt(plain_number(subject_total_), QStringLiteral("\r")))) return;
  control<QLabel>(QStringLiteral("ops_totale"))
      ->setText(platform::str_number(subject_total_) + QStringLiteral(" -- ") +
                platform::str_number(input_total_));
  inlees_opsie_raam_->show();
  inlees_opsie_raam_->raise();
  control<QPushButton>(QStringLiteral("io_ok"))->setFocus();
}

void obe_inlees::io_ok_Click() {
  std::array<bool, option_count + 1> ticked{};
  for (int i = 1; i <= option_count; ++i)
    ticked[std::size_t(i)] =
        control<QCheckBox>(platform::control_name(QStringLiteral("inlees_opsie"), i))->isChecked();
  if (!ticked[1] && !ticked[2] && !ticked[3]) {  // the multi-assessment alone is nothing
    inlees_opsie_raam_->hide();
    marks_exit_Click();
    return;
  }
  editable_columns_.fill(false);
  editable_columns_[2] = ticked[1];
  editable_columns_[effort_column] = ticked[2];
  editable_columns_[first_formative_column] = ticked[3];
  multi_assessment_ = ticked[4];
  for (int c = first_formative_column + 1; c <= last_column; ++c)
    editable_columns_[std::size_t(c)] = ticked[4];
  inlees_opsie_raam_->hide();

  if (!platform::file_exists(platform::join_win_path(g_data_folder, table_name_))) {
    platform::beep();
    return;
  }
  if (!open_with_backup(bound_fields)) return;
  load_code_lists();
  clear_figures();
  print_by_mark_ = false;
  if (converting()) tell_converting(subject_total_, input_total_);
  vak_grid_->hide();
  if (!sort_captured_table()) {
    show_subject_list();
    return;
  }
  fill_grid();
  ps_info_->setEnabled(true);
  fe_info_->setEnabled(true);
}

void obe_inlees::load_code_lists() {
  // A subject's lists never keep another subject's codes.
  effort_keys_ = {};
  formative_codes_ = {};
  const QString effort_table = effort_key_table_name(subject_number_) + QStringLiteral(".dbf");
  if (platform::file_exists(platform::join_win_path(g_data_folder, effort_table))) {
    pi4_p_s_->set_database_name(g_data_folder);
    pi4_p_s_->set_record_source(effort_table);
    try {
      pi4_p_s_->refresh();
      effort_keys_ = effort_key_list(pi4_p_s_->recordset());
    } catch (const platform::dbf_error& e) {
      show_critical(table_failure_message(g_data_folder, effort_table, e));
    }
    pi4_p_s_->close_database();
  }
  formative_codes_ = formative_list(
      platform::join_win_path(g_data_folder, formative_file_name(subject_number_, subject_class_)));
  fill_pair(p_s_lys_, p_s_key_, effort_keys_, false);
  fill_pair(f_e_lys_, f_e_key_, formative_codes_, true);
}

void obe_inlees::fill_grid() {
  begin_capture();
  set_columns();
  recount_figures();
  go_to_learner(false);
  focus_cursor();
}

void obe_inlees::set_columns() {
  pnt_grid_->show();
  pnt_grid_->raise();
  model_->rebind();
  const QString captions[bound_fields] = {
      in_language(u"T-NR", u"A-NO"),
      in_language(u"LEERDER", u"LEARNER"),
      in_language(u"PUNT(", u"MARK(") + plain_number(input_total_) + QStringLiteral(")"),
      in_language(u"P-S ", u"E-K "),
      QStringLiteral("F-E1"),
      QStringLiteral("F-E2"),
      QStringLiteral("F-E3"),
      QStringLiteral("F-E4")};
  const int widths[bound_fields] = {800, 3000, 1000, 700, 650, 650, 650, 650};
  for (int c = 0; c < bound_fields; ++c) {
    model_->set_header_caption(c, captions[c]);
    // A heading that needs more room than its column has widens it.
    pnt_grid_->set_column_width(c, std::max(widths[c], pnt_grid_->heading_width_twips(c)));
  }
  model_->set_column_alignment(mark_column, Qt::AlignRight | Qt::AlignVCenter);
  pnt_grid_->set_shown_columns(multi_assessment_ ? bound_fields : first_formative_column + 1);
  pnt_grid_->set_current(0, mark_column);  // the first of the columns that can take a mark or code
}

void obe_inlees::go_to_learner(bool advance) {
  const int rows = int(captured_set().record_count());
  if (rows == 0) return;
  int row = std::max(pnt_grid_->row(), 0);
  int col = std::max(pnt_grid_->col(), 0);
  // One pass over every cell of the table at most: with no editable
  // column the search ends where it began.
  for (int step = 0; step <= rows; ++step) {
    if (advance) col = std::min(col + 1, last_column);
    for (int c = col; c <= last_column; ++c) {
      if (editable_columns_[std::size_t(c)]) {
        pnt_grid_->set_current(row, c);
        return;
      }
    }
    advance = true;
    row = row + 1 < rows ? row + 1 : 0;
    col = 0;
  }
}

int obe_inlees::edit_redirect(int column) {
  if (column >= 0 && column <= last_column && editable_columns_[std::size_t(column)]) return column;
  go_to_learner(false);
  return -1;
}

bool obe_inlees::validate_code(int column, QString& text) {
  const bool formative = column >= first_formative_column;
  const code_list& list = formative ? formative_codes_ : effort_keys_;
  // A cleared cell, and any code of a subject without a list, are taken.
  if (trim_blanks(text).isEmpty() || list.empty()) return true;
  if (const std::optional<QString> code = listed_code(list, text)) {
    text = *code;
    return true;
  }
  platform::beep();
  platform::message_box(code_refusal_message(formative));
  return false;
}

void obe_inlees::focus_cursor() {
  if (p_s_lys_->isVisible())
    p_s_lys_->setFocus();
  else if (f_e_lys_->isVisible())
    f_e_lys_->setFocus();
  else
    pnt_grid_->current_view()->setFocus();
}

void obe_inlees::hide_pick_lists() {
  p_s_lys_->hide();
  f_e_lys_->hide();
  list_row_ = list_col_ = -1;
}

void obe_inlees::show_pick_list() {
  hide_pick_lists();
  const int row = pnt_grid_->row(), col = pnt_grid_->col();
  if (!open_ || row < 0 || col < 0 || !editable_columns_[std::size_t(std::min(col, last_column))]) return;
  QListWidget* list = nullptr;
  QListWidget* keys = nullptr;
  int height_twips = 0;
  if (col == effort_column && ps_info_->isChecked() && p_s_lys_->count() > 0) {
    list = p_s_lys_;
    keys = p_s_key_;
    height_twips = std::min(300 * list->count(), 5895);
  } else if (col >= first_formative_column && fe_info_->isChecked() && f_e_lys_->count() > 0) {
    list = f_e_lys_;
    keys = f_e_key_;
    height_twips = std::min(250 * std::min(list->count(), 20), 5000);
  }
  if (!list) return;
  QTableView* view = pnt_grid_->current_view();
  const QRect cell = view->visualRect(model_->index(row, col));
  const QPoint at = view->viewport()->mapTo(this, cell.bottomLeft());
  const int height = platform::twips_to_pixels(height_twips) + 2 * list->frameWidth();
  const int width = std::min(360, this->width());
  // Kept inside the window: beside the cell, or above it near the foot.
  const int left = std::clamp(at.x(), 0, std::max(0, this->width() - width));
  const int top = at.y() + height <= this->height() ? at.y() : std::max(0, at.y() - cell.height() - height);
  list->setGeometry(left, top, width, height);
  const QString value = trim_blanks(platform::recordset_model::cell_text(captured_set().value_at(row, col)));
  for (int i = 0; i < keys->count(); ++i) {
    if (trim_blanks(keys->item(i)->text()) == value && !(value.isEmpty() && i + 1 < keys->count())) {
      list->setCurrentRow(i);
      break;
    }
  }
  list_row_ = row;
  list_col_ = col;
  list->show();
  list->raise();
  list->setFocus();
}

void obe_inlees::p_s_lys_DblClick() { pick(false); }
void obe_inlees::f_e_lys_DblClick() { pick(true); }

void obe_inlees::pick(bool formative) {
  QListWidget* list = formative ? f_e_lys_ : p_s_lys_;
  QListWidget* keys = formative ? f_e_key_ : p_s_key_;
  const int index = list->currentRow();
  const int row = list_row_, col = list_col_;
  if (index < 0 || index >= keys->count() || row < 0) return;
  // The code goes into the cell the list was opened for, and only there.
  const bool written = model_->setData(model_->index(row, col), keys->item(index)->text(), Qt::EditRole);
  hide_pick_lists();
  if (!written) {
    focus_cursor();
    return;
  }
  pnt_grid_->set_current(row, col);
  go_to_learner(true);
  focus_cursor();
}

bool obe_inlees::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == p_s_lys_ || watched == f_e_lys_) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      pick(watched == f_e_lys_);
      return true;
    }
    if (key == Qt::Key_Escape) {
      hide_pick_lists();
      pnt_grid_->current_view()->setFocus();
      return true;
    }
    // A code typed while the list shows goes into the list's cell, where
    // Enter takes it as the list allows.
    const auto* typed = static_cast<QKeyEvent*>(event);
    if (platform::types_character(typed) && list_row_ >= 0) {
      pnt_grid_->set_current(list_row_, list_col_);
      pnt_grid_->start_edit(true, typed->text());
      return true;
    }
  }
  return capture_form::eventFilter(watched, event);
}

void obe_inlees::ps_info_Click() {
  // The settings are kept only where the file already is.
  const QString path = platform::join_win_path(g_data_folder, user_info_file_name);
  if (!platform::file_exists(path)) return;
  (void)write_user_info({g_data_folder, ps_info_->isChecked() ? 1 : 0, fe_info_->isChecked() ? 1 : 0}, path);
}

void obe_inlees::fe_info_Click() { ps_info_Click(); }

}  // namespace km
