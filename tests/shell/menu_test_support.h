#pragma once
// What the tests of the menu windows share: a fresh program state on
// temporary drives with scripted dialogs, the menu windows registered, and
// a way to act on a modal window once it is on the screen.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "common/shared_variables.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "shell/menu_passwords.h"
#include "shell/menu_windows.h"
#include "shell/setup_txt.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::test {

class menu_test : public with_scripted_dialogs {
 protected:
  void SetUp() override { register_menu_windows(); }

  // A file of drive C: by its path below the root ("korva-scope-passwords.txt").
  QByteArray c_file(const QString& relative) const {
    return read_native_file(drives.native_drive('C') + '/' + relative);
  }
  void write_c_file(const QString& relative, const QByteArray& bytes) {
    drives.write_native("C/" + relative, bytes);
  }

  temp_drives drives;
};

// A stand-in work window that notes when its orderly close is asked for,
// and may refuse it (as a window with unsaved work whose user stays).
class noting_window : public platform::form {
 public:
  noting_window(const QString& name, QStringList& log, bool refuses = false)
      : platform::form(name), log_(log), refuses_(refuses) {}
  void request_close() override {
    log_.append(name());
    if (!refuses_) platform::unload_form(this);
  }

 private:
  QStringList& log_;
  bool refuses_;
};

// Runs the action once the window of that name is loaded and visible: for
// a modal window, whose show returns only when it has gone. Gives up (a
// test failure) after many rounds of the event loop.
inline void when_shown(const QString& window_name, std::function<void(platform::form*)> action) {
  auto* poll = new QTimer;
  poll->setInterval(0);
  auto rounds = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, rounds, window_name, action] {
    platform::form* window = platform::find_form(window_name);
    if (window && window->isVisible()) {
      poll->stop();
      poll->deleteLater();
      action(window);
      return;
    }
    if (++*rounds > 10000) {
      poll->stop();
      poll->deleteLater();
      ADD_FAILURE() << window_name.toStdString() << " was never shown";
    }
  });
  poll->start();
}

}  // namespace km::test
