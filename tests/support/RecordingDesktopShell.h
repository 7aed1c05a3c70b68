#pragma once

#include "platform/DesktopShell.h"

#include <QIcon>
#include <QString>

#include <vector>

namespace qoztest {

// Installs itself for its lifetime (the shell installed before comes back
// afterwards) and records what the program asked the desktop for, opening
// nothing.
class TRecordingDesktopShell : public TDesktopShell {
 public:
  TRecordingDesktopShell() : previous_(InstallDesktopShell(this)) {}
  ~TRecordingDesktopShell() override { InstallDesktopShell(previous_); }
  TRecordingDesktopShell(const TRecordingDesktopShell&) = delete;
  TRecordingDesktopShell& operator=(const TRecordingDesktopShell&) = delete;

  bool Open(const QString& target) override {
    Opened.push_back(target);
    return OpenResult;
  }
  QIcon FileIcon(const QString& fileName) override {
    IconsAsked.push_back(fileName);
    return Icon;
  }

  // What Open and FileIcon give.
  bool OpenResult = true;
  QIcon Icon;

  std::vector<QString> Opened;
  std::vector<QString> IconsAsked;

 private:
  TDesktopShell* previous_;
};

}  // namespace qoztest
