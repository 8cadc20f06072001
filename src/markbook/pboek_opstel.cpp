#include "markbook/pboek_opstel.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "common/file_error_reason.h"
#include "common/file_number_pool.h"
#include "common/idle_clock.h"
#include "common/language_text.h"
#include "common/open_exp_mrk_control.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "common/ui/subject_grid.h"
#include "common/ui/window_placement.h"
#include "markbook/column_explanations.h"
#include "markbook/example_setup.h"
#include "markbook/mark_book_update.h"
#include "markbook/open_books.h"
#include "markbook/result_row.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "markbook/setup_grid_rows.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/form_timer.h"
#include "platform/numbered_files.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/virtual_keys.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "shell/menu_form.h"
#include "shell/status_labels.h"
#include "shell/window_parts.h"

namespace km {

namespace {

using platform::msg_buttons;
using platform::msg_icon;

// The list of combinations is at most 5655 twips high.
constexpr double setup_list_height_limit = 5655;
constexpr double setup_list_row_twips = 300;

}  // namespace

pboek_opstel::pboek_opstel(QWidget* parent) : platform::form(QStringLiteral("pboek_opstel"), parent) {
  build_controls();
}

void pboek_opstel::build_controls() {
  auto* column = new QVBoxLayout(this);
  add_window_heading(this, column);

  // The list of combinations, the set-up and the copy frame share one place;
  // only one of them shows at a time, or a frame over them.
  auto* middle = new QGridLayout;
  vak_grid_ = new platform::flex_grid_view(QStringLiteral("vak_grid"), this);
  vak_grid_->set_select_whole_rows(true);
  pboek_grid_ = new platform::flex_grid_view(QStringLiteral("pboek_grid"), this);
  middle->addWidget(vak_grid_, 0, 0);
  middle->addWidget(pboek_grid_, 0, 0);

  kopieer_raam_ = add_named_frame(this, QStringLiteral("kopieer_raam"));
  auto* copy_row = new QHBoxLayout(kopieer_raam_);
  for (int i = 0; i < 2; ++i) {
    kopieer_vaklys_[i] = new QListWidget(kopieer_raam_);
    kopieer_vaklys_[i]->setObjectName(platform::control_name(QStringLiteral("kopieer_vaklys"), i));
    kopieer_vaklys_[i]->setSelectionMode(QAbstractItemView::MultiSelection);
    copy_row->addWidget(kopieer_vaklys_[i]);
    on_signal(kopieer_vaklys_[i], &QListWidget::itemClicked, [this, i] { kopieer_vaklys_Click(i); });
  }
  on_click(add_named_button(kopieer_raam_, QStringLiteral("copy_ok")), [this] { copy_ok_Click(); });
  copy_row->addWidget(control<QPushButton>(QStringLiteral("copy_ok")), 0, Qt::AlignBottom);
  middle->addWidget(kopieer_raam_, 0, 0);
  kopieer_raam_->hide();
  kb_raam_ = new column_explanations(this, [this] { return setup_grid().text(); });
  middle->addWidget(kb_raam_, 0, 0);
  column->addLayout(middle, 1);

  // The edit frame of one row: six captions over six boxes, OK and delete.
  pboek_item_ = new QFrame(this);
  pboek_item_->setObjectName(QStringLiteral("pboek_item"));
  pboek_item_->setFrameShape(QFrame::Box);
  auto* item = new QGridLayout(pboek_item_);
  const int stretch[] = {1, 6, 2, 2, 2, 3};
  for (int i = 0; i < 6; ++i) {
    item->addWidget(add_named_label(pboek_item_, platform::control_name(QStringLiteral("pboek_teks"), i)), 0,
                    i);
    auto* box = new QLineEdit(pboek_item_);
    box->setObjectName(platform::control_name(QStringLiteral("pboek_data"), i));
    box->installEventFilter(this);
    item->addWidget(box, 1, i);
    item->setColumnStretch(i, stretch[i]);
  }
  auto* item_buttons = new QHBoxLayout;
  on_click(add_named_button(pboek_item_, QStringLiteral("pboek_data_ok")), [this] { pboek_data_ok_Click(); });
  on_click(add_named_button(pboek_item_, QStringLiteral("pboek_data_del")),
           [this] { pboek_data_del_Click(); });
  item_buttons->addWidget(control<QPushButton>(QStringLiteral("pboek_data_ok")));
  item_buttons->addWidget(control<QPushButton>(QStringLiteral("pboek_data_del")));
  item->addLayout(item_buttons, 1, 6);
  column->addWidget(pboek_item_);
  pboek_item_->hide();

  auto* buttons =
      make_button_bar(*this, {{"pboek_opstel_save", [this] { pboek_opstel_save_Click(); }},
                              {"pboek_opstel_stoor", [this] { pboek_opstel_stoor_Click(); }},
                              {"pboek_opstel_help", [this] { pboek_opstel_help_Click(); }},
                              {"pboek_opstel_print", [this] { pboek_opstel_print_Click(); }},
                              {"pboek_copy", [this] { pboek_copy_Click(); }},
                              {"pboek_data_ins", [this] { pboek_data_ins_Click(); }},
                              {"pboek_opstel_calculator", [this] { pboek_opstel_calculator_Click(); }},
                              {"pboek_opstel_exit", [this] { pboek_opstel_exit_Click(); }}});
  column->addLayout(buttons);

  // The window's data controls: the learner table and the mark book.
  pnt_dta_ = new platform::data_control(this);
  pnt_dta_->setObjectName(QStringLiteral("pnt_dta"));
  mrk_book_ = new platform::data_control(this);
  mrk_book_->setObjectName(QStringLiteral("mrk_book"));

  on_signal(vak_grid_, &platform::flex_grid_view::double_click, [this] { vak_grid_DblClick(); });
  on_signal(vak_grid_, &platform::flex_grid_view::key_down, [this](int key, Qt::KeyboardModifiers) {
    if (key == 13) vak_grid_DblClick();
  });
  on_signal(pboek_grid_, &platform::flex_grid_view::double_click, [this] { pboek_grid_DblClick(); });
  on_signal(pboek_grid_, &platform::flex_grid_view::mouse_down,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { pboek_grid_MouseDown(button); });

  auto* clock_timer = new platform::form_timer(this, QStringLiteral("Timer1"), 1000, true);
  clock_timer->set_handler([this] { Timer1_Timer(); });
  resize(780, 560);
}

platform::flex_grid& pboek_opstel::setup_grid() const { return pboek_grid_->grid(); }
platform::flex_grid& pboek_opstel::subject_grid() const { return vak_grid_->grid(); }

QLineEdit* pboek_opstel::data_box(int index) const {
  return control<QLineEdit>(platform::control_name(QStringLiteral("pboek_data"), index));
}

bool pboek_opstel::setup_shown() const { return !pboek_grid_->isHidden() && combination_ > 0; }

void pboek_opstel::on_load() {
  pnt_dta_->set_database_name(g_data_folder);
  set_texts();
  show_window_heading(*this);
  set_key_preview(true);
  pboek_grid_->hide();
  lay_out_setup_grid(setup_grid());

  fill_subject_grid(subject_grid());
  close_file(g_exp_mrk_control_file_number);
  show_list_view();
  fill_copy_lists();
  control<QPushButton>(QStringLiteral("pboek_data_ins"))->setEnabled(false);
  Timer1_Timer();
  centre_form(*this);  // once the texts of the language have sized the window
}

void pboek_opstel::set_texts() {
  set_caption(in_language(u"PUNTEBOEK OPSTEL", u"MARK BOOK SETUP"));
  control<QLabel>(QStringLiteral("ops_stelsel"))->setText(caption());
  set_button_texts(
      this,
      {{"pboek_opstel_help", u"VOORBEELD", u"EXAMPLE", u"VOORBEELD", u"EXAMPLE"},
       {"pboek_opstel_stoor", u"OPDATEER", u"UPDATE", u"OPDATEER", u"UPDATE"},
       {"pboek_opstel_print", u"DRUK", u"PRINT", u"DRUK", u"PRINT"},
       {"pboek_opstel_save", u"STOOR", u"SAVE", u"STOOR PUNTEBOEK OPSTELLING", u"SAVE MARK BOOK SETUP"},
       {"pboek_opstel_exit", u"EXIT", u"EXIT", u"EXIT", u"EXIT"},
       {"pboek_opstel_calculator", u"SAKREKENAAR", u"CALCULATOR", u"SAKREKENAAR", u"CALCULATOR"},
       {"pboek_copy", u"KOPIEER", u"COPY", u" Kopieer Punteboekopstellings tussen vakke/grade/klasse ",
        u" Copy mark book setup between subjects/grades/classes "},
       {"pboek_data_ins", u"VOEG IN", u"INSERT",
        u" Voeg 'n nuwe TAAK/PROJEK in tussen bestaande TAKE/PROJEKTE ",
        u" Insert a new TASK/PROJECT between existing TASKS/PROJECTS "},
       {"pboek_data_del", u"VERWYDER", u"DELETE", u" Verwyder TAAK/PROJEK uit bestaande TAAK-/PROJEKLYS ",
        u" Remove TASK/PROJECT from existing TASK/PROJECT list "},
       {"pboek_data_ok", u"OK", u"OK", nullptr, nullptr},
       {"copy_ok", u"OK", u"OK", nullptr, nullptr}});
  const char16_t* captions_af[] = {u"NOMMER",     u"TAAK/PROJEK", u"TOTAAL",
                                   u"VERWERK NA", u"TOT UIT",     u"SIKLUSNAAM"};
  const char16_t* captions_en[] = {u"NUMBER", u"TASK/PROJECT", u"TOTAL", u"RESULT", u"OUT OF", u"CYCLE NAME"};
  for (int i = 0; i < 6; ++i)
    control<QLabel>(platform::control_name(QStringLiteral("pboek_teks"), i))
        ->setText(in_language(captions_af[i], captions_en[i]));
  pboek_grid_->setToolTip(in_language(u" Regsklik om kolom-verduidelikings te vertoon ",
                                      u" Right click to display column explanations "));
  kopieer_vaklys_[0]->setToolTip(in_language(u" Klik vakkombinasie waarvandaan gekopieer word ",
                                             u" Click original subject combination "));
  kopieer_vaklys_[1]->setToolTip(in_language(u" Klik vakkombinasie waarheen gekopieer moet word ",
                                             u" Click destination subject combination "));
}

// Both copy lists hold one line per combination: its grade, subject and
// three class fields, cleaned and joined by a blank. The export-control
// file stays open while the window is, for the copy to read.
void pboek_opstel::fill_copy_lists() {
  for (QListWidget* list : kopieer_vaklys_) list->clear();
  try {
    open_exp_mrk_control(QStringLiteral("E_C"), g_data_folder);
    for (int n = 1; n <= g_exp_mrk_control_count; ++n) {
      const QStringList cells = combination_cells(n);
      QStringList parts;
      for (int field : {0, 1, 3, 4, 5}) parts << clean_field_value(platform::Value(cells.value(field)));
      for (QListWidget* list : kopieer_vaklys_) list->addItem(parts.join(QLatin1Char(' ')));
    }
  } catch (const platform::file_error& e) {
    show_critical(platform::join_win_path(g_data_folder, QStringLiteral("exp_mrk_control.txt")) +
                  QStringLiteral(" (") + file_error_reason(e) + QStringLiteral(")"));
  }
}

QStringList pboek_opstel::combination_cells(int n) const {
  if (g_exp_mrk_control_file_number == 0) return {};
  platform::get_record(g_exp_mrk_control_file_number, n, g_exp_mrk_control_rec);
  return subject_grid_cells(g_exp_mrk_control_rec);
}

void pboek_opstel::show_list_view() {
  pboek_grid_->hide();
  kopieer_raam_->hide();
  pboek_item_->hide();
  vak_grid_->set_height_twips(get_min_value(platform::Value(setup_list_height_limit),
                                            platform::Value(setup_list_row_twips * subject_grid().rows())));
  vak_grid_->show();
  vak_grid_->raise();
  vak_grid_->setFocus();
}

void pboek_opstel::vak_grid_DblClick() {
  if (subject_grid().rows() == 0 || subject_grid().row() < 0) return;
  choose_subject_combination(subject_grid().row());
  pboek_grid_->show();
  pboek_grid_->raise();
  control<QPushButton>(QStringLiteral("pboek_data_ins"))->setEnabled(true);
}

void pboek_opstel::choose_subject_combination(int row) {
  vak_grid_->hide();
  const platform::flex_grid& list = subject_grid();
  control<QLabel>(QStringLiteral("vak_ops"))
      ->setText(list.text_matrix(row, 0) + QStringLiteral(" ") + list.text_matrix(row, 1));
  combination_ = row + 1;
  QStringList cells;
  for (int c = 0; c < list.cols(); ++c) cells << list.text_matrix(row, c);
  const setup_file_found found = find_setup_file(g_data_folder, cells);
  setup_key_ = found.key;
  setup_path_ = found.win_path;
  load_setup();
}

void pboek_opstel::load_setup() {
  setup_rows rows;
  if (platform::file_exists(setup_path_)) {
    try {
      rows = read_setup_file(setup_path_).rows;  // a short file shows what it held
    } catch (const platform::file_error&) {
      // An unreadable file shows an empty set-up, as a missing one does.
    }
  }
  lay_out_setup_grid(setup_grid());
  put_rows_in_setup_grid(setup_grid(), rows);
  setup_grid().set_col_width(1, std::max(setup_grid().col_width(1), 4500));
  highlight_carried_rows(setup_grid());
}

void pboek_opstel::pboek_grid_DblClick() {
  const int row = setup_grid().row();
  if (row < 1 || row > setup_row_count) return;  // the heading row is not a task row
  chosen_row_ = row;
  highlight_carried_rows(setup_grid());
  pboek_item_->show();
  pboek_item_->raise();
  data_box(0)->setText(QString::number(row));
  data_box(1)->setText(upper_case_afrikaans(setup_grid().text_matrix(row, 1)));
  for (int i = 2; i <= 4; ++i) data_box(i)->setText(setup_grid().text_matrix(row, i));
  data_box(5)->setText(upper_case_afrikaans(setup_grid().text_matrix(row, 5)));
  data_box(1)->setFocus();
}

bool pboek_opstel::pboek_data_LostFocus(int index) {
  if (index < 2 || index > 4) return true;
  const QString text = trim_blanks(data_box(index)->text());
  if (text.isEmpty() || platform::is_number_text(text)) return true;
  platform::beep();
  return false;
}

void pboek_opstel::pboek_grid_MouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton) kb_raam_->load_column_info();
}

