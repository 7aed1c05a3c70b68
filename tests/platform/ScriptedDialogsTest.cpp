#include "support/ScriptedDialogs.h"

#include "platform/Dialogs.h"
#include "platform/QtDialogs.h"

#include <QDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

using qoztest::TDialogKind;
using qoztest::TDialogRecord;
using qoztest::TScriptedDialogs;

// The message of the logic_error the call throws, or "" when it throws none.
template <typename TCall>
std::string ErrorOf(TCall call) {
  try {
    call();
  } catch (const std::logic_error& error) {
    return error.what();
  }
  return {};
}

TEST(ScriptedDialogs, InstallThemselvesForTheirLifetime) {
  ASSERT_NE(dynamic_cast<TQtDialogs*>(&Dialogs()), nullptr);
  {
    TScriptedDialogs outer;
    EXPECT_EQ(&Dialogs(), &outer);
    {
      TScriptedDialogs inner;
      EXPECT_EQ(&Dialogs(), &inner);
    }
    EXPECT_EQ(&Dialogs(), &outer);
  }
  EXPECT_NE(dynamic_cast<TQtDialogs*>(&Dialogs()), nullptr);
}

TEST(ScriptedDialogs, AnswerInOrderAndKeepEveryQuestion) {
  TScriptedDialogs dialogs;
  dialogs.ExpectMessage(TMessageAnswer::No);
  dialogs.ExpectInput(QStringLiteral("Ground floor"));
  dialogs.ExpectInput(std::nullopt);
  dialogs.ExpectOpenFile(QStringLiteral("/plans/a.qoz"));
  dialogs.ExpectSaveFile(std::nullopt);
  dialogs.ExpectColour(0x123456);
  dialogs.ExpectFolder(QStringLiteral("/plans"));
  dialogs.ExpectPrint(true);
  dialogs.ExpectMessage(TMessageAnswer::Cancel);
  EXPECT_FALSE(dialogs.Done());

  QWidget window;
  TFileDialogOptions open;
  open.Title = QStringLiteral("Open project");
  open.Filter = QStringLiteral("QOZ Projects (*.qoz)|*.qoz");
  open.FileMustExist = true;
  TFileDialogOptions save;
  save.Title = QStringLiteral("Save project as");
  save.DefaultExtension = QStringLiteral("qoz");
  save.OverwritePrompt = true;
  QPrinter printer;

  TDialogs& asked = Dialogs();
  EXPECT_EQ(asked.Message(&window, QStringLiteral("Save changes?"), TMessageIcon::Confirmation,
                          TMessageButtons::YesNoCancel),
            TMessageAnswer::No);
  EXPECT_EQ(asked.Input(&window, QStringLiteral("New sheet"), QStringLiteral("Name:"),
                        QStringLiteral("Sheet 1")),
            QStringLiteral("Ground floor"));
  EXPECT_EQ(asked.Input(nullptr, QStringLiteral("Rename"), QStringLiteral("Name:"), QString()),
            std::nullopt);
  EXPECT_EQ(asked.OpenFile(&window, open), QStringLiteral("/plans/a.qoz"));
  EXPECT_EQ(asked.SaveFile(&window, save), std::nullopt);
  EXPECT_EQ(asked.Colour(&window, 0x0000FF), std::optional<std::int32_t>(0x123456));
  EXPECT_EQ(asked.Folder(&window, QStringLiteral("Pictures"), QStringLiteral("/home")),
            QStringLiteral("/plans"));
  EXPECT_TRUE(asked.Print(&window, printer));
  EXPECT_EQ(asked.Message(nullptr, QStringLiteral("Print all?"), TMessageIcon::Warning,
                          TMessageButtons::OkCancel),
            TMessageAnswer::Cancel);
  EXPECT_TRUE(dialogs.Done());

  const std::vector<TDialogRecord>& t = dialogs.Transcript();
  ASSERT_EQ(t.size(), 9u);
  EXPECT_EQ(t[0].Kind, TDialogKind::Message);
  EXPECT_EQ(t[0].Parent, &window);
  EXPECT_EQ(t[0].Text, QStringLiteral("Save changes?"));
  EXPECT_EQ(t[0].Icon, TMessageIcon::Confirmation);
  EXPECT_EQ(t[0].Buttons, TMessageButtons::YesNoCancel);
  EXPECT_EQ(t[1].Kind, TDialogKind::Input);
  EXPECT_EQ(t[1].Caption, QStringLiteral("New sheet"));
  EXPECT_EQ(t[1].Text, QStringLiteral("Name:"));
  EXPECT_EQ(t[1].Value, QStringLiteral("Sheet 1"));
  EXPECT_EQ(t[2].Parent, nullptr);
  EXPECT_EQ(t[3].Kind, TDialogKind::OpenFile);
  EXPECT_EQ(t[3].Caption, QStringLiteral("Open project"));
  EXPECT_EQ(t[3].FileOptions.Filter, QStringLiteral("QOZ Projects (*.qoz)|*.qoz"));
  EXPECT_TRUE(t[3].FileOptions.FileMustExist);
  EXPECT_FALSE(t[3].FileOptions.OverwritePrompt);
  EXPECT_EQ(t[4].Kind, TDialogKind::SaveFile);
  EXPECT_EQ(t[4].FileOptions.DefaultExtension, QStringLiteral("qoz"));
  EXPECT_TRUE(t[4].FileOptions.OverwritePrompt);
  EXPECT_EQ(t[5].Kind, TDialogKind::Colour);
  EXPECT_EQ(t[5].InitialColour, 0x0000FF);
  EXPECT_EQ(t[6].Kind, TDialogKind::Folder);
  EXPECT_EQ(t[6].Caption, QStringLiteral("Pictures"));
  EXPECT_EQ(t[6].Value, QStringLiteral("/home"));
  EXPECT_EQ(t[7].Kind, TDialogKind::Print);
  EXPECT_EQ(t[8].Icon, TMessageIcon::Warning);
  EXPECT_EQ(t[8].Buttons, TMessageButtons::OkCancel);

  EXPECT_EQ(dialogs.Messages(),
            (std::vector<QString>{QStringLiteral("Save changes?"), QStringLiteral("Print all?")}));
}

