#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// GUI tests never need a display: they draw into images and drive widgets
// through their handlers.
int main(int argc, char* argv[]) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
