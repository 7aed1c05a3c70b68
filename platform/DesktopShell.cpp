#include "platform/DesktopShell.h"

#include "platform/QtDesktopShell.h"

namespace {

TDesktopShell* installed = nullptr;

}  // namespace

TDesktopShell* InstallDesktopShell(TDesktopShell* shell) {
  TDesktopShell* previous = installed;
  installed = shell;
  return previous;
}

TDesktopShell& DesktopShell() {
  // Made on first use: the icon provider needs the application object.
  static TQtDesktopShell desktopShell;
  return installed ? *installed : desktopShell;
}
