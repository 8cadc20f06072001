#pragma once
// Helpers for tests that work a window as the user would: find a control by
// its name, click a button, type into a box, press a key, let the event
// loop run.

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include "platform/ui/form.h"
#include "platform/ui/window_registry.h"

namespace km::platform {
class flex_grid;
}  // namespace km::platform

namespace km::platform {
class bound_grid;
}

namespace km::test {

// The control of this objectName under root (root itself when it has the
// name); a test failure and nullptr when there is none or it is of
// another type.
QWidget* find_control(QWidget* root, const QString& name);
template <class T>
T* find_control_as(QWidget* root, const QString& name) {
  QWidget* w = find_control(root, name);
  if (!w) return nullptr;
  T* typed = qobject_cast<T*>(w);
  if (!typed) ADD_FAILURE() << "control " << name.toStdString() << " is a " << w->metaObject()->className();
  return typed;
}

// Loads a registered window and shows it modeless, as a menu opens it;
// nullptr when its load closed it again.
template <class Window>
Window* show_window(const QString& name) {
  auto* window = static_cast<Window*>(platform::load_form(name));
  if (window) window->show();
  return window;
}

// The grid of a named grid control (a test failure when there is none).
platform::flex_grid& grid_of(QWidget* root, const QString& name);

// Clicks a button (any QAbstractButton) with the mouse. False, with a test
// failure, when the button is missing, hidden or disabled.
bool click(QWidget* root, const QString& button_name);

// Gives a line edit the focus and types the text into it, key by key, so
// that the window's key handlers see every key; clear_first empties it.
bool type_text(QWidget* root, const QString& edit_name, const QString& text, bool clear_first = true);

// Presses and releases a key on a widget (a window or one of its
// controls), as the keyboard would.
void press_key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Success when the window stands where centre_form puts it, judged on the
// size it shows with: centred across the screen, its middle 480 twips
// (32 pixels) above the screen's middle; and wide enough for its caption.
::testing::AssertionResult placed_as_centred(const QWidget* window);

// Makes the window the active one, as the teacher's click on it does, so
// that the keyboard goes to its focused control; false (with a test
// failure) when it does not become active.
bool activate(QWidget* window);

// Types the text key by key, or presses a key, on whatever control has
// the keyboard focus at that moment, as the keyboard does: a test failure
// when no control has it.
void type_on_focus(const QString& text);
void press_on_focus(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Types into a cell of a bound grid and ends with Enter, as a teacher
// does: the first key starts the edit, the rest go into the editor.
void type_into_cell(platform::bound_grid* grid, int row, int col, const QString& text);

// Lets the event loop run: posted events, deferred deletions, zero-time
// timers. Takes no real time beyond the work itself.
void run_events(int rounds = 3);

}  // namespace km::test
