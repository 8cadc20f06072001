#include "platform/ui/guarded_application.h"

#include "platform/program.h"

namespace km::platform {

guarded_application::guarded_application(int& argc, char** argv) : QApplication(argc, argv) {}

bool guarded_application::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  run_handler([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace km::platform
