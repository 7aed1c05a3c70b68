#include "base/MemoryTuning.h"
#include "base/UserMessages.h"
#include "platform/DialogUserMessages.h"
#include "platform/QtSettingsStore.h"
#include "shell/QOZMain.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
  StartWithHugePageHeap(argv);
  KeepFreedMemoryForReuse();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QOZ"));
  QApplication::setOrganizationName(QStringLiteral("Orvane"));
  QApplication::setDesktopFileName(QStringLiteral("qoz"));
  TDialogUserMessages messages;
  InstallUserMessages(&messages);
  TQtSettingsStore settings;
  int status = 0;
  {
    TQOZMain window(settings);
    // Without a window manager a maximised window keeps its first size.
    if (const QScreen* screen = QApplication::primaryScreen()) {
      window.setGeometry(screen->availableGeometry());
    }
    window.showMaximized();
    status = QApplication::exec();
  }
  InstallUserMessages(nullptr);
  return status;
}
