#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

enum class TMessageIcon { Confirmation, Error, Information, Warning };
enum class TMessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMessageAnswer { Ok, Cancel, Yes, No };

// What an open or save dialog offers. Filter lists pairs of description and
// patterns, all separated by "|", as in
// "QOZ Projects (*.qoz)|*.qoz|All Files (*.*)|*.*".
struct TFileDialogOptions {
  QString Title;
  QString Filter;
  QString DefaultExtension;  // without the dot, added when the name has none
  QString Directory;         // where the dialog starts
  QString FileName;          // the name it proposes
  bool OverwritePrompt = false;
  bool CreatePrompt = false;
  bool PathMustExist = false;
  bool FileMustExist = false;
};

// Every modal question and dialog of the program goes through here: message
// boxes, the input box, the open, save, colour, folder and print dialogs, and
// the program's own modal windows. The application installs the Qt
// implementation; tests install a scripted one, so that no test ever blocks.
class TDialogs {
 public:
  virtual ~TDialogs() = default;

  virtual TMessageAnswer Message(QWidget* parent, const QString& text, TMessageIcon icon,
                                 TMessageButtons buttons) = 0;
  // The text entered, or nothing when cancelled.
  virtual std::optional<QString> Input(QWidget* parent, const QString& caption,
                                       const QString& prompt, const QString& value) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<QString> OpenFile(QWidget* parent, const TFileDialogOptions& options) = 0;
  virtual std::optional<QString> SaveFile(QWidget* parent, const TFileDialogOptions& options) = 0;
  // Colours are 0x00BBGGRR.
  virtual std::optional<std::int32_t> Colour(QWidget* parent, std::int32_t initial) = 0;
  virtual std::optional<QString> Folder(QWidget* parent, const QString& caption,
                                        const QString& directory) = 0;
  // Lets the user choose and set up the printer; false when cancelled.
  virtual bool Print(QWidget* parent, QPrinter& printer) = 0;
  // Runs one of the program's own modal windows and gives its result
  // (QDialog::Accepted or Rejected).
  virtual int ShowModal(QDialog& dialog) = 0;
};

// The installed dialogs (not owned); nullptr restores the Qt ones. Returns
// the previous ones, so that a test can put them back.
TDialogs* InstallDialogs(TDialogs* dialogs);
TDialogs& Dialogs();