TEST(ScriptedDialogs, ModalWindowsArePlayedByTheScript) {
  TScriptedDialogs dialogs;
  dialogs.ExpectModal([](QDialog& dialog) {
    dialog.findChild<QLineEdit*>()->setText(QStringLiteral("Ground floor"));
    return static_cast<int>(QDialog::Accepted);
  });
  dialogs.ExpectModal([](QDialog&) { return static_cast<int>(QDialog::Rejected); });

  QWidget window;
  QDialog dialog(&window);
  dialog.setWindowTitle(QStringLiteral("Sheet properties"));
  auto* name = new QLineEdit(&dialog);
  EXPECT_EQ(Dialogs().ShowModal(dialog), QDialog::Accepted);
  EXPECT_EQ(name->text(), QStringLiteral("Ground floor"));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Dialogs().ShowModal(dialog), QDialog::Rejected);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  ASSERT_EQ(dialogs.Transcript().size(), 2u);
  EXPECT_EQ(dialogs.Transcript()[0].Kind, TDialogKind::Modal);
  EXPECT_EQ(dialogs.Transcript()[0].Caption, QStringLiteral("Sheet properties"));
  EXPECT_EQ(dialogs.Transcript()[0].Parent, &window);
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST(ScriptedDialogs, AnUnexpectedQuestionThrowsNamingIt) {
  TScriptedDialogs dialogs;
  TFileDialogOptions options;
  options.Title = QStringLiteral("Export picture");
  QPrinter printer;
  QDialog window;
  window.setWindowTitle(QStringLiteral("Layers"));

  struct TCase {
    const char* Name;
    std::function<void()> Ask;
    std::string Question;
  };
  const std::vector<TCase> cases = {
      {"Message",
       [&] {
         Dialogs().Message(nullptr, QStringLiteral("Overwrite plan.qoz?"),
                           TMessageIcon::Confirmation, TMessageButtons::YesNo);
       },
       "message box \"Overwrite plan.qoz?\""},
      {"Input",
       [&] {
         Dialogs().Input(nullptr, QStringLiteral("Find"), QStringLiteral("Text:"), QString());
       },
       "input box \"Find: Text:\""},
      {"OpenFile", [&] { Dialogs().OpenFile(nullptr, options); },
       "open file dialog \"Export picture\""},
      {"SaveFile", [&] { Dialogs().SaveFile(nullptr, options); },
       "save file dialog \"Export picture\""},
      {"Colour", [&] { Dialogs().Colour(nullptr, 0x0000FF); },
       "colour dialog \"initial 0x0000ff\""},
      {"Folder", [&] { Dialogs().Folder(nullptr, QStringLiteral("Backups"), QString()); },
       "folder dialog \"Backups\""},
      {"Print", [&] { Dialogs().Print(nullptr, printer); }, "print dialog"},
      {"Modal", [&] { Dialogs().ShowModal(window); }, "modal window \"Layers\""}};

  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ErrorOf(c.Ask), "TScriptedDialogs: no answer queued for the " + c.Question);
  }
  // An answer of another kind stays queued for the question it was meant for.
  dialogs.ExpectPrint(true);
  EXPECT_EQ(ErrorOf(cases[0].Ask), "TScriptedDialogs: the " + cases[0].Question +
                                       " was asked, but the next answer is for a print dialog");
  EXPECT_FALSE(dialogs.Done());
  dialogs.ExpectInput(QStringLiteral("x"));
  EXPECT_EQ(ErrorOf(cases[1].Ask), "TScriptedDialogs: the " + cases[1].Question +
                                       " was asked, but the next answer is for a print dialog");
  EXPECT_TRUE(Dialogs().Print(nullptr, printer));
  EXPECT_EQ(Dialogs().Input(nullptr, QStringLiteral("Find"), QStringLiteral("Text:"), QString()),
            QStringLiteral("x"));
  EXPECT_TRUE(dialogs.Done());
  // The questions left unanswered are in the transcript too.
  EXPECT_EQ(dialogs.Transcript().size(), cases.size() + 4);
  EXPECT_EQ(dialogs.Messages(), (std::vector<QString>{QStringLiteral("Overwrite plan.qoz?"),
                                                      QStringLiteral("Overwrite plan.qoz?")}));
}

}  // namespace
