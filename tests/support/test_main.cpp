// The main of every test executable. Window tests (built with
// KM_TEST_WINDOWS) get a QApplication on the offscreen platform, so they
// need no display; every other test program gets a QCoreApplication, which
// proves that its code runs without widgets, fonts or a screen.
#ifdef KM_TEST_WINDOWS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifdef KM_TEST_WINDOWS
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#else
  QCoreApplication app(argc, argv);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
