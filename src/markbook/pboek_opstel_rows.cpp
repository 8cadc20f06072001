// Inserting and deleting task rows of the open set-up. The mark book is
// shifted first, whole; only when that worked do the grid rows move and
// the update write the set-up, so grid, file and table never disagree on
// which mark column is which task.
#include <QFrame>
#include <QPushButton>

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/mark_book_messages.h"
#include "markbook/mark_set_shift.h"
#include "markbook/pboek_opstel.h"
#include "markbook/setup_finder.h"
#include "markbook/setup_grid_rows.h"
#include "markbook/setup_renumber.h"
#include "platform/dialogs.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/value.h"
#include "platform/win_path.h"

namespace km {

namespace {

using platform::msg_buttons;
using platform::msg_icon;

// True when the book could be shifted (or has not been made yet); the
// reason is shown otherwise.
bool shifted(const shift_result& r) {
  if (r.outcome == shift_outcome::shifted || r.outcome == shift_outcome::no_book) return true;
  platform::message_box(r.reason, msg_buttons::ok, msg_icon::critical);
  return false;
}

}  // namespace

void pboek_opstel::pboek_data_ins_Click() {
  if (!setup_shown() || refused_while_open()) return;
  const platform::input_answer answer = platform::input_box(
      in_language(u"VOEG IN VOOR LYN ...", u"INSERT BEFORE LINE ..."), in_language(u"INVOEG", u"INSERT"));
  const double value = platform::val(answer.text);
  if (value == 0) return;  // empty, cancelled, no number or "0"
  if (value != int(value) || value < 1 || value > setup_row_count) {
    platform::beep();
    return;
  }
  const int line = int(value);
  setup_rows rows = rows_of_setup_grid(setup_grid());
  if (setup_row_40_named(rows) || last_mark_set_used(g_data_folder, combination_)) {
    platform::message_box(line_40_in_use_message(), msg_buttons::ok, msg_icon::critical);
    return;
  }
  if (!shifted(insert_mark_set(g_data_folder, combination_, line))) return;
  insert_setup_row(rows, line);
  grid_rows_changed(rows);
}

void pboek_opstel::pboek_data_del_Click() {
  if (!setup_shown() || chosen_row_ < 1 || refused_while_open()) return;
  const QString q = QStringLiteral("\"");
  const QString name = trim_blanks(setup_grid().text_matrix(chosen_row_, 1));
  const QString question = in_language(u"WIL U DEFNITIEF ", u"DO YOU WISH TO DELETE ") + q + name + q +
                           in_language(u" UITVEE ?", u" ?");
  if (platform::message_box(question, msg_buttons::yes_no, msg_icon::information) !=
      platform::msg_answer::yes)
    return;
  pboek_item_->hide();
  if (!shifted(
          delete_mark_set(g_data_folder, combination_, chosen_row_, platform::file_name_part(setup_path_))))
    return;
  setup_rows rows = rows_of_setup_grid(setup_grid());
  delete_setup_row(rows, chosen_row_);
  grid_rows_changed(rows);
}

void pboek_opstel::grid_rows_changed(const setup_rows& rows) {
  put_rows_in_setup_grid(setup_grid(), rows);
  setup_grid().refresh();
  pboek_opstel_stoor_Click();
}

}  // namespace km
