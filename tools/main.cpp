#include "tools/QozTool.h"

#include "base/MemoryTuning.h"

#include <QGuiApplication>

#include <iostream>

int main(int argc, char* argv[]) {
  StartWithHugePageHeap(argv);
  KeepFreedMemoryForReuse();
  // Drawing needs the GUI classes (fonts, images) but never a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("qoztool"));
  return TQozTool(std::cout, std::cerr).Run(QCoreApplication::arguments());
}
