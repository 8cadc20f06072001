#pragma once
// The program's application object: the last net under every event. An
// exception that a handler let through (one wired past the windows' guard,
// a control's own event code) would end the program through the event loop;
// here it is shown in a message box in the chosen language, as the guard of
// the windows shows it, and the program goes on. The end of the program
// (program_ended) still ends it.
#include <QApplication>

namespace km::platform {

class guarded_application : public QApplication {
 public:
  guarded_application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace km::platform
