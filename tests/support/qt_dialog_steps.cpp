#include "support/qt_dialog_steps.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace km::test {

qt_dialog_steps::qt_dialog_steps(std::vector<step> steps, std::source_location where)
    : steps_(std::move(steps)), where_(where) {
  previous_ = platform::set_dialogs(&service_);
  schedule_poll();
}

qt_dialog_steps::~qt_dialog_steps() { platform::set_dialogs(previous_); }

// Each look is a timer of its own: a timer does not fire again while its
// own handler runs, and a step's dialog may open a further dialog that the
// next step answers from inside the first.
void qt_dialog_steps::schedule_poll() {
  QTimer::singleShot(5, &context_, [this] { poll(); });
}

void qt_dialog_steps::poll() {
  schedule_poll();
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (!dialog || !dialog->isVisible() || dialog == last_) return;
  last_ = dialog;
  titles_.push_back(dialog->windowTitle());
  if (next_ >= steps_.size()) {
    // A dialog nobody expected would wait for a user for ever.
    ADD_FAILURE_AT(where_.file_name(), int(where_.line()))
        << "unexpected dialog \"" << dialog->windowTitle().toStdString() << "\"";
    dialog->reject();
    return;
  }
  steps_[next_++](dialog);
}

void qt_dialog_steps::verify() {
  for (std::size_t i = next_; i < steps_.size(); ++i)
    ADD_FAILURE_AT(where_.file_name(), int(where_.line())) << "dialog step " << i + 1 << " never ran";
  next_ = steps_.size();
}

void type_into_dialog(QDialog* dialog, const QString& text) {
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (!edit) edit = qobject_cast<QLineEdit*>(dialog->focusWidget());
  if (!edit) edit = dialog->findChild<QLineEdit*>();
  if (!edit) {
    ADD_FAILURE() << "the dialog " << dialog->windowTitle().toStdString() << " has no line edit";
    return;
  }
  QTest::keyClicks(edit, text);
}

}  // namespace km::test
