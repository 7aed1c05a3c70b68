#pragma once

#include "base/UserMessages.h"

#include <string>

// The core's messages as message boxes with one OK button, through the
// installed dialogs, over the window the user is working in.
class TDialogUserMessages : public IUserMessages {
 public:
  void ShowMessage(TMessageKind kind, const std::string& text) override;
};
