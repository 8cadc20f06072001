// The application's last net: a failure that a control's own event code
// lets through (here a button wired without the windows' guard) is shown in
// the dialogs' language and the program goes on.
#include "platform/ui/guarded_application.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <functional>
#include <stdexcept>

#include "platform/clock.h"
#include "platform/dialog_language.h"
#include "platform/form_timer.h"
#include "platform/program.h"
#include "support/scripted_dialogs.h"

namespace km::platform {
namespace {

// An object whose own event code lets a failure through, as a control wired
// without the windows' guard would; the event reaches it through the
// application's notify, as every event does. (An event of our own, not a
// synthesized mouse click: Qt's pointer-event bookkeeping is not made to be
// unwound through, and would be left behind.)
class failing_receiver : public QObject {
 public:
  explicit failing_receiver(std::function<void()> action) : action_(std::move(action)) {}
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    action_();
    return true;
  }
  void poke() {
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(this, &e);
  }

 private:
  std::function<void()> action_;
};

TEST(guarded_application, a_failure_under_an_event_is_shown_and_the_program_goes_on) {
  ASSERT_NE(dynamic_cast<guarded_application*>(QCoreApplication::instance()), nullptr);
  test::scripted_dialogs dialogs;
  int clicks = 0;
  failing_receiver receiver([&] {
    ++clicks;
    throw std::runtime_error("table locked");
  });
  struct language_case {
    dialog_language language;
    const char* message;
  };
  for (const language_case& c :
       {language_case{dialog_language::english,
                      "UNEXPECTED ERROR: table locked\r\n\r\nThe step was stopped; the program goes on."},
        language_case{dialog_language::afrikaans,
                      "ONVERWAGTE FOUT: table locked\r\n\r\nDie stap is gestaak; die program gaan voort."}}) {
    set_dialog_language_source([language = c.language] { return language; });
    dialogs.expect_message(QString::fromUtf8(c.message)).icon(msg_icon::critical).title("KORVA-MARKS");
    receiver.poke();
    dialogs.verify();
  }
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(program_has_ended());
}

TEST(guarded_application, the_end_of_the_program_still_ends_it) {
  fake_clock fake;
  scoped_clock use(fake);
  test::scripted_dialogs dialogs;
  failing_receiver receiver([] { end_program(); });
  receiver.poke();
  EXPECT_TRUE(program_has_ended());
  EXPECT_THROW(pump_events(), program_ended);
}

}  // namespace
}  // namespace km::platform
