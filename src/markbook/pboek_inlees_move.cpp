// Moving a learner between class groups from the capture window's subject
// list: the two groups asked in turn, the from-group's learners listed, and
// the clicked one moved after a Yes.
#include <QListWidget>

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "markbook/learner_move.h"
#include "markbook/pboek_inlees.h"
#include "platform/dialogs.h"
#include "shell/window_parts.h"

namespace km {

void pboek_inlees::skuif_leerders_Click() {
  const std::vector<group_entry> groups = combination_groups(g_data_folder);
  const QString prompt = group_prompt(groups);
  for (;;) {
    const platform::input_answer from = platform::input_box(
        prompt, in_language(u"SKUIF LEERDER UIT GROEP ...", u"MOVE LEARNER FROM GROUP ..."));
    if (from.cancelled || from.text.trimmed().isEmpty()) return;
    const platform::input_answer to =
        platform::input_box(prompt, in_language(u"SKUIF LEERDER NA GROEP ...", u"MOVE LEARNER TO GROUP ..."));
    if (to.cancelled || to.text.trimmed().isEmpty()) return;
    const QString refusal = group_pair_refusal(groups, from.text, to.text);
    if (refusal.isEmpty()) {
      move_from_group_ = from.text;
      move_to_group_ = to.text;
      break;
    }
    show_critical(refusal);
    platform::beep();
  }
  ppl_skuif_lys_->clear();
  for (const move_entry& e : move_list(g_data_folder, group_combination(groups, move_from_group_))) {
    auto* item = new QListWidgetItem(e.text, ppl_skuif_lys_);
    item->setData(Qt::UserRole, e.number);
  }
  ppl_skuif_lys_->show();
  ppl_skuif_lys_->raise();
}

void pboek_inlees::ppl_skuif_lys_Click(int index) {
  const QListWidgetItem* item = ppl_skuif_lys_->item(index);
  if (!item) return;
  const QString question =
      g_language
          ? QStringLiteral("WIL U DEFNITIEF ") + item->text() + QStringLiteral("\r\nVAN GROEP ") +
                move_from_group_ + QStringLiteral(" NA GROEP ") + move_to_group_ + QStringLiteral(" SKUIF ?")
          : QStringLiteral("DO YOU REALY WISH TO MOVE ") + item->text() + QStringLiteral("\r\nFROM GROUP ") +
                move_from_group_ + QStringLiteral(" TO GROUP ") + move_to_group_ + QStringLiteral(" ?");
  if (platform::message_box(question, platform::msg_buttons::yes_no, platform::msg_icon::critical) ==
      platform::msg_answer::yes) {
    const std::vector<group_entry> groups = combination_groups(g_data_folder);
    const move_result r = move_learner(g_data_folder, group_combination(groups, move_from_group_),
                                       group_combination(groups, move_to_group_),
                                       {item->text(), item->data(Qt::UserRole).toString()}, move_to_group_);
    if (!r.message.isEmpty()) show_critical(r.message);
  }
  ppl_skuif_lys_->hide();
}

}  // namespace km
