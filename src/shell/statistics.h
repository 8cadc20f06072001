#pragma once
// The system information window: the user, memory, screen, colours, the
// program's drive with its space, the other drives, and the operating
// system and processor, all gathered while the window loads from the
// platform's system information.

#include <QString>

#include "platform/ui/form.h"

class QLineEdit;

namespace km {

class statistics : public platform::form {
  Q_OBJECT

 public:
  explicit statistics(QWidget* parent = nullptr);

  void on_load() override;

  // The three steps of the load, in this order.
  void UserName();
  void SystemInformation();
  void VersionInformation();

  // The text box of this name ("txtUserName" ...).
  QLineEdit* box(const QString& name) const;

 private:
  void set_box(const QString& name, const QString& text);
};

}  // namespace km
