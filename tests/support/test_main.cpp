// The main of every test executable. Window tests (built with
// KM_TEST_WINDOWS) get the program's own application object (with its last
// net under every event) on the offscreen platform, so they need no
// display; the tests of the platform's model library (KM_TEST_GUI) get a
// QGuiApplication there, for its fonts; every other test program gets a
// QCoreApplication, which proves that its code runs without widgets, fonts
// or a screen. Every test
// starts and ends with the process-wide state at its start
// (platform::reset_for_tests) and the safe services of safe_services.h in
// place.
#ifdef KM_TEST_WINDOWS
#include "platform/ui/guarded_application.h"
#elif defined(KM_TEST_GUI)
#include <QGuiApplication>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

#include <exception>

#include "platform/number_locale.h"
#include "platform/services.h"
#include "support/safe_services.h"

namespace {

class reset_around_each_test : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { reset(); }
  void OnTestEnd(const ::testing::TestInfo&) override { reset(); }

  static void reset() {
    try {
      km::platform::reset_for_tests();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "resetting the program's state failed: " << e.what();
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
#ifdef KM_TEST_WINDOWS
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  km::platform::guarded_application app(argc, argv);
#elif defined(KM_TEST_GUI)
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
#else
  QCoreApplication app(argc, argv);
#endif
  // As in the program: the application object took the locale of the
  // environment, numbers keep "." as their decimal point.
  km::platform::use_c_number_locale();
  ::testing::InitGoogleTest(&argc, argv);
  km::test::install_safe_services();
  ::testing::UnitTest::GetInstance()->listeners().Append(new reset_around_each_test);
  return RUN_ALL_TESTS();
}
