// Opens a project and prints the peak resident size, in KiB, of the process
// that loaded it, then the time the load took in milliseconds, so that the
// benchmarks can measure the memory and the time a first load needs.
//
// The load runs in a forked child: a process started from a large one (such
// as the benchmark program) inherits that process's peak in its own
// ru_maxrss across exec, while a fork made after exec starts from its own
// small image.

#include "base/MemoryTuning.h"
#include "base/QozError.h"
#include "project/Container.h"

#include <chrono>
#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int LoadAndReport(const char* projectFileName) {
  try {
    TContainer container;
    const auto start = std::chrono::steady_clock::now();
    container.OpenProject(projectFileName);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    struct rusage usage {};
    if (::getrusage(RUSAGE_SELF, &usage) != 0) {
      std::perror("getrusage");
      return 1;
    }
    std::printf("%ld %.3f\n", usage.ru_maxrss, took.count());
  } catch (const EQozError& error) {
    std::fprintf(stderr, "qoz_bench_loadpeak: %s\n", error.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qoz_bench_loadpeak P.qoz\n");
    return 2;
  }
  // Configured as the programs are.
  StartWithHugePageHeap(argv);
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) {
    std::perror("fork");
    return 1;
  }
  if (child == 0) {
    KeepFreedMemoryForReuse();
    return LoadAndReport(argv[1]);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) {
    std::perror("waitpid");
    return 1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
