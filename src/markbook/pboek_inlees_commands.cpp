// The commands of the capture window on the open book: recalculating the
// totals, the column options (scaling, merit list), copying one mark set
// onto another, pasting a column, the calculator, printing and undo.
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "common/capture_messages.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/column_average.h"
#include "markbook/column_operations.h"
#include "markbook/mark_totals.h"
#include "markbook/mark_value.h"
#include "markbook/marks_dbf_record.h"
#include "markbook/pboek_druk.h"
#include "markbook/pboek_inlees.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/recordset_model.h"
#include "platform/dialogs.h"
#include "platform/number_format.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "shell/window_parts.h"

namespace km {

namespace {

using platform::msg_answer;
using platform::msg_buttons;
using platform::msg_icon;

const QString crlf = QStringLiteral("\r\n");

QString copy_question(const QString& source, const QString& target) {
  if (g_language)
    return QStringLiteral("WIL U DEFNITIEF PUNTE VANAF ") + crlf + source + crlf +
           QStringLiteral(" KOPIEER NA ") + crlf + target + QStringLiteral(" ?");
  return QStringLiteral("DO YOU WISH TO COPY MARK BOOK SETUP FOR ") + crlf + source + crlf +
         QStringLiteral(" TO ") + crlf + target + QStringLiteral(" ?");
}

// The first selected entry of a list, or -1.
int first_selected(const QListWidget* list) {
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) return i;
  return -1;
}

}  // namespace

void pboek_inlees::pboek_inlees_totale_Click() {
  if (!book_open()) return;
  refresh_marks_display();
  setup_rows rows;
  for (int c = 2; c < marks_dbf_field_count; ++c) {
    pboek_setup_line& line = rows[std::size_t(c - 2)];
    line.task_project = lists_.rks_list[0].value(c);
    line.total = lists_.rks_list[1].value(c);
    const int target = lists_.target_field(c);
    line.result_row = target < 0 ? QString() : QString::number(target - 1);
    line.out_of = lists_.rks_list[4].value(c);
  }
  const qint64 count = data2_->recordset().record_count();
  show_progress(count);
  for (qint64 p = 0; p < count; ++p) {
    advance_progress();
    mark_record record;
    for (int c = 0; c < marks_dbf_field_count; ++c) record[std::size_t(c)] = field(p, c);
    const mark_record after = recalculate_totals(rows, record);
    QHash<int, std::optional<QString>> changes;
    for (int c = 2; c < marks_dbf_field_count; ++c) {
      const auto& v = after[std::size_t(c)];
      changes.insert(c, v && v->isEmpty() ? std::nullopt : v);  // an empty text is stored as blanks
    }
    if (!write_fields(p, changes)) break;
  }
  hide_progress();
  // Back to the subject list: the book shows its new totals when opened again.
  marks_exit_Click();
}

void pboek_inlees::kol_opsie_Click(int option) {
  if (option == 1)
    scale_column();
  else
    copy_marks_to_grid(chosen_column());
  kol_opsies_->hide();
}

void pboek_inlees::scale_column() {
  const int c = chosen_column();
  if (!book_open() || c < 2) return;
  if (lists_.is_total_column(c)) {
    show_critical(in_language(u"Verskalings nie moontlik op totaalkolomme nie ...",
                              u"Scaling not possible on total columns ..."));
    return;
  }
  const double total = platform::val(lists_.rks_list[1].value(c));
  if (total <= 0) {
    show_critical(in_language(u"Verskalings nie moontlik sonder 'n TOTAAL nie ...",
                              u"Scaling not possible without a TOTAL ..."));
    return;
  }
  refresh_marks_display();  // the marks typed since the opening count too
  const double current = column_average(c);
  const platform::input_answer answer =
      platform::input_box(scaling_prompt(current), QString(), trim_blanks(platform::str_number(current)));
  const double wanted = answer.cancelled ? 0 : platform::val(trim_blanks(answer.text));
  if (wanted == 0) return;
  const qint64 count = data2_->recordset().record_count();
  std::vector<std::optional<QString>> marks;
  for (qint64 p = 0; p < count; ++p) marks.push_back(field(p, c));
  const std::vector<std::optional<QString>> scaled = scale_marks(marks, total, current, wanted);
  for (qint64 p = 0; p < count; ++p)
    if (!write_fields(p, {{c, scaled[std::size_t(p)]}})) break;
  refresh_marks_display();
  model_->set_header_caption(
      c, mark_column_caption(lists_.rks_list[0][c], lists_.rks_list[1][c], column_average(c)));
}

