// Copying the set-up of one combination to others. Only the set-up file is
// copied; each destination's mark book follows at its next update.
#include <QFrame>
#include <QListWidget>

#include "common/file_error_reason.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/pboek_opstel.h"
#include "markbook/setup_finder.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/name_case.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/win_path.h"

namespace km {

namespace {

using platform::msg_buttons;
using platform::msg_icon;

const QString copy_crlf = QStringLiteral("\r\n");

QString copy_over_question(const QString& source, const QString& destination) {
  if (g_language)
    return QStringLiteral("WIL U DEFNITIEF PUNTEBOEK OPSTELLING VIR ") + copy_crlf + source + copy_crlf +
           QStringLiteral(" KOPIEER NA ") + copy_crlf + destination + QStringLiteral(" ?");
  return QStringLiteral("DO YOU WISH TO COPY MARK BOOK SETUP FOR ") + copy_crlf + source + copy_crlf +
         QStringLiteral(" TO ") + copy_crlf + destination + QStringLiteral(" ?");
}

QString no_source_message(const QString& source) {
  return in_language(u"PUNTEBOEK OPSTELLING VIR ", u"MARK BOOK SETUP FOR ") + source +
         in_language(u" BESTAAN NIE ...", u" DOES NOT EXIST ...");
}

}  // namespace

void pboek_opstel::pboek_copy_Click() {
  kopieer_raam_->show();
  kopieer_raam_->raise();
}

// At most one source: choosing one deselects the others.
void pboek_opstel::kopieer_vaklys_Click(int index) {
  if (index != 0) return;
  QListWidget* list = kopieer_vaklys_[0];
  const int current = list->currentRow();
  if (current < 0 || !list->item(current)->isSelected()) return;
  for (int p = 0; p < list->count(); ++p)
    if (p != current) list->item(p)->setSelected(false);
}

QString pboek_opstel::list_text(int list, int position) const {
  return upper_case_afrikaans(kopieer_vaklys_[list]->item(position)->text());
}

void pboek_opstel::copy_ok_Click() {
  kopieer_raam_->hide();
  QListWidget* sources = kopieer_vaklys_[0];
  const int s = sources->currentRow();
  if (s >= 0 && sources->item(s)->isSelected()) {
    const setup_file_found source = find_setup_file(g_data_folder, combination_cells(s + 1));
    if (!source.exists) {
      platform::message_box(no_source_message(list_text(0, s)), msg_buttons::ok, msg_icon::critical);
      return;
    }
    QListWidget* destinations = kopieer_vaklys_[1];
    for (int d = 0; d < destinations->count(); ++d) {
      if (!destinations->item(d)->isSelected()) continue;
      const setup_file_found target = find_setup_file(g_data_folder, combination_cells(d + 1));
      if (platform::names_equal(platform::full_win_path(target.win_path),
                                platform::full_win_path(source.win_path)))
        continue;  // the source itself: a copy onto itself is no copy
      if (platform::message_box(copy_over_question(list_text(0, s), list_text(1, d)), msg_buttons::yes_no,
                                msg_icon::exclamation) != platform::msg_answer::yes)
        continue;
      try {
        platform::copy_file(source.win_path, target.win_path, true);
      } catch (const platform::file_error& e) {
        platform::message_box(
            target.win_path + QStringLiteral(" (") + file_error_reason(e) + QStringLiteral(")"),
            msg_buttons::ok, msg_icon::critical);
      }
    }
  }
  show_list_view();
}

}  // namespace km
