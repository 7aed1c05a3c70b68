#include "platform/QtDialogs.h"

#include <QAbstractButton>
#include <QColor>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QStringList>

namespace {

QMessageBox::Icon QtIcon(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::Confirmation:
      return QMessageBox::Question;
    case TMessageIcon::Error:
      return QMessageBox::Critical;
    case TMessageIcon::Information:
      return QMessageBox::Information;
    case TMessageIcon::Warning:
      return QMessageBox::Warning;
  }
  return QMessageBox::NoIcon;
}

// The patterns of one entry, as Qt separates them.
QString QtPatterns(const QString& patterns) {
  QStringList parts;
  for (const QString& written : patterns.split(QLatin1Char(';'))) {
    const QString pattern = written.trimmed();
    if (!pattern.isEmpty()) parts.append(pattern);
  }
  return parts.join(QLatin1Char(' '));
}

// One entry in Qt's notation. A description that ends with its patterns in
// parentheses keeps them there, in Qt's separators, since Qt would read them
// as the patterns.
QString QtEntry(const QString& description, const QString& patterns) {
  const QString qtPatterns = QtPatterns(patterns);
  if (description.isEmpty()) return qtPatterns;
  const QString own = QLatin1Char('(') + qtPatterns + QLatin1Char(')');
  if (description.endsWith(own)) return description;
  const QString stored = QLatin1Char('(') + patterns.trimmed() + QLatin1Char(')');
  if (description.endsWith(stored)) return description.chopped(stored.size()) + own;
  return description + QLatin1Char(' ') + own;
}

}  // namespace

QString TQtDialogs::QtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList entries;
  // A description left without patterns at the end offers nothing to filter by.
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (QtPatterns(parts[i + 1]).isEmpty()) continue;
    entries.append(QtEntry(parts[i].trimmed(), parts[i + 1]));
  }
  return entries.join(QStringLiteral(";;"));
}

void TQtDialogs::SetUpMessageBox(QMessageBox& box, const QString& text, TMessageIcon icon,
                                 TMessageButtons buttons) {
  box.setWindowTitle(QCoreApplication::applicationName());
  box.setIcon(QtIcon(icon));
  // Texts come from the user's files and paths; a "<" in them is no markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  switch (buttons) {
    case TMessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
    case TMessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case TMessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::No);
      break;
    case TMessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
  }
}

TMessageAnswer TQtDialogs::AnswerOf(const QMessageBox& box) {
  QAbstractButton* button = box.clickedButton();
  if (button == nullptr) button = box.escapeButton();
  switch (box.standardButton(button)) {
    case QMessageBox::Cancel:
      return TMessageAnswer::Cancel;
    case QMessageBox::Yes:
      return TMessageAnswer::Yes;
    case QMessageBox::No:
      return TMessageAnswer::No;
    default:
      return TMessageAnswer::Ok;
  }
}

TMessageAnswer TQtDialogs::Message(QWidget* parent, const QString& text, TMessageIcon icon,
                                   TMessageButtons buttons) {
  QMessageBox box(parent);
  SetUpMessageBox(box, text, icon, buttons);
  box.exec();
  return AnswerOf(box);
}

std::optional<QString> TQtDialogs::Input(QWidget* parent, const QString& caption,
                                         const QString& prompt, const QString& value) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
  if (!ok) return std::nullopt;
  return text;
}

void TQtDialogs::SetUpFileDialog(QFileDialog& dialog, const TFileDialogOptions& options,
                                 bool save) {
  if (!options.Title.isEmpty()) dialog.setWindowTitle(options.Title);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!save && options.FileMustExist ? QFileDialog::ExistingFile
                                                    : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.OverwritePrompt);
  const QString filter = QtFilter(options.Filter);
  if (!filter.isEmpty()) dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(options.DefaultExtension);
  if (!options.Directory.isEmpty()) dialog.setDirectory(options.Directory);
  if (!options.FileName.isEmpty()) dialog.selectFile(options.FileName);
}

bool TQtDialogs::AcceptChoice(QWidget* parent, const QString& path,
                              const TFileDialogOptions& options, bool save, TDialogs& dialogs) {
  const QFileInfo info(path);
  if (options.PathMustExist && !info.absoluteDir().exists()) {
    dialogs.Message(parent, QStringLiteral("The folder of %1 does not exist.").arg(path),
                    TMessageIcon::Warning, TMessageButtons::Ok);
    return false;
  }
  if (save && options.CreatePrompt && !info.exists()) {
    return dialogs.Message(parent, QStringLiteral("%1 does not exist. Create it?").arg(path),
                           TMessageIcon::Confirmation,
                           TMessageButtons::YesNo) == TMessageAnswer::Yes;
  }
  return true;
}

std::optional<QString> TQtDialogs::FileDialog(QWidget* parent, const TFileDialogOptions& options,
                                              bool save) {
  QFileDialog dialog(parent);
  SetUpFileDialog(dialog, options, save);
  // Running the same dialog again keeps the folder and the name the user
  // had chosen, so that a refused choice only needs correcting.
  while (dialog.exec() == QDialog::Accepted) {
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return std::nullopt;
    if (AcceptChoice(parent, path, options, save, *this)) return path;
  }
  return std::nullopt;
}

std::optional<QString> TQtDialogs::OpenFile(QWidget* parent, const TFileDialogOptions& options) {
  return FileDialog(parent, options, false);
}

std::optional<QString> TQtDialogs::SaveFile(QWidget* parent, const TFileDialogOptions& options) {
  return FileDialog(parent, options, true);
}

QColor TQtDialogs::ToQColor(std::int32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::int32_t TQtDialogs::FromQColor(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

std::optional<std::int32_t> TQtDialogs::Colour(QWidget* parent, std::int32_t initial) {
  const QColor colour = QColorDialog::getColor(ToQColor(initial), parent);
  if (!colour.isValid()) return std::nullopt;
  return FromQColor(colour);
}

std::optional<QString> TQtDialogs::Folder(QWidget* parent, const QString& caption,
                                          const QString& directory) {
  const QString folder = QFileDialog::getExistingDirectory(parent, caption, directory);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

bool TQtDialogs::Print(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

int TQtDialogs::ShowModal(QDialog& dialog) { return dialog.exec(); }