void pboek_opstel::pboek_data_ok_Click() {
  if (trim_blanks(data_box(2)->text()).isEmpty()) {
    platform::beep();
    return;
  }
  // A result row names another row from 1 to 40, or is empty or "0".
  const QString result = trim_blanks(data_box(3)->text());
  if (!result.isEmpty() && result != QStringLiteral("0") && !result_target(chosen_row_, result)) {
    platform::beep();
    data_box(3)->setFocus();
    return;
  }
  if (chosen_row_ < 1) return;
  pboek_item_->hide();
  platform::flex_grid& grid = setup_grid();
  grid.set_text_matrix(chosen_row_, 1, upper_case_afrikaans(data_box(1)->text()));
  for (int i = 2; i <= 4; ++i) grid.set_text_matrix(chosen_row_, i, data_box(i)->text());
  grid.set_text_matrix(chosen_row_, 5, upper_case_afrikaans(data_box(5)->text()));
  grid.refresh();
}

bool pboek_opstel::refused_while_open() const {
  if (!is_book_open(g_data_folder, combination_)) return false;
  show_critical(book_open_message());
  return true;
}

void pboek_opstel::pboek_opstel_save_Click() {
  if (!setup_shown()) return;  // nothing is saved from the list of combinations
  control<QPushButton>(QStringLiteral("pboek_data_ins"))->setEnabled(false);
  pboek_opstel_stoor_Click();
  show_list_view();
  control<QPushButton>(QStringLiteral("pboek_opstel_stoor"))->setEnabled(true);
}

