#pragma once
// The floating system menu: a small panel with rounded corners from which
// the user starts the suite's other installed programs, with the process
// environment listed below the buttons.

#include "platform/ui/form.h"

namespace km {

class sk0_floating : public platform::form {
  Q_OBJECT

 public:
  explicit sk0_floating(QWidget* parent = nullptr);

  void on_load() override;

  // A click on the menu button of index 1 to 14.
  void sk0f_menu_click(int index);
};

}  // namespace km