void pboek_inlees::copy_marks_to_grid(int column) {
  if (!book_open() || column < 2) return;
  platform::flex_grid& merit = merit_grid();
  merit.clear();
  merit.set_rows(1);
  merit.set_cols(3);
  merit.set_fixed_rows(1);
  merit.set_fixed_cols(0);
  const QString task = trim_blanks(lists_.rks_list[0].value(column));
  merit.set_text_matrix(0, 0, in_language(u"T-NR", u"A-NO"));
  merit.set_text_matrix(0, 1, in_language(u"LEERDER", u"LEARNER"));
  merit.set_text_matrix(0, 2, task);
  std::vector<merit_entry> entries;
  const platform::recordset& rs = data2_->recordset();
  for (qint64 p = 0; p < rs.record_count(); ++p)
    entries.push_back({clean_field_value(rs.value_at(p, 0)), clean_field_value(rs.value_at(p, 1)),
                       field(p, column).value_or(QString())});
  for (const merit_entry& e : merit_order(entries))
    merit.add_item(e.number + QStringLiteral("\t") + e.name + QStringLiteral("\t") + e.mark);
  merit_title_ = in_language(u"MERIETELYS ", u"MERIT LIST ") +
                 control<QLabel>(QStringLiteral("vak_info"))->text() + QStringLiteral(" ") + task;
  if (auto* print = dynamic_cast<pboek_druk*>(platform::load_form(QStringLiteral("pboek_druk")))) {
    print->show_merit_list(merit, merit_title_);
    platform::show_form(print, true);
  }
}

void pboek_inlees::marks_copy_Click() {
  for (QListWidget* list : kopieer_reeks_) {
    list->clear();
    for (const copy_list_item& item : lists_.kopieer_reeks) {
      auto* entry = new QListWidgetItem(item.name, list);
      entry->setData(Qt::UserRole, item.field);
    }
  }
  kopieer_raam_->show();
  kopieer_raam_->raise();
}

void pboek_inlees::copy_ok_Click() {
  kopieer_raam_->hide();
  const int s = first_selected(kopieer_reeks_[0]);
  const int t = first_selected(kopieer_reeks_[1]);
  if (!book_open() || s < 0 || t < 0) return;
  const QListWidgetItem* source = kopieer_reeks_[0]->item(s);
  const QListWidgetItem* target = kopieer_reeks_[1]->item(t);
  if (platform::message_box(copy_question(source->text(), target->text()), msg_buttons::yes_no,
                            msg_icon::exclamation) != msg_answer::yes)
    return;
  const int from = source->data(Qt::UserRole).toInt();
  const int to = target->data(Qt::UserRole).toInt();
  show_progress(data2_->recordset().record_count());
  for (qint64 p = 0; p < data2_->recordset().record_count(); ++p) {
    advance_progress();
    if (!write_fields(p, {{to, field(p, from)}})) break;
  }
  hide_progress();
}

void pboek_inlees::paste_into_flex_Click() {
  const int c = grid_->col();
  if (!book_open()) return;
  if (c < 2) {
    show_critical(in_language(u"Kies eers puntkolom waarin punte kopieer moet word !",
                              u"First select marks column into which marks must be pasted !"));
    return;
  }
  if (platform::message_box(paste_warning(), msg_buttons::yes_no, msg_icon::critical) != msg_answer::yes)
    return;
  const qint64 count = data2_->recordset().record_count();
  if (count == 0) return;
  const QStringList marks = pasted_marks(platform::dialogs().clipboard_text(), int(count));
  const int width = data2_->recordset().field_size(c);
  for (const QString& mark : marks) {
    if (mark.size() > width) {  // refused whole, before anything is written
      show_critical(
          in_language(u"WAARDE '", u"VALUE '") + mark +
          in_language(u"' PAS NIE IN DIE PUNTEKOLOM NIE ...", u"' DOES NOT FIT THE MARKS COLUMN ..."));
      return;
    }
  }
  for (qsizetype k = 0; k < marks.size(); ++k)
    if (!write_fields(k, {{c, marks[k].isEmpty() ? std::nullopt : std::optional<QString>(marks[k])}})) break;
  grid_->set_current(0, c);
}

void pboek_inlees::pboek_inlees_calculator_Click() {
  platform::show_form(QStringLiteral("MathCalc"));
  model_->refresh_cells();
}

void pboek_inlees::pboek_inlees_print_Click() { platform::show_form(QStringLiteral("pboek_druk"), true); }

void pboek_inlees::pboek_inlees_undo_Click() {
  if (platform::message_box(undo_question(), msg_buttons::ok_cancel, msg_icon::exclamation) != msg_answer::ok)
    return;
  if (!book_open()) return;
  const platform::recordset& rs = data2_->recordset();
  for (qint64 p = 0; p < rs.record_count(); ++p) {
    const auto kept = opening_marks_.constFind(clean_field_value(rs.value_at(p, 0)));
    if (kept == opening_marks_.constEnd()) continue;  // a record added since the opening
    QHash<int, std::optional<QString>> marks;
    for (int c = 2; c < marks_dbf_field_count; ++c) marks.insert(c, (*kept)[std::size_t(c - 2)]);
    if (!write_fields(p, marks)) break;
  }
  refresh_marks_display();
  for (int c = 2; c < lists_.rks_list[0].size(); ++c)
    model_->set_header_caption(
        c, mark_column_caption(lists_.rks_list[0][c], lists_.rks_list[1][c], column_average(c)));
}

}  // namespace km
