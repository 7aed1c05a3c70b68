#include "platform/DialogUserMessages.h"

#include "base/UserMessages.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace {

using qoztest::TDialogKind;
using qoztest::TScriptedDialogs;

// Installs the messages for the test's lifetime.
class DialogUserMessages : public ::testing::Test {
 protected:
  DialogUserMessages() : previous_(InstallUserMessages(&messages_)) {}
  ~DialogUserMessages() override { InstallUserMessages(previous_); }

  TScriptedDialogs dialogs_;

 private:
  TDialogUserMessages messages_;
  IUserMessages* previous_;
};

TEST_F(DialogUserMessages, ShowTheCoresMessagesWithOneOkButton) {
  dialogs_.ExpectMessage(TMessageAnswer::Ok);
  dialogs_.ExpectMessage(TMessageAnswer::Ok);
  UserMessages().ShowMessage(TMessageKind::Error, "Caf\xE9 \x80 5: file not found");
  UserMessages().ShowMessage(TMessageKind::Notice, "Saved \"plan\".");
  EXPECT_TRUE(dialogs_.Done());

  ASSERT_EQ(dialogs_.Transcript().size(), 2u);
  const auto& error = dialogs_.Transcript()[0];
  EXPECT_EQ(error.Kind, TDialogKind::Message);
  EXPECT_EQ(error.Text, QStringLiteral(u"Café € 5: file not found"));
  EXPECT_EQ(error.Icon, TMessageIcon::Error);
  EXPECT_EQ(error.Buttons, TMessageButtons::Ok);
  const auto& notice = dialogs_.Transcript()[1];
  EXPECT_EQ(notice.Text, QStringLiteral("Saved \"plan\"."));
  EXPECT_EQ(notice.Icon, TMessageIcon::Information);
  EXPECT_EQ(notice.Buttons, TMessageButtons::Ok);
}

TEST_F(DialogUserMessages, StandOverTheActiveWindow) {
  QWidget window;
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_EQ(QApplication::activeWindow(), &window);

  dialogs_.ExpectMessage(TMessageAnswer::Ok);
  UserMessages().ShowMessage(TMessageKind::Notice, "Done.");
  ASSERT_EQ(dialogs_.Transcript().size(), 1u);
  EXPECT_EQ(dialogs_.Transcript()[0].Parent, &window);
}

}  // namespace
