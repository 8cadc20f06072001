// The main of every test executable: windows need a QApplication, which runs
// on the offscreen platform so tests need no display. Every test starts and
// ends with the process-wide state at its start (platform::reset_for_tests)
// and the safe services of safe_services.h in place.
#include <gtest/gtest.h>

#include <QApplication>
#include <exception>

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
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  km::test::install_safe_services();
  ::testing::UnitTest::GetInstance()->listeners().Append(new reset_around_each_test);
  return RUN_ALL_TESTS();
}
