#pragma once

#include "platform/DesktopShell.h"

#include <QFileIconProvider>
#include <QIcon>
#include <QString>
#include <QUrl>

// Opens through QDesktopServices; icons from QFileIconProvider.
class TQtDesktopShell : public TDesktopShell {
 public:
  bool Open(const QString& target) override;
  QIcon FileIcon(const QString& fileName) override;

  // What Open hands to the desktop: a target that starts with a URL scheme
  // as that URL, anything else as a local file (made absolute against the
  // current folder); an empty URL for an empty target. A scheme has at least
  // two letters, so that "C:\x" is a drive and not a scheme.
  static QUrl TargetUrl(const QString& target);

 private:
  QFileIconProvider icons_;
};
