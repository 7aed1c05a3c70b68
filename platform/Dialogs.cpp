#include "platform/Dialogs.h"

#include "platform/QtDialogs.h"

namespace {

TDialogs* installed = nullptr;

}  // namespace

TDialogs* InstallDialogs(TDialogs* dialogs) {
  TDialogs* previous = installed;
  installed = dialogs;
  return previous;
}

TDialogs& Dialogs() {
  static TQtDialogs qtDialogs;
  return installed ? *installed : qtDialogs;
}
