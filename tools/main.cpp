#include "tools/QozTool.h"

#include "base/MemoryTuning.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[]) {
  StartWithHugePageHeap(argv);
  KeepFreedMemoryForReuse();
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("qoztool"));
  return TQozTool(std::cout, std::cerr).Run(QCoreApplication::arguments());
}
