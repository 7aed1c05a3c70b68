#pragma once

#include "platform/Dialogs.h"

#include <QString>

#include <cstdint>
#include <optional>

class QColor;
class QFileDialog;
class QMessageBox;

// The dialogs of the program on Qt's own: QMessageBox, QInputDialog,
// QFileDialog, QColorDialog and QPrintDialog.
//
// The set-up and the decisions around each dialog are public and static, so
// that they can be checked on a dialog that is never run.
class TQtDialogs : public TDialogs {
 public:
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

  // The stored notation "desc|patterns|desc|patterns" (patterns separated by
  // ";") in Qt's "desc (patterns);;desc (patterns)" (patterns separated by
  // spaces). Qt takes the patterns from the last parentheses of each entry,
  // so a description that already ends with its patterns in parentheses is
  // not given them twice.
  static QString QtFilter(const QString& filter);

  // Title, icon, buttons and the answers of Enter and Escape.
  static void SetUpMessageBox(QMessageBox& box, const QString& text, TMessageIcon icon,
                              TMessageButtons buttons);
  // The answer of a box that has been closed; a box closed without any of its
  // buttons answers as its Escape button.
  static TMessageAnswer AnswerOf(const QMessageBox& box);

  static void SetUpFileDialog(QFileDialog& dialog, const TFileDialogOptions& options, bool save);
  // Whether the path chosen in a file dialog may be given back, asking
  // through dialogs where the options want a question; false shows the file
  // dialog again.
  static bool AcceptChoice(QWidget* parent, const QString& path, const TFileDialogOptions& options,
                           bool save, TDialogs& dialogs);

  static QColor ToQColor(std::int32_t colour);
  static std::int32_t FromQColor(const QColor& colour);

 private:
  std::optional<QString> FileDialog(QWidget* parent, const TFileDialogOptions& options, bool save);
};
