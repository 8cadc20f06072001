#pragma once
// For tests that work the program's real Qt dialogs (message boxes, input
// boxes, folder and file dialogs) instead of the scripted stand-in: each
// step runs on the next modal dialog that comes on the screen, as a user
// would work it, and must close that dialog.
//
//   km::test::qt_dialog_steps steps({
//       [](QDialog* d) { type_into_dialog(d, "10"); QTest::keyClick(d, Qt::Key_Return); },
//       [](QDialog* d) { d->accept(); }});
//   run the code that shows the dialogs ...
//   steps.verify();

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <source_location>
#include <vector>

#include "platform/ui/qt_dialogs.h"

namespace km::test {

class qt_dialog_steps {
 public:
  using step = std::function<void(QDialog*)>;
  // Installs the program's Qt dialog service for the life of this object.
  explicit qt_dialog_steps(std::vector<step> steps,
                           std::source_location where = std::source_location::current());
  ~qt_dialog_steps();
  qt_dialog_steps(const qt_dialog_steps&) = delete;
  qt_dialog_steps& operator=(const qt_dialog_steps&) = delete;

  // Fails the test for every step whose dialog never came.
  void verify();
  // The titles of the dialogs the steps ran on, in order.
  const std::vector<QString>& titles() const { return titles_; }

 private:
  void schedule_poll();
  void poll();

  std::vector<step> steps_;
  std::size_t next_ = 0;
  std::vector<QString> titles_;
  QPointer<QDialog> last_;
  QObject context_;  // pending looks end with it
  platform::qt_dialogs service_;
  platform::dialog_service* previous_ = nullptr;
  std::source_location where_;
};

// Types the text key by key into the dialog's name box (a file dialog's),
// else the line edit that has the focus, else its first line edit.
void type_into_dialog(QDialog* dialog, const QString& text);

}  // namespace km::test
