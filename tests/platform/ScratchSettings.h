#pragma once

#include "support/TestSupport.h"

#include <QSettings>
#include <QString>

#include <gtest/gtest.h>

namespace qoztest {

// Moves the user's settings files into a scratch folder for its lifetime and
// puts them back where they were afterwards, so that neither our settings
// nor what Qt's own dialogs remember end up in the home folder of whoever
// runs the tests. Other tests may have moved them before, so the previous
// place is read off rather than assumed.
class TScratchSettings {
 public:
  TScratchSettings()
      : nativePath_(UserPath(QSettings::NativeFormat)), iniPath_(UserPath(QSettings::IniFormat)) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Folder());
  }
  ~TScratchSettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nativePath_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, iniPath_);
  }
  TScratchSettings(const TScratchSettings&) = delete;
  TScratchSettings& operator=(const TScratchSettings&) = delete;

  QString Folder() const { return QString::fromStdString(dir_.Path().string()); }

 private:
  // Read off the file a settings object would use; it writes nothing unless
  // given a value.
  static QString UserPath(QSettings::Format format) {
    const QSettings probe(format, QSettings::UserScope, QStringLiteral("o"), QStringLiteral("a"));
    const QString file = probe.fileName();
    const qsizetype end = file.lastIndexOf(QStringLiteral("/o/a."));
    EXPECT_GT(end, 0) << file.toStdString();
    return file.left(end);
  }

  TTempDir dir_;
  QString nativePath_;
  QString iniPath_;
};

}  // namespace qoztest
