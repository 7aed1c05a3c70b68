#include "platform/QtDesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

QUrl TQtDesktopShell::TargetUrl(const QString& target) {
  if (target.isEmpty()) return {};
  // The scheme characters of RFC 3986.
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  if (scheme.match(target).hasMatch()) return QUrl(target);
  return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool TQtDesktopShell::Open(const QString& target) {
  const QUrl url = TargetUrl(target);
  if (url.isEmpty()) return false;
  return QDesktopServices::openUrl(url);
}

QIcon TQtDesktopShell::FileIcon(const QString& fileName) {
  if (fileName.isEmpty()) return {};
  return icons_.icon(QFileInfo(fileName));
}
