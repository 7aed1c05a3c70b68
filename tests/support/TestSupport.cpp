#include "support/TestSupport.h"

#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qoztest {

std::string Fixture(const std::string& relativePath) {
  return std::string(QOZ_FIXTURES_DIR) + "/" + relativePath;
}

TTempDir::TTempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("qoztest-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TTempDir::File(const std::string& name) const { return (path_ / name).string(); }

std::string ReadBytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + fileName);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& fileName, const std::string& bytes) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + fileName);
}

std::string Fields(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += '\xFF';
    line += fields[i];
  }
  return line;
}

void CopyFixtureFolder(const std::string& fixtureFolder, const std::filesystem::path& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(Fixture(fixtureFolder))) {
    std::filesystem::copy_file(entry.path(), dir / entry.path().filename(),
                               std::filesystem::copy_options::overwrite_existing);
  }
}

std::vector<std::string> FileNames(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TMessageRecorder::TMessageRecorder() : previous_(InstallUserMessages(this)) {}

TMessageRecorder::~TMessageRecorder() { InstallUserMessages(previous_); }

void TMessageRecorder::ShowMessage(TMessageKind kind, const std::string& text) {
  Kinds.push_back(kind);
  Texts.push_back(text);
}

TNotificationRecorder::TNotificationRecorder() : previous_(InstallNotifications(this)) {}

TNotificationRecorder::~TNotificationRecorder() { InstallNotifications(previous_); }

}  // namespace qoztest
