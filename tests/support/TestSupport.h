#pragma once

#include "base/Notifications.h"
#include "base/TreeNode.h"
#include "base/UserMessages.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Helpers shared by the core tests: a scratch folder, byte-exact file access,
// fixtures, and recorders for the hooks through which the core reaches the
// application.

namespace qoztest {

// The path of a file under tests/fixtures.
std::string Fixture(const std::string& relativePath);

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // path_/name as a string.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Whole-file access, bytes as they are.
std::string ReadBytes(const std::string& fileName);
void WriteBytes(const std::string& fileName, const std::string& bytes);

// Joins fields with the separator byte 0xFF.
std::string Fields(const std::vector<std::string>& fields);

// Copies every file of a fixture folder into dir.
void CopyFixtureFolder(const std::string& fixtureFolder, const std::filesystem::path& dir);

// The names of the files in dir, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& dir);

// A tree node that records what the core did to it. Delete only marks it:
// the recorder stays alive so that a test can look at it afterwards.
class TRecordingTreeNode : public ITreeNode {
 public:
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void SetImageIndex(int index) override { ImageIndex = index; }
  void SetSelectedIndex(int index) override { SelectedIndex = index; }
  void Delete() override { Deleted = true; }

  std::string Caption;
  int ImageIndex = -1;
  int SelectedIndex = -1;
  bool Deleted = false;
};

// Installs itself for its lifetime and records every message shown.
class TMessageRecorder : public IUserMessages {
 public:
  TMessageRecorder();
  ~TMessageRecorder() override;
  void ShowMessage(TMessageKind kind, const std::string& text) override;

  std::vector<std::string> Texts;
  std::vector<TMessageKind> Kinds;

 private:
  IUserMessages* previous_;
};

// Installs itself for its lifetime and records the notifications.
class TNotificationRecorder : public INotifications {
 public:
  TNotificationRecorder();
  ~TNotificationRecorder() override;
  void NotifyNavigators(TPoolItem* item) override { Notified.push_back(item); }
  void RefreshSheetWindows() override { ++Refreshes; }

  std::vector<TPoolItem*> Notified;
  int Refreshes = 0;

 private:
  INotifications* previous_;
};

}  // namespace qoztest
