#pragma once

#include <QIcon>
#include <QString>

// What the desktop does for the program: opening a URL or a file in the
// application registered for it, and the icon that stands for a file.
class TDesktopShell {
 public:
  virtual ~TDesktopShell() = default;
  // A URL (with a scheme such as http: or mailto:) or a local file path;
  // false when the desktop could not open it.
  virtual bool Open(const QString& target) = 0;
  // The icon of the file's type; a null icon when there is none.
  virtual QIcon FileIcon(const QString& fileName) = 0;
};

// The installed shell (not owned); nullptr restores the desktop's own.
TDesktopShell* InstallDesktopShell(TDesktopShell* shell);
TDesktopShell& DesktopShell();
