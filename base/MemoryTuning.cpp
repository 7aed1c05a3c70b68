#include "base/MemoryTuning.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/auxv.h>
#include <unistd.h>
#endif

namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kHugePageTunable = "glibc.malloc.hugetlb=1";
// Set for the started-again program only, so that it knows to tidy up; its
// value is kRestartedPrefix followed by the GLIBC_TUNABLES the user had.
constexpr const char* kRestartedMark = "QOZ_HUGE_PAGE_HEAP";
constexpr std::string_view kRestartedPrefix = "restarted:";

bool SystemOffersHugePages() {
  std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string modes;
  std::getline(setting, modes);
  return modes.find("[always]") != std::string::npos ||
         modes.find("[madvise]") != std::string::npos;
}

// Puts GLIBC_TUNABLES back as it was before the restart, so that programs
// started from here (a file opened in its viewer) see the user's environment.
void RestoreTunables(const char* previous) {
  if (previous && *previous) {
    setenv(kTunables, previous, 1);
  } else {
    unsetenv(kTunables);
  }
}

// Whether starting /proc/self/exe again starts this same program. It does not
// when the program was run through the dynamic loader or an emulator: then
// /proc/self/exe is that loader, which would take the first argument for the
// program to run.
bool StartedDirectly() {
  const auto started = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
  if (!started) return false;
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return false;
  const auto program = std::filesystem::canonical(started, error);
  return !error && program == self;
}

}  // namespace

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  constexpr int kMiB = 1 << 20;
  // Blocks below this come from the heap, whose memory is reused; above it a
  // block is a mapping of its own (the biggest vectors of a large project stay
  // below).
  mallopt(M_MMAP_THRESHOLD, 32 * kMiB);
  // Free memory at the top of the heap is given back only past this size.
  mallopt(M_TRIM_THRESHOLD, 256 * kMiB);
  // Grow the heap in steps of this much rather than page by page.
  mallopt(M_TOP_PAD, 16 * kMiB);
#endif
}

void StartWithHugePageHeap(char** argv) {
#if defined(__GLIBC__)
  if (const char* mark = std::getenv(kRestartedMark)) {
    const std::string_view value = mark;
    if (value.starts_with(kRestartedPrefix)) {
      const std::string previous(value.substr(kRestartedPrefix.size()));
      unsetenv(kRestartedMark);
      RestoreTunables(previous.c_str());
      return;
    }
    unsetenv(kRestartedMark);  // not ours
  }
  const char* tunables = std::getenv(kTunables);
  if (tunables && std::strstr(tunables, "glibc.malloc.hugetlb")) return;
  if (!SystemOffersHugePages() || !StartedDirectly()) return;
  const std::string previous = tunables ? tunables : "";
  const std::string wanted =
      previous.empty() ? std::string(kHugePageTunable) : previous + ":" + kHugePageTunable;
  setenv(kRestartedMark, (std::string(kRestartedPrefix) + previous).c_str(), 1);
  setenv(kTunables, wanted.c_str(), 1);
  execv("/proc/self/exe", argv);
  // Starting again failed: go on as we are.
  unsetenv(kRestartedMark);
  RestoreTunables(previous.c_str());
#else
  (void)argv;
#endif
}
