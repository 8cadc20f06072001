#include "shell/sk1_wagwoord.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/shared_variables.h"
#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/password_mask.h"
#include "platform/ui/window_registry.h"
#include "shell/menu_passwords.h"

namespace km {

sk1_wagwoord::sk1_wagwoord(QWidget* parent) : platform::form(QStringLiteral("sk1_wagwoord"), parent) {
  auto* layout = new QVBoxLayout(this);
  scr_wwd_txt_ = new QLabel(this);
  scr_wwd_txt_->setObjectName("scr_wwd_txt");
  scr_wagwoord_ = new QLineEdit(this);
  scr_wagwoord_->setObjectName("scr_wagwoord");
  platform::mask_with_stars(scr_wagwoord_);
  wagwoord_ok_ = new QPushButton(QStringLiteral("OK"), this);
  wagwoord_ok_->setObjectName("wagwoord_ok");
  wagwoord_ok_->setAutoDefault(false);
  auto* description = new QLabel(this);
  description->setObjectName("ww_program_beskrywing");
  layout->addWidget(scr_wwd_txt_);
  layout->addWidget(scr_wagwoord_);
  layout->addWidget(wagwoord_ok_);
  layout->addWidget(description);
  on_click(wagwoord_ok_, [this] { wagwoord_ok_click(); });
  // Enter in the password box acts as OK.
  on_signal(scr_wagwoord_, &QLineEdit::returnPressed, [this] { wagwoord_ok_click(); });
  resize(260, 130);
}

void sk1_wagwoord::on_load() {
  // The prompt is answered by OK; its close box leaves the answer False.
  centre_form(*this);
}

void sk1_wagwoord::showEvent(QShowEvent* event) {
  platform::form::showEvent(event);
  const QString text = g_language ? QStringLiteral("WAGWOORD") : QStringLiteral("PASSWORD");
  set_caption(text);
  scr_wwd_txt_->setText(text);
  g_password_ok = false;
  scr_wagwoord_->setFocus(Qt::OtherFocusReason);
}

void sk1_wagwoord::wagwoord_ok_click() {
  const password_list list = menu_password_list();
  const int index = list.find(g_password_key);
  if (index >= 0 && lower_case_password(scr_wagwoord_->text()) == list.password_at(index)) {
    g_password_ok = true;
  } else {
    platform::beep();
  }
  platform::unload_form(this);
}

}  // namespace km