void pboek_opstel::pboek_opstel_stoor_Click() {
  if (!setup_shown() || refused_while_open()) return;
  try {
    write_setup_file(setup_path_, rows_of_setup_grid(setup_grid()));
  } catch (const platform::file_error& e) {
    show_critical(setup_path_ + QStringLiteral(" (") + file_error_reason(e) + QStringLiteral(")"));
  }
  const mark_book_update_result r =
      update_mark_book(*pnt_dta_, *mrk_book_, g_data_folder, combination_, g_program_folder);
  for (const QString& text : {r.learner_message, r.book_message})
    if (!text.isEmpty()) show_critical(text);
  control<QPushButton>(QStringLiteral("pboek_opstel_stoor"))->setEnabled(false);
}

void pboek_opstel::pboek_opstel_help_Click() { fill_example_setup(); }

void pboek_opstel::fill_example_setup() {
  setup_rows rows = rows_of_setup_grid(setup_grid());
  apply_example_setup(rows, g_language);
  put_rows_in_setup_grid(setup_grid(), rows);
  setup_grid().refresh();
}

void pboek_opstel::pboek_opstel_calculator_Click() { platform::show_form(QStringLiteral("MathCalc")); }

void pboek_opstel::pboek_opstel_exit_Click() {
  close_file(g_exp_mrk_control_file_number);
  platform::unload_form(this);
  platform::show_form(QStringLiteral("punte_menu2"));
}

