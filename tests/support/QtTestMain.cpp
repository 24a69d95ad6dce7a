// GoogleTest's main for the programs that drive Qt widgets: one QApplication
// for the process, on the offscreen platform unless the caller chose another,
// so that the tests run without a display.

#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  // Qt adopts the user's locale; the reports are fixed formats with a decimal point.
  std::setlocale(LC_NUMERIC, "C");
  return RUN_ALL_TESTS();
}
