// Test programs of the window front end need one QApplication for the whole run.
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
  // Also when listing the tests at build time: no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
