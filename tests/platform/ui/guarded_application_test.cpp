// The application's last net: a failure that a control's own event code
// lets through (here a button wired without the windows' guard) is shown in
// the dialogs' language and the program goes on.
#include "platform/ui/guarded_application.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "platform/clock.h"
#include "platform/dialog_language.h"
#include "platform/form_timer.h"
#include "platform/program.h"
#include "support/scripted_dialogs.h"

namespace km::platform {
namespace {

TEST(guarded_application, a_failure_under_an_event_is_shown_and_the_program_goes_on) {
  ASSERT_NE(dynamic_cast<guarded_application*>(QCoreApplication::instance()), nullptr);
  test::scripted_dialogs dialogs;
  QPushButton button;
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] {
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
    QTest::mouseClick(&button, Qt::LeftButton);
    dialogs.verify();
  }
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(program_has_ended());
}

TEST(guarded_application, the_end_of_the_program_still_ends_it) {
  fake_clock fake;
  scoped_clock use(fake);
  test::scripted_dialogs dialogs;
  QPushButton button;
  QObject::connect(&button, &QPushButton::clicked, [] { end_program(); });
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_TRUE(program_has_ended());
  EXPECT_THROW(pump_events(), program_ended);
}

}  // namespace
}  // namespace km::platform
