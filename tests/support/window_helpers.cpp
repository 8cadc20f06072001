#include "support/window_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <stdexcept>

#include "platform/ui/caption_width.h"
#include "platform/ui/grid/bound_grid.h"
#include "platform/ui/grid/flex_grid_view.h"

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

platform::flex_grid& grid_of(QWidget* root, const QString& name) {
  auto* view = find_control_as<platform::flex_grid_view>(root, name);
  if (!view) throw std::runtime_error("no grid control " + name.toStdString());
  return view->grid();
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

bool activate(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  if (QTest::qWaitForWindowActive(window)) return true;
  ADD_FAILURE() << "the window " << window->objectName().toStdString() << " did not become active";
  return false;
}

namespace {

QWidget* keyboard_focus() {
  QWidget* focus = QApplication::focusWidget();
  if (!focus) ADD_FAILURE() << "no control has the keyboard focus";
  return focus;
}

}  // namespace

void type_on_focus(const QString& text) {
  for (const QChar c : text) {
    QWidget* focus = keyboard_focus();
    if (!focus) return;
    QTest::keyClicks(focus, QString(c));
  }
}

void press_on_focus(int key, Qt::KeyboardModifiers modifiers) {
  if (QWidget* focus = keyboard_focus()) QTest::keyClick(focus, Qt::Key(key), modifiers);
}

void run_events(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace km::test

namespace km::test {

::testing::AssertionResult placed_as_centred(const QWidget* window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return ::testing::AssertionFailure() << "no screen";
  const QRect area = screen->geometry();
  const QRect shown = window->geometry();
  // centre_form places the window's corner by its own size, as the platform
  // placed a window by its outer size.
  const QPoint corner = window->frameGeometry().topLeft();
  const int dx = corner.x() - (area.x() + (area.width() - shown.width()) / 2);
  const int dy = corner.y() - (area.y() + (area.height() - shown.height()) / 2 - 32);
  if (std::abs(dx) > 1 || std::abs(dy) > 1)
    return ::testing::AssertionFailure()
           << "the window at (" << corner.x() << ", " << corner.y() << ") size " << shown.width() << " x "
           << shown.height() << " is off centre by " << dx << ", " << dy;
  if (shown.width() < platform::width_for_caption(window->windowTitle()))
    return ::testing::AssertionFailure()
           << "the caption needs " << platform::width_for_caption(window->windowTitle())
           << " pixels, the window is " << shown.width();
  return ::testing::AssertionSuccess();
}

void type_into_cell(platform::bound_grid* grid, int row, int col, const QString& text) {
  grid->set_current(row, col);
  grid->current_view()->setFocus();
  QTest::keyClicks(grid->current_view(), text.left(1));
  if (text.size() > 1 && grid->editor()) QTest::keyClicks(grid->editor(), text.mid(1));
  if (grid->editor()) QTest::keyClick(grid->editor(), Qt::Key_Return);
}

}  // namespace km::test
