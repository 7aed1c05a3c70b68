#include "base/UserMessages.h"

#include <cstdio>

namespace {

class TStderrMessages : public IUserMessages {
 public:
  void ShowMessage(TMessageKind kind, const std::string& text) override {
    std::fprintf(stderr, "%s%s\n", kind == TMessageKind::Error ? "error: " : "", text.c_str());
  }
};

TStderrMessages defaultMessages;
IUserMessages* installed = nullptr;

}  // namespace

IUserMessages* InstallUserMessages(IUserMessages* messages) {
  IUserMessages* previous = installed;
  installed = messages;
  return previous;
}

IUserMessages& UserMessages() { return installed ? *installed : defaultMessages; }
