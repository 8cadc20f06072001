#include "marks/punte_druk.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/file_number_pool.h"
#include "common/idle_clock.h"
#include "common/language_text.h"
#include "common/open_dbf_table.h"
#include "common/shared_variables.h"
#include "common/step_journal.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "common/ui/subject_grid.h"
#include "common/ui/window_placement.h"
#include "marks/mark_list_average_print.h"
#include "marks/mark_list_rows.h"
#include "marks/subject_entry.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/form_timer.h"
#include "platform/model/print/font_mapping.h"
#include "platform/platform_error.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "printing/report_pages.h"
#include "shell/menu_form.h"
#include "shell/status_labels.h"
#include "shell/window_parts.h"

namespace km {

namespace {

// The subject lists: the entries, and beside them the subject totals.
constexpr int entries = 0;
constexpr int totals = 1;
constexpr int totals_width = 70;
constexpr int entries_width = 420;
// The lists are 300 twips a row, at most 5655 twips high.
constexpr int list_row_twips = 300;
constexpr int list_max_twips = 5655;

// The heading while no combination is open.
QString window_heading() { return in_language(u"DRUK PUNTELYS(TE)", u"PRINT MARK LIST(S)"); }

}  // namespace

punte_druk::punte_druk(QWidget* parent) : platform::form(QStringLiteral("punte_druk"), parent) {
  build_controls();
}

void punte_druk::build_controls() {
  auto* column = new QVBoxLayout(this);
  add_window_heading(this, column, QStringLiteral("vak_ops"), {"ops_ops1", "dir_disp"});

  auto* lists = new QHBoxLayout;
  // The entries are laid out in columns of fixed width.
  QFont fixed(platform::installed_font_family(QStringLiteral("Lucida Console")));
  fixed.setStyleHint(QFont::Monospace);
  for (int i : {entries, totals}) {
    subject_list_[i] = new QListWidget(this);
    subject_list_[i]->setFont(fixed);
    // Hidden while a combination is open, the lists keep their place.
    QSizePolicy policy = subject_list_[i]->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    subject_list_[i]->setSizePolicy(policy);
    subject_list_[i]->setObjectName(platform::control_name(QStringLiteral("subject_list"), i));
    on_signal(subject_list_[i], &QListWidget::itemDoubleClicked, [this] { subject_list_DblClick(); });
    // The two lists move together: row r of each belongs to combination r + 1.
    on_signal(subject_list_[i], &QListWidget::currentRowChanged,
              [this, i](int row) { subject_list_[1 - i]->setCurrentRow(row); });
  }
  subject_list_[entries]->setMinimumWidth(entries_width);
  subject_list_[totals]->setFixedWidth(totals_width);
  lists->addWidget(subject_list_[entries], 1);
  lists->addWidget(subject_list_[totals]);
  column->addLayout(lists);

  auto* options = new QGridLayout;
  QLabel* print_total = add_named_label(this, QStringLiteral("vak_tot_txt_0"));
  QLabel* print_mode = add_named_label(this, QStringLiteral("vak_tot_txt_1"));
  druk_tot_1_ = new QLineEdit(this);
  druk_tot_1_->setObjectName(QStringLiteral("druk_tot_1"));
  druk_tot_1_->setMaximumWidth(90);
  druk_tot_2_ = new QLineEdit(this);
  druk_tot_2_->setObjectName(QStringLiteral("druk_tot_2"));
  druk_tot_2_->hide();  // a copy of the print total that nothing reads
  auto* order = new QButtonGroup(this);
  for (int i : {0, 1}) {
    opsie_an_[i] = new QRadioButton(this);
    opsie_an_[i]->setObjectName(platform::control_name(QStringLiteral("opsie_an"), i));
    order->addButton(opsie_an_[i]);
  }
  opsie_an_[0]->setChecked(true);
  options->addWidget(print_total, 0, 0);
  options->addWidget(druk_tot_1_, 0, 1, 1, 2, Qt::AlignLeft);
  options->addWidget(print_mode, 1, 0);
  options->addWidget(opsie_an_[0], 1, 1);
  options->addWidget(opsie_an_[1], 1, 2);
  options->setColumnStretch(3, 1);
  column->addLayout(options);

  // The hidden helpers: the list being printed and the two code lists.
  pnt_grid_ = new platform::flex_grid_view(QStringLiteral("pnt_grid"), this);
  pnt_grid_->hide();
  for (auto [list, name] : {std::pair{&p_s_key_, "p_s_key"}, std::pair{&p_s_lys_, "p_s_lys"},
                            std::pair{&f_e_key_, "f_e_key"}, std::pair{&f_e_lys_, "f_e_lys"}}) {
    *list = new QListWidget(this);
    (*list)->setObjectName(QLatin1String(name));
    (*list)->hide();
  }

  column->addLayout(make_button_bar(*this, {{"punte_druk_print", [this] { punte_druk_print_Click(); }},
                                            {"punte_druk_exit", [this] { punte_druk_exit_Click(); }}}));

  for (auto [control, name] :
       {std::pair{&pnt_dta_, "pnt_dta"}, std::pair{&obe_pnt_, "obe_pnt"}, std::pair{&pi4_p_s_, "pi4_p_s"}}) {
    *control = new platform::data_control(this);
    (*control)->setObjectName(QLatin1String(name));
    (*control)->set_read_only(true);  // only read: no write lock for the administration program to meet
  }

  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 1000, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
}

platform::flex_grid& punte_druk::mark_list() const { return pnt_grid_->grid(); }

void punte_druk::set_texts() {
  set_button_texts(this, {{"punte_druk_print", u"DRUK", u"PRINT", u"DRUK", u"PRINT"},
                          {"punte_druk_exit", u"EXIT", u"EXIT", u"EXIT", u"EXIT"}});
  control<QLabel>(QStringLiteral("vak_ops"))->setText(window_heading());
  control<QLabel>(QStringLiteral("vak_tot_txt_0"))->setText(in_language(u" DRUKTOTAAL", u" PRINT TOTAL"));
  control<QLabel>(QStringLiteral("vak_tot_txt_1"))->setText(in_language(u" DRUKMODUS", u" PRINT MODE"));
  opsie_an_[0]->setText(in_language(u" ALFABETIES", u" ALPHABETIC"));
  opsie_an_[1]->setText(in_language(u" RANGORDE", u" "));
  set_caption(QStringLiteral("KORVA-MARKS : ") +
              control<QPushButton>(QStringLiteral("punte_druk_print"))->toolTip());
}

void punte_druk::on_load() {
  set_texts();
  show_window_heading(*this);
  control<QPushButton>(QStringLiteral("punte_druk_print"))->setEnabled(false);
  fill_subject_list();
  centre_form(*this);  // on the size the filled lists give
  Timer1_Timer();
}

void punte_druk::fill_subject_list() {
  // Read through the subject grid of the other windows, so that a
  // combination shows the same subject total there and here.
  platform::flex_grid cells;
  fill_subject_grid(cells);
  close_file(g_exp_mrk_control_file_number);
  for (int r = 0; r < cells.rows(); ++r) {
    QStringList row;
    for (int c = 0; c < cells.cols(); ++c) row << cells.text_matrix(r, c);
    subject_list_[entries]->addItem(subject_entry(row));
    subject_list_[totals]->addItem(row.value(2));
    subject_list_[totals]->item(r)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  const int height =
      platform::twips_to_pixels(std::min(list_row_twips * std::max(cells.rows(), 1), list_max_twips));
  for (QListWidget* list : subject_list_) list->setFixedHeight(height);
}

void punte_druk::on_unload() {
  for (platform::data_control* control : {pnt_dta_, obe_pnt_, pi4_p_s_}) control->close_database();
  combination_ = 0;
}

void punte_druk::subject_list_DblClick() { open_subject_marks(subject_list_[entries]->currentRow()); }

bool punte_druk::on_key_down(QKeyEvent* event) {
  reset_idle_clock();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const QWidget* focus = focusWidget();
  if (!enter || (focus != subject_list_[entries] && focus != subject_list_[totals])) return false;
  subject_list_DblClick();
  return true;
}

void punte_druk::open_subject_marks(int index) {
  if (index < 0 || index >= subject_list_[entries]->count()) return;
  auto* print = control<QPushButton>(QStringLiteral("punte_druk_print"));
  print->setEnabled(false);
  subject_list_[entries]->setCurrentRow(index);  // one combination at a time
  const QString entry = subject_list_[entries]->item(index)->text();
  auto* heading = control<QLabel>(QStringLiteral("vak_ops"));
  heading->setText(trim_blanks(entry));
  const subject_entry_parts parts = parts_of_subject_entry(entry);
  subject_number_ = parts.number;
  subject_class_ = parts.subject_class;
  const int n = index + 1;
  const QString total = subject_list_[totals]->item(index)->text();
  druk_tot_1_->setText(total);
  druk_tot_2_->setText(total);

  // Nothing of the combination before stays: not its tables, not its codes.
  combination_ = 0;
  list_filled_ = false;
  effort_keys_ = {};
  formative_ = {};
  show_code_lists();
  if (!bind_table(*pnt_dta_, QStringLiteral("punte%1.dbf").arg(n)) ||
      !bind_table(*obe_pnt_, QStringLiteral("obe_p%1.dbf").arg(n))) {
    for (platform::data_control* control : {pnt_dta_, obe_pnt_}) control->close_database();
    heading->setText(window_heading());
    return;
  }
  combination_ = n;
  show_subject_lists(false);
  print->setEnabled(true);
  load_ps_codes();
  load_fe_codes();
  show_code_lists();
}

bool punte_druk::bind_table(platform::data_control& control, const QString& table) {
  finish_interrupted_steps(g_data_folder);  // an export or move a crash stopped
  control.set_database_name(g_data_folder);
  control.set_record_source(table);
  try {
    control.refresh();
    return true;
  } catch (const platform::dbf_error& e) {
    show_critical(table_failure_message(g_data_folder, table, e));
    return false;
  }
}

void punte_druk::load_ps_codes() {
  pi4_p_s_->close_database();
  QString folder = g_data_folder;
  const platform::Value opened =
      open_dbf_table(folder, *pi4_p_s_, false, effort_key_table_name(subject_number_), true);
  if (!opened.is_empty() && opened.to_bool()) effort_keys_ = effort_key_list(pi4_p_s_->recordset());
}

void punte_druk::load_fe_codes() {
  formative_ = formative_list(
      platform::join_win_path(g_data_folder, formative_file_name(subject_number_, subject_class_)));
}

void punte_druk::show_code_lists() {
  const auto show = [](const QStringList& texts, QListWidget* list) {
    list->clear();
    list->addItems(texts);
  };
  show(effort_keys_.codes, p_s_key_);
  show(effort_keys_.entries, p_s_lys_);
  show(formative_.codes, f_e_key_);
  show(formative_.entries, f_e_lys_);
  for (int k = 0; k < f_e_lys_->count(); ++k) f_e_lys_->item(k)->setData(Qt::UserRole, k + 1);
}

void punte_druk::show_subject_lists(bool shown) {
  for (QListWidget* list : subject_list_) list->setVisible(shown);
  if (shown) subject_list_[entries]->setFocus();  // the keyboard goes on in the list
}

void punte_druk::fill_mark_list() {
  if (combination_ == 0) return;
  const mark_list_order order =
      opsie_an_[0]->isChecked() ? mark_list_order::alphabetical : mark_list_order::by_mark;
  const mark_list_sums sums =
      fill_mark_list_rows(mark_list(), read_cycle_list_records(pnt_dta_->recordset()),
                          read_obe_list_records(obe_pnt_->recordset()), effort_keys_, formative_, order);
  mark_total_ = sums.total;
  mark_count_ = sums.count;
  list_filled_ = true;
}

void punte_druk::punte_druk_print_Click() {
  if (combination_ == 0) return;
  // The entry of the open combination, whatever row the lists show now.
  const QString entry = subject_list_[entries]->item(combination_ - 1)->text();
  g_excel_file_name = in_language(u"PUNTELYS ", u"MARKLIST ") + entry;
  g_print_title = entry;
  show_subject_lists(false);
  if (!choose_printer()) return;
  if (!list_filled_) fill_mark_list();
  g_print_new_document = true;
  try {
    print_report_pages(mark_list(), entry, paper_a4_portrait, mark_list_page_style());
    if (const std::optional<mark_list_average> lines =
            mark_list_average_lines({mark_total_, mark_count_}, druk_tot_1_->text()))
      print_mark_list_average(*lines);
  } catch (const platform::platform_error& e) {
    report_print_error(e);
  }
  end_print_job(false, false);
  show_subject_lists(true);
  mark_list().clear();
  list_filled_ = false;
}

void punte_druk::punte_druk_exit_Click() {
  platform::unload_form(this);
  platform::show_form(QStringLiteral("punte_menu1"));
}

void punte_druk::Timer1_Timer() {
  control<QLabel>(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

}  // namespace km
