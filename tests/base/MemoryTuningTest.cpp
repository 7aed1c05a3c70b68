#include "base/MemoryTuning.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Restores an environment variable when the test ends.
class TSavedVariable {
 public:
  explicit TSavedVariable(const char* name) : name_(name) {
    const char* value = std::getenv(name);
    had_ = value != nullptr;
    if (had_) value_ = value;
  }
  ~TSavedVariable() {
    if (had_) {
      setenv(name_, value_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string value_;
};

// The program started again puts the user's settings back, so that programs
// it starts in turn (a viewer for an attachment) do not inherit ours.
TEST(BaseMemoryTuning, TheRestartedProgramRestoresTheEnvironment) {
  TSavedVariable tunables("GLIBC_TUNABLES");
  TSavedVariable mark("QOZ_HUGE_PAGE_HEAP");
  setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1);

  setenv("QOZ_HUGE_PAGE_HEAP", "restarted:glibc.malloc.check=0", 1);
  char* argv[] = {nullptr};
  StartWithHugePageHeap(argv);
  EXPECT_STREQ(std::getenv("GLIBC_TUNABLES"), "glibc.malloc.check=0");
  EXPECT_EQ(std::getenv("QOZ_HUGE_PAGE_HEAP"), nullptr);

  setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1);
  setenv("QOZ_HUGE_PAGE_HEAP", "restarted:", 1);
  StartWithHugePageHeap(argv);
  EXPECT_EQ(std::getenv("GLIBC_TUNABLES"), nullptr);
}

// A variable of that name that the restart did not write is no mark: the
// user's GLIBC_TUNABLES stays as it is.
TEST(BaseMemoryTuning, AForeignMarkIsIgnored) {
  TSavedVariable tunables("GLIBC_TUNABLES");
  TSavedVariable mark("QOZ_HUGE_PAGE_HEAP");
  setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=0", 1);
  setenv("QOZ_HUGE_PAGE_HEAP", "yes", 1);
  char* argv[] = {nullptr};
  StartWithHugePageHeap(argv);
  EXPECT_STREQ(std::getenv("GLIBC_TUNABLES"), "glibc.malloc.hugetlb=0");
  EXPECT_EQ(std::getenv("QOZ_HUGE_PAGE_HEAP"), nullptr);
}

// With the setting already in force (a user's own choice included) the
// program goes on as it is: this call returns instead of starting again.
TEST(BaseMemoryTuning, AnExistingHugePageSettingIsLeftAlone) {
  TSavedVariable tunables("GLIBC_TUNABLES");
  TSavedVariable mark("QOZ_HUGE_PAGE_HEAP");
  unsetenv("QOZ_HUGE_PAGE_HEAP");
  setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=0", 1);
  char* argv[] = {nullptr};
  StartWithHugePageHeap(argv);
  EXPECT_STREQ(std::getenv("GLIBC_TUNABLES"), "glibc.malloc.hugetlb=0");
}

}  // namespace
