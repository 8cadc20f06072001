#include "support/window_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

namespace km::test {

QWidget* find_control(QWidget* root, const QString& name) {
  if (!root) {
    ADD_FAILURE() << "no window to look for control " << name.toStdString() << " in";
    return nullptr;
  }
  if (root->objectName() == name) return root;
  QWidget* w = root->findChild<QWidget*>(name);
  if (!w)
    ADD_FAILURE() << "window " << root->objectName().toStdString() << " has no control "
                  << name.toStdString();
  return w;
}

bool click(QWidget* root, const QString& button_name) {
  auto* button = find_control_as<QAbstractButton>(root, button_name);
  if (!button) return false;
  if (!button->isVisibleTo(button->window()) || !button->isEnabled()) {
    ADD_FAILURE() << "button " << button_name.toStdString() << " cannot be clicked (hidden or disabled)";
    return false;
  }
  QTest::mouseClick(button, Qt::LeftButton);
  return true;
}

bool type_text(QWidget* root, const QString& edit_name, const QString& text, bool clear_first) {
  auto* edit = find_control_as<QLineEdit>(root, edit_name);
  if (!edit) return false;
  edit->setFocus(Qt::OtherFocusReason);
  if (clear_first) edit->clear();
  QTest::keyClicks(edit, text);
  return true;
}

void press_key(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(target, Qt::Key(key), modifiers);
}

void run_events(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace km::test
