#pragma once

#include <string>

enum class TMessageKind { Notice, Error };

// How the core tells the user something (a modal message box with one OK
// button in the application). The application installs its implementation;
// tests install a recorder. With nothing installed, messages go to stderr.
class IUserMessages {
 public:
  virtual ~IUserMessages() = default;
  virtual void ShowMessage(TMessageKind kind, const std::string& text) = 0;
};

// Installs messages (not owned; nullptr restores the default) and returns the
// one installed before, so that a test can put it back.
IUserMessages* InstallUserMessages(IUserMessages* messages);
IUserMessages& UserMessages();
