#include "platform/DragLauncher.h"

#include "platform/QtDragLauncher.h"

namespace {

TDragLauncher* installed = nullptr;

}  // namespace

TDragLauncher* InstallDragLauncher(TDragLauncher* launcher) {
  TDragLauncher* previous = installed;
  installed = launcher;
  return previous;
}

TDragLauncher& DragLauncher() {
  static TQtDragLauncher qtLauncher;
  return installed ? *installed : qtLauncher;
}
