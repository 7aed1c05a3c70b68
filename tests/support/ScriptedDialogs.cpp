#include "support/ScriptedDialogs.h"

#include <QDialog>

#include <stdexcept>
#include <string>
#include <utility>

namespace qoztest {

namespace {

// The question as a test failure names it: its kind and its text.
std::string Describe(const TDialogRecord& record) {
  std::string description = KindName(record.Kind);
  QString text;
  switch (record.Kind) {
    case TDialogKind::Message:
      text = record.Text;
      break;
    case TDialogKind::Input:
      text = record.Caption + QStringLiteral(": ") + record.Text;
      break;
    case TDialogKind::Colour:
      text = QStringLiteral("initial 0x%1").arg(record.InitialColour, 6, 16, QLatin1Char('0'));
      break;
    case TDialogKind::Print:
      break;
    case TDialogKind::OpenFile:
    case TDialogKind::SaveFile:
    case TDialogKind::Folder:
    case TDialogKind::Modal:
      text = record.Caption;
      break;
  }
  if (!text.isEmpty()) description += " \"" + text.toStdString() + "\"";
  return description;
}

TDialogRecord Asked(TDialogKind kind, QWidget* parent) {
  TDialogRecord record;
  record.Kind = kind;
  record.Parent = parent;
  return record;
}

}  // namespace

const char* KindName(TDialogKind kind) {
  switch (kind) {
    case TDialogKind::Message:
      return "message box";
    case TDialogKind::Input:
      return "input box";
    case TDialogKind::OpenFile:
      return "open file dialog";
    case TDialogKind::SaveFile:
      return "save file dialog";
    case TDialogKind::Colour:
      return "colour dialog";
    case TDialogKind::Folder:
      return "folder dialog";
    case TDialogKind::Print:
      return "print dialog";
    case TDialogKind::Modal:
      return "modal window";
  }
  return "dialog";
}

TScriptedDialogs::TScriptedDialogs() : previous_(InstallDialogs(this)) {}

TScriptedDialogs::~TScriptedDialogs() { InstallDialogs(previous_); }

void TScriptedDialogs::ExpectMessage(TMessageAnswer answer) {
  answers_.push_back({TDialogKind::Message, answer});
}

void TScriptedDialogs::ExpectInput(std::optional<QString> answer) {
  answers_.push_back({TDialogKind::Input, std::move(answer)});
}

void TScriptedDialogs::ExpectOpenFile(std::optional<QString> answer) {
  answers_.push_back({TDialogKind::OpenFile, std::move(answer)});
}

void TScriptedDialogs::ExpectSaveFile(std::optional<QString> answer) {
  answers_.push_back({TDialogKind::SaveFile, std::move(answer)});
}

void TScriptedDialogs::ExpectColour(std::optional<std::int32_t> answer) {
  answers_.push_back({TDialogKind::Colour, answer});
}

void TScriptedDialogs::ExpectFolder(std::optional<QString> answer) {
  answers_.push_back({TDialogKind::Folder, std::move(answer)});
}

void TScriptedDialogs::ExpectPrint(bool answer) {
  answers_.push_back({TDialogKind::Print, answer});
}

void TScriptedDialogs::ExpectModal(std::function<int(QDialog&)> user) {
  answers_.push_back({TDialogKind::Modal, std::move(user)});
}

std::vector<QString> TScriptedDialogs::Messages() const {
  std::vector<QString> texts;
  for (const TDialogRecord& record : transcript_) {
    if (record.Kind == TDialogKind::Message) texts.push_back(record.Text);
  }
  return texts;
}

TScriptedDialogs::TPayload TScriptedDialogs::Take(TDialogRecord record) {
  transcript_.push_back(std::move(record));
  const TDialogRecord& asked = transcript_.back();
  if (answers_.empty()) {
    throw std::logic_error("TScriptedDialogs: no answer queued for the " + Describe(asked));
  }
  if (answers_.front().Kind != asked.Kind) {
    throw std::logic_error("TScriptedDialogs: the " + Describe(asked) +
                           " was asked, but the next answer is for a " +
                           KindName(answers_.front().Kind));
  }
  TPayload payload = std::move(answers_.front().Payload);
  answers_.pop_front();
  return payload;
}

TMessageAnswer TScriptedDialogs::Message(QWidget* parent, const QString& text, TMessageIcon icon,
                                         TMessageButtons buttons) {
  TDialogRecord record = Asked(TDialogKind::Message, parent);
  record.Text = text;
  record.Icon = icon;
  record.Buttons = buttons;
  return std::get<TMessageAnswer>(Take(std::move(record)));
}

std::optional<QString> TScriptedDialogs::Input(QWidget* parent, const QString& caption,
                                               const QString& prompt, const QString& value) {
  TDialogRecord record = Asked(TDialogKind::Input, parent);
  record.Text = prompt;
  record.Caption = caption;
  record.Value = value;
  return std::get<std::optional<QString>>(Take(std::move(record)));
}

std::optional<QString> TScriptedDialogs::OpenFile(QWidget* parent,
                                                  const TFileDialogOptions& options) {
  TDialogRecord record = Asked(TDialogKind::OpenFile, parent);
  record.Caption = options.Title;
  record.FileOptions = options;
  return std::get<std::optional<QString>>(Take(std::move(record)));
}

std::optional<QString> TScriptedDialogs::SaveFile(QWidget* parent,
                                                  const TFileDialogOptions& options) {
  TDialogRecord record = Asked(TDialogKind::SaveFile, parent);
  record.Caption = options.Title;
  record.FileOptions = options;
  return std::get<std::optional<QString>>(Take(std::move(record)));
}

std::optional<std::int32_t> TScriptedDialogs::Colour(QWidget* parent, std::int32_t initial) {
  TDialogRecord record = Asked(TDialogKind::Colour, parent);
  record.InitialColour = initial;
  return std::get<std::optional<std::int32_t>>(Take(std::move(record)));
}

std::optional<QString> TScriptedDialogs::Folder(QWidget* parent, const QString& caption,
                                                const QString& directory) {
  TDialogRecord record = Asked(TDialogKind::Folder, parent);
  record.Caption = caption;
  record.Value = directory;
  return std::get<std::optional<QString>>(Take(std::move(record)));
}

bool TScriptedDialogs::Print(QWidget* parent, QPrinter& /*printer*/) {
  return std::get<bool>(Take(Asked(TDialogKind::Print, parent)));
}

int TScriptedDialogs::ShowModal(QDialog& dialog) {
  TDialogRecord record = Asked(TDialogKind::Modal, dialog.parentWidget());
  record.Caption = dialog.windowTitle();
  const auto user = std::get<std::function<int(QDialog&)>>(Take(std::move(record)));
  const int result = user(dialog);
  dialog.setResult(result);
  return result;
}

}  // namespace qoztest
