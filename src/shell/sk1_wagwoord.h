#pragma once
// The password prompt: a small modal window with one password box. The
// menu that asks has put the button's key in g_password_key; the prompt
// sets g_password_ok when the typed text, lower-cased, is that button's
// password. One try per prompt.

#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace km {

class sk1_wagwoord : public platform::form {
  Q_OBJECT

 public:
  explicit sk1_wagwoord(QWidget* parent = nullptr);

  void on_load() override;

  // OK (or Enter in the password box): compares, sets g_password_ok, closes.
  void wagwoord_ok_click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* scr_wwd_txt_;
  QLineEdit* scr_wagwoord_;
  QPushButton* wagwoord_ok_;
};

}  // namespace km
