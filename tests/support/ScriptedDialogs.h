#pragma once

#include "platform/Dialogs.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace qoztest {

enum class TDialogKind { Message, Input, OpenFile, SaveFile, Colour, Folder, Print, Modal };

// One question the program asked, as it asked it.
struct TDialogRecord {
  TDialogKind Kind = TDialogKind::Message;
  QWidget* Parent = nullptr;
  // The message's text; the input box's prompt.
  QString Text;
  // The input box's and the folder dialog's caption, the file dialog's title,
  // the modal window's title.
  QString Caption;
  // The input box's proposed value; the folder dialog's start folder.
  QString Value;
  TMessageIcon Icon = TMessageIcon::Information;
  TMessageButtons Buttons = TMessageButtons::Ok;
  TFileDialogOptions FileOptions;
  std::int32_t InitialColour = 0;
};

// Dialogs that answer from a script, installed for their lifetime (the ones
// installed before come back afterwards). Each question takes the next
// answer queued; a question with no answer queued, or whose next answer is
// for another kind of dialog, throws std::logic_error naming the question,
// so that a test fails instead of waiting for a user. Every question is kept
// in the transcript, the unanswered one too.
class TScriptedDialogs : public TDialogs {
 public:
  TScriptedDialogs();
  ~TScriptedDialogs() override;
  TScriptedDialogs(const TScriptedDialogs&) = delete;
  TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

  void ExpectMessage(TMessageAnswer answer);
  void ExpectInput(std::optional<QString> answer);
  void ExpectOpenFile(std::optional<QString> answer);
  void ExpectSaveFile(std::optional<QString> answer);
  void ExpectColour(std::optional<std::int32_t> answer);
  void ExpectFolder(std::optional<QString> answer);
  void ExpectPrint(bool answer);
  // The function plays the user: it sets the dialog's controls, or calls
  // accept() or reject() on it, and gives the result ShowModal returns. No
  // event loop runs.
  void ExpectModal(std::function<int(QDialog&)> user);

  // Every answer queued has been taken.
  bool Done() const { return answers_.empty(); }
  const std::vector<TDialogRecord>& Transcript() const { return transcript_; }
  // The texts of the message boxes, in the order shown.
  std::vector<QString> Messages() const;

  TMessageAnswer Message(QWidget* parent, const QString& text, TMessageIcon icon,
                         TMessageButtons buttons) override;
  std::optional<QString> Input(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& value) override;
  std::optional<QString> OpenFile(QWidget* parent, const TFileDialogOptions& options) override;
  std::optional<QString> SaveFile(QWidget* parent, const TFileDialogOptions& options) override;
  std::optional<std::int32_t> Colour(QWidget* parent, std::int32_t initial) override;
  std::optional<QString> Folder(QWidget* parent, const QString& caption,
                                const QString& directory) override;
  bool Print(QWidget* parent, QPrinter& printer) override;
  int ShowModal(QDialog& dialog) override;

 private:
  using TPayload = std::variant<TMessageAnswer, std::optional<QString>, std::optional<std::int32_t>,
                                bool, std::function<int(QDialog&)>>;
  struct TAnswer {
    TDialogKind Kind;
    TPayload Payload;
  };

  // Records the question and takes its answer, or throws.
  TPayload Take(TDialogRecord record);

  std::deque<TAnswer> answers_;
  std::vector<TDialogRecord> transcript_;
  TDialogs* previous_;
};

// "message box", "open file dialog", ...
const char* KindName(TDialogKind kind);

}  // namespace qoztest