void pboek_opstel::request_close() { pboek_opstel_exit_Click(); }

void pboek_opstel::Timer1_Timer() {
  control<QLabel>(QStringLiteral("ops_tyd"))->setText(platform::time_text(platform::clock().now()));
}

bool pboek_opstel::on_key_down(QKeyEvent* event) {
  reset_idle_clock();
  // "?" fills the example only when it is not typed into a box.
  QWidget* focus = focusWidget();  // the control the key is typed into
  const bool in_box = qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus);
  if (platform::virtual_key_code(*event) == 191 && event->modifiers() == Qt::ShiftModifier && !in_box) {
    fill_example_setup();
    return true;
  }
  return false;
}

bool pboek_opstel::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < 6; ++i) {
    if (watched != data_box(i)) continue;
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      const QString text = key->text();
      if (text == QStringLiteral("\"")) {  // a quote would end the value early in the set-up file
        platform::beep();
        return true;
      }
      if (i > 0 && text.size() == 1 && text[0] >= QLatin1Char('a') && text[0] <= QLatin1Char('z')) {
        data_box(i)->insert(text.toUpper());
        return true;
      }
    } else if (event->type() == QEvent::FocusOut && !pboek_data_LostFocus(i)) {
      QTimer::singleShot(0, data_box(i), [box = data_box(i)] { box->setFocus(); });
    }
    break;
  }
  return platform::form::eventFilter(watched, event);
}

}  // namespace km
