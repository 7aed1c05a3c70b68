#include "platform/QtDialogs.h"

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "tests/platform/ScratchSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

using qoztest::TDialogKind;
using qoztest::TScriptedDialogs;

struct TFilterCase {
  const char* Name;
  QString Stored;
  QString Qt;
};

void PrintTo(const TFilterCase& c, std::ostream* out) { *out << c.Name; }

class QtDialogsFilter : public ::testing::TestWithParam<TFilterCase> {};

TEST_P(QtDialogsFilter, IsWrittenInQtsNotation) {
  EXPECT_EQ(TQtDialogs::QtFilter(GetParam().Stored), GetParam().Qt);
}

INSTANTIATE_TEST_SUITE_P(
    , QtDialogsFilter,
    ::testing::Values(
        TFilterCase{"DescriptionsWithTheirPatterns",
                    QStringLiteral("QOZ Projects (*.qoz)|*.qoz|All Files (*.*)|*.*"),
                    QStringLiteral("QOZ Projects (*.qoz);;All Files (*.*)")},
        TFilterCase{"DescriptionWithoutPatternsGetsThem",
                    QStringLiteral("Pictures|*.bmp;*.jpg;*.png"),
                    QStringLiteral("Pictures (*.bmp *.jpg *.png)")},
        // Qt reads the patterns out of the parentheses, where ";" separates nothing.
        TFilterCase{"PatternsInParenthesesGetQtsSeparators",
                    QStringLiteral("Pictures (*.bmp;*.jpg)|*.bmp;*.jpg"),
                    QStringLiteral("Pictures (*.bmp *.jpg)")},
        TFilterCase{"PatternsInParenthesesAlreadyInQtsNotation",
                    QStringLiteral("Pictures (*.bmp *.jpg)|*.bmp;*.jpg"),
                    QStringLiteral("Pictures (*.bmp *.jpg)")},
        TFilterCase{"OtherParenthesesAreNoPatterns", QStringLiteral("Text (UTF-8)|*.txt"),
                    QStringLiteral("Text (UTF-8) (*.txt)")},
        TFilterCase{"SpacesAroundPatternsAndATrailingDescription",
                    QStringLiteral(" Bitmaps | *.bmp ; *.dib |Nothing"),
                    QStringLiteral("Bitmaps (*.bmp *.dib)")},
        TFilterCase{"EntryWithoutPatternsIsLeftOut", QStringLiteral("Empty||Text|*.txt"),
                    QStringLiteral("Text (*.txt)")},
        TFilterCase{"NoDescription", QStringLiteral("|*.txt"), QStringLiteral("*.txt")},
        TFilterCase{"NoFilter", QString(), QString()}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TMessageBoxCase {
  const char* Name;
  TMessageIcon Icon;
  TMessageButtons Buttons;
  QMessageBox::Icon QtIcon;
  QMessageBox::StandardButtons QtButtons;
  QMessageBox::StandardButton Default;
  TMessageAnswer Escape;
};

void PrintTo(const TMessageBoxCase& c, std::ostream* out) { *out << c.Name; }

class QtDialogsMessageBox : public ::testing::TestWithParam<TMessageBoxCase> {};

TEST_P(QtDialogsMessageBox, HasItsIconButtonsAndAnswers) {
  const TMessageBoxCase& c = GetParam();
  QMessageBox box;
  TQtDialogs::SetUpMessageBox(box, QStringLiteral("Delete <all> pages?"), c.Icon, c.Buttons);
  EXPECT_EQ(box.windowTitle(), QCoreApplication::applicationName());
  EXPECT_EQ(box.text(), QStringLiteral("Delete <all> pages?"));
  EXPECT_EQ(box.textFormat(), Qt::PlainText);
  EXPECT_EQ(box.icon(), c.QtIcon);
  EXPECT_EQ(box.standardButtons(), c.QtButtons);
  EXPECT_EQ(box.standardButton(box.defaultButton()), c.Default);

  // Escape works on a box that is showing; showing does not wait for anything.
  box.show();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&box, &escape);
  EXPECT_NE(box.clickedButton(), nullptr);
  EXPECT_EQ(TQtDialogs::AnswerOf(box), c.Escape);

  const std::vector<std::pair<QMessageBox::StandardButton, TMessageAnswer>> answers = {
      {QMessageBox::Ok, TMessageAnswer::Ok},
      {QMessageBox::Cancel, TMessageAnswer::Cancel},
      {QMessageBox::Yes, TMessageAnswer::Yes},
      {QMessageBox::No, TMessageAnswer::No}};
  for (const auto& [standard, answer] : answers) {
    QAbstractButton* button = box.button(standard);
    if (button == nullptr) continue;
    button->click();
    EXPECT_EQ(TQtDialogs::AnswerOf(box), answer) << box.button(standard)->text().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    , QtDialogsMessageBox,
    ::testing::Values(
        TMessageBoxCase{"InformationOk", TMessageIcon::Information, TMessageButtons::Ok,
                        QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok,
                        TMessageAnswer::Ok},
        TMessageBoxCase{"ErrorOk", TMessageIcon::Error, TMessageButtons::Ok, QMessageBox::Critical,
                        QMessageBox::Ok, QMessageBox::Ok, TMessageAnswer::Ok},
        TMessageBoxCase{"WarningOkCancel", TMessageIcon::Warning, TMessageButtons::OkCancel,
                        QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel,
                        QMessageBox::Ok, TMessageAnswer::Cancel},
        TMessageBoxCase{"ConfirmationYesNo", TMessageIcon::Confirmation, TMessageButtons::YesNo,
                        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                        TMessageAnswer::No},
        TMessageBoxCase{"ConfirmationYesNoCancel", TMessageIcon::Confirmation,
                        TMessageButtons::YesNoCancel, QMessageBox::Question,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                        TMessageAnswer::Cancel}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TFileDialogCase {
  const char* Name;
  bool Save;
  bool OverwritePrompt;
  bool FileMustExist;
  QFileDialog::AcceptMode Mode;
  QFileDialog::FileMode Files;
  bool ConfirmsOverwrite;
};

void PrintTo(const TFileDialogCase& c, std::ostream* out) { *out << c.Name; }

class QtDialogsFileDialog : public ::testing::TestWithParam<TFileDialogCase> {};

TEST_P(QtDialogsFileDialog, TakesTheOptions) {
  const TFileDialogCase& c = GetParam();
  const qoztest::TScratchSettings remembered;  // the folders a file dialog remembers
  qoztest::TTempDir dir;
  const QString folder = QString::fromStdString(dir.Path().string());
  TFileDialogOptions options;
  options.Title = QStringLiteral("Choose a project");
  options.Filter = QStringLiteral("QOZ Projects (*.qoz)|*.qoz|All Files (*.*)|*.*");
  options.DefaultExtension = QStringLiteral("qoz");
  options.Directory = folder;
  options.FileName = QStringLiteral("plan.qoz");
  options.OverwritePrompt = c.OverwritePrompt;
  options.FileMustExist = c.FileMustExist;

  QFileDialog dialog;
  TQtDialogs::SetUpFileDialog(dialog, options, c.Save);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choose a project"));
  EXPECT_EQ(dialog.acceptMode(), c.Mode);
  EXPECT_EQ(dialog.fileMode(), c.Files);
  EXPECT_EQ(dialog.testOption(QFileDialog::DontConfirmOverwrite), !c.ConfirmsOverwrite);
  EXPECT_EQ(dialog.nameFilters(), (QStringList{QStringLiteral("QOZ Projects (*.qoz)"),
                                               QStringLiteral("All Files (*.*)")}));
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("qoz"));
  EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(folder).canonicalPath());
  EXPECT_EQ(dialog.selectedFiles(), QStringList{QDir(folder).filePath(QStringLiteral("plan.qoz"))});
}

INSTANTIATE_TEST_SUITE_P(
    , QtDialogsFileDialog,
    ::testing::Values(TFileDialogCase{"OpenAnyFile", false, false, false, QFileDialog::AcceptOpen,
                                      QFileDialog::AnyFile, false},
                      TFileDialogCase{"OpenExistingFile", false, false, true,
                                      QFileDialog::AcceptOpen, QFileDialog::ExistingFile, false},
                      TFileDialogCase{"SaveWithoutOverwritePrompt", true, false, false,
                                      QFileDialog::AcceptSave, QFileDialog::AnyFile, false},
                      TFileDialogCase{"SaveWithOverwritePrompt", true, true, false,
                                      QFileDialog::AcceptSave, QFileDialog::AnyFile, true}),
    [](const auto& info) { return std::string(info.param.Name); });

// What the Qt dialogs do with a chosen path before giving it back.
enum class TPlace { ExistingFile, MissingFile, MissingFolder };

struct TChoiceCase {
  const char* Name;
  TPlace Place;
  bool Save;
  bool PathMustExist;
  bool CreatePrompt;
  std::vector<TMessageAnswer> Answers;
  bool Accepted;
  // The question asked, with %1 for the path; empty for none.
  QString Question;
  TMessageIcon Icon;
  TMessageButtons Buttons;
};

void PrintTo(const TChoiceCase& c, std::ostream* out) { *out << c.Name; }

class QtDialogsChoice : public ::testing::TestWithParam<TChoiceCase> {};

TEST_P(QtDialogsChoice, IsAcceptedOrAskedAgain) {
  const TChoiceCase& c = GetParam();
  qoztest::TTempDir dir;
  qoztest::WriteBytes(dir.File("there.qoz"), "");
  const std::string file = c.Place == TPlace::ExistingFile  ? dir.File("there.qoz")
                           : c.Place == TPlace::MissingFile ? dir.File("new.qoz")
                                                            : dir.File("missing/new.qoz");
  const QString path = QString::fromStdString(file);
  TFileDialogOptions options;
  options.PathMustExist = c.PathMustExist;
  options.CreatePrompt = c.CreatePrompt;

  TScriptedDialogs dialogs;
  for (const TMessageAnswer answer : c.Answers) dialogs.ExpectMessage(answer);
  QWidget parent;
  EXPECT_EQ(TQtDialogs::AcceptChoice(&parent, path, options, c.Save, dialogs), c.Accepted);

  EXPECT_TRUE(dialogs.Done());
  if (c.Question.isEmpty()) {
    EXPECT_TRUE(dialogs.Transcript().empty());
  } else {
    ASSERT_EQ(dialogs.Transcript().size(), 1u);
    const qoztest::TDialogRecord& asked = dialogs.Transcript()[0];
    EXPECT_EQ(asked.Kind, TDialogKind::Message);
    EXPECT_EQ(asked.Text, c.Question.arg(path));
    EXPECT_EQ(asked.Icon, c.Icon);
    EXPECT_EQ(asked.Buttons, c.Buttons);
    EXPECT_EQ(asked.Parent, &parent);
  }
}

const QString kNoFolder = QStringLiteral("The folder of %1 does not exist.");
const QString kCreate = QStringLiteral("%1 does not exist. Create it?");

INSTANTIATE_TEST_SUITE_P(, QtDialogsChoice,
                         ::testing::Values(TChoiceCase{"SaveIntoAMissingFolder",
                                                       TPlace::MissingFolder,
                                                       true,
                                                       true,
                                                       false,
                                                       {TMessageAnswer::Ok},
                                                       false,
                                                       kNoFolder,
                                                       TMessageIcon::Warning,
                                                       TMessageButtons::Ok},
                                           TChoiceCase{"OpenFromAMissingFolder",
                                                       TPlace::MissingFolder,
                                                       false,
                                                       true,
                                                       false,
                                                       {TMessageAnswer::Ok},
                                                       false,
                                                       kNoFolder,
                                                       TMessageIcon::Warning,
                                                       TMessageButtons::Ok},
                                           TChoiceCase{"MissingFolderAllowed",
                                                       TPlace::MissingFolder,
                                                       true,
                                                       false,
                                                       false,
                                                       {},
                                                       true,
                                                       QString(),
                                                       TMessageIcon::Warning,
                                                       TMessageButtons::Ok},
                                           TChoiceCase{"MissingFolderIsToldBeforeTheCreatePrompt",
                                                       TPlace::MissingFolder,
                                                       true,
                                                       true,
                                                       true,
                                                       {TMessageAnswer::Ok},
                                                       false,
                                                       kNoFolder,
                                                       TMessageIcon::Warning,
                                                       TMessageButtons::Ok},
                                           TChoiceCase{"CreateConfirmed",
                                                       TPlace::MissingFile,
                                                       true,
                                                       true,
                                                       true,
                                                       {TMessageAnswer::Yes},
                                                       true,
                                                       kCreate,
                                                       TMessageIcon::Confirmation,
                                                       TMessageButtons::YesNo},
                                           TChoiceCase{"CreateRefused",
                                                       TPlace::MissingFile,
                                                       true,
                                                       false,
                                                       true,
                                                       {TMessageAnswer::No},
                                                       false,
                                                       kCreate,
                                                       TMessageIcon::Confirmation,
                                                       TMessageButtons::YesNo},
                                           TChoiceCase{"ExistingFileNeedsNoCreating",
                                                       TPlace::ExistingFile,
                                                       true,
                                                       true,
                                                       true,
                                                       {},
                                                       true,
                                                       QString(),
                                                       TMessageIcon::Warning,
                                                       TMessageButtons::Ok},
                                           TChoiceCase{"OpenNeverOffersToCreate",
                                                       TPlace::MissingFile,
                                                       false,
                                                       true,
                                                       true,
                                                       {},
                                                       true,
                                                       QString(),
                                                       TMessageIcon::Warning,
                                                       TMessageButtons::Ok},
                                           TChoiceCase{"MissingFileWithoutCreatePrompt",
                                                       TPlace::MissingFile,
                                                       true,
                                                       true,
                                                       false,
                                                       {},
                                                       true,
                                                       QString(),
                                                       TMessageIcon::Warning,
                                                       TMessageButtons::Ok}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(QtDialogsColour, RedIsTheLowByteBothWays) {
  struct TCase {
    std::int32_t Stored;
    int Red, Green, Blue;
  };
  for (const TCase& c : {TCase{0x000000, 0, 0, 0}, TCase{0x0000FF, 255, 0, 0},
                         TCase{0x00FF00, 0, 255, 0}, TCase{0xFF0000, 0, 0, 255},
                         TCase{0x123456, 0x56, 0x34, 0x12}, TCase{0xFFFFFF, 255, 255, 255}}) {
    const QColor colour = TQtDialogs::ToQColor(c.Stored);
    EXPECT_EQ(colour, QColor(c.Red, c.Green, c.Blue)) << std::hex << c.Stored;
    EXPECT_EQ(TQtDialogs::FromQColor(colour), c.Stored) << std::hex << c.Stored;
  }
}

}  // namespace
