#include "base/InvalidPointer.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "sheetwindow/EditLinkForm.h"
#include "sheetwindow/NewLinkForm.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using projecttest::NewLink;
using projecttest::NewNote;
using projecttest::NewRelation;
using projecttest::NewSheet;
using ::testing::ElementsAre;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace {

const QString kDuplicateText = QStringLiteral("Notes already have this type of relation...");

QStringList Entries(const QComboBox& box) {
  QStringList entries;
  for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
  return entries;
}

void DoubleClick(QWidget* widget, Qt::MouseButton button) {
  const QPointF at(5, 5);
  QMouseEvent event(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), button, button,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// Two sheets, two notes and three relation types (the last one's name has a
// byte above 0x7F), with a link from alpha to beta of the first type on the
// first sheet.
class LinkDialogsTest : public ::testing::Test {
 protected:
  LinkDialogsTest()
      : one(NewSheet(project, "One")),
        two(NewSheet(project, "Two")),
        alpha(NewNote(project, "Alpha")),
        beta(NewNote(project, "Beta")),
        leads(NewRelation(project, "leads to")),
        assumes(NewRelation(project, "assumes")),
        causes(NewRelation(project, "caus\xE9")),
        existing(NewLink(project, alpha, beta, one, leads)) {}

  TContainer project;
  TSheetItem* one;
  TSheetItem* two;
  TNoteItem* alpha;
  TNoteItem* beta;
  TRelationItem* leads;
  TRelationItem* assumes;
  TRelationItem* causes;
  TLinkItem* existing;
  qoztest::TScriptedDialogs dialogs;
};

// --- the new-link form --------------------------------------------------------

TEST_F(LinkDialogsTest, NewFormStartsEmptyAndListsTheTypesInPoolOrder) {
  TNewLinkForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("New Link"));
  EXPECT_EQ(form.Container, nullptr);
  EXPECT_EQ(form.FromNote, nullptr);
  EXPECT_EQ(form.ToNote, nullptr);
  EXPECT_EQ(form.Relation, nullptr);

  form.Setup(&project, alpha, one, beta);
  EXPECT_EQ(form.Container, &project);
  EXPECT_EQ(form.FromNote, alpha);
  EXPECT_EQ(form.ToNote, beta);
  EXPECT_EQ(form.Sheet, one);
  EXPECT_EQ(Entries(*form.CB_LinkType),
            QStringList({QStringLiteral("leads to"), QStringLiteral("assumes"),
                         QString::fromUtf8("caus\u00E9")}));
  EXPECT_EQ(form.CB_LinkType->currentIndex(), 0);
  EXPECT_EQ(form.PanelColor(), DefaultLink.Color);
  EXPECT_EQ(form.SP_LinkWidth->value(), DefaultLink.Width);
  EXPECT_EQ(form.ED_LinkWidth->text(), QStringLiteral("1"));
  EXPECT_TRUE(form.Label17->isHidden());
  EXPECT_TRUE(form.CB_ArrowType->isHidden());
  EXPECT_EQ(form.CB_ArrowType->count(), 0);
}

TEST_F(LinkDialogsTest, FillingAgainBringsBackTheDefaultsAndTheCurrentTypes) {
  TNewLinkForm form;
  form.Setup(&project, alpha, one, beta);
  form.CB_LinkType->setCurrentIndex(2);
  form.SetPanelColor(0x123456);
  form.SP_LinkWidth->setValue(6);
  NewRelation(project, "follows");

  form.Fill();

  EXPECT_EQ(form.CB_LinkType->count(), 4);
  EXPECT_EQ(form.CB_LinkType->itemText(3), QStringLiteral("follows"));
  EXPECT_EQ(form.CB_LinkType->currentIndex(), 0);
  EXPECT_EQ(form.PanelColor(), DefaultLink.Color);
  EXPECT_EQ(form.SP_LinkWidth->value(), 1);
  EXPECT_EQ(form.ED_LinkWidth->text(), QStringLiteral("1"));
}

TEST_F(LinkDialogsTest, WidthStaysBetweenOneAndTenAndTheEditShowsIt) {
  TNewLinkForm form;
  form.Setup(&project, beta, one, alpha);
  EXPECT_TRUE(form.ED_LinkWidth->isReadOnly());
  struct TCase {
    int set;
    int shown;
  };
  for (const TCase& c : std::vector<TCase>{{7, 7}, {11, 10}, {10, 10}, {0, 1}, {-3, 1}, {4, 4}}) {
    form.SP_LinkWidth->setValue(c.set);
    EXPECT_EQ(form.SP_LinkWidth->value(), c.shown) << "set " << c.set;
    EXPECT_EQ(form.ED_LinkWidth->text(), QString::number(c.shown)) << "set " << c.set;
  }
  form.SP_LinkWidth->stepUp();
  EXPECT_EQ(form.ED_LinkWidth->text(), QStringLiteral("5"));

  form.BTN_Ok->click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.Width, 5);
}

TEST_F(LinkDialogsTest, DoubleClickOnThePanelAsksForTheColour) {
  TNewLinkForm form;
  form.Setup(&project, beta, one, alpha);

  dialogs.ExpectColour(0x00336699);
  DoubleClick(form.PN_LinkColor, Qt::LeftButton);
  EXPECT_EQ(form.PanelColor(), 0x00336699);

  dialogs.ExpectColour(std::nullopt);
  form.PN_LinkColorDblClick();
  EXPECT_EQ(form.PanelColor(), 0x00336699);

  ASSERT_EQ(dialogs.Transcript().size(), 2u);
  EXPECT_EQ(dialogs.Transcript()[0].Kind, qoztest::TDialogKind::Colour);
  EXPECT_EQ(dialogs.Transcript()[0].InitialColour, DefaultLink.Color);
  EXPECT_EQ(dialogs.Transcript()[0].Parent, &form);
  EXPECT_EQ(dialogs.Transcript()[1].InitialColour, 0x00336699);

  // Only the left button opens the colour dialog.
  dialogs.ExpectColour(0x00FFFFFF);
  DoubleClick(form.PN_LinkColor, Qt::RightButton);
  EXPECT_EQ(dialogs.Transcript().size(), 2u);
  EXPECT_EQ(form.PanelColor(), 0x00336699);

  form.BTN_Ok->click();
  EXPECT_EQ(form.Color, 0x00336699);
}

TEST_F(LinkDialogsTest, NewFormRefusesATypeTheNotesHaveInThatDirectionOnThatSheet) {
  TNewLinkForm form;
  form.Setup(&project, alpha, one, beta);
  form.SetPanelColor(0x000000FF);
  form.SP_LinkWidth->setValue(3);
  form.show();
  dialogs.ExpectMessage(TMessageAnswer::Ok);

  form.BTN_Ok->click();

  EXPECT_THAT(dialogs.Messages(), ElementsAre(kDuplicateText));
  EXPECT_EQ(dialogs.Transcript().back().Icon, TMessageIcon::Information);
  EXPECT_EQ(dialogs.Transcript().back().Buttons, TMessageButtons::Ok);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_EQ(form.Relation, nullptr);
  EXPECT_EQ(form.Color, DefaultLink.Color);
  EXPECT_EQ(form.Width, DefaultLink.Width);
  EXPECT_EQ(project.LinkCount(), 1);

  // The user picks another type in the still open form.
  form.CB_LinkType->setCurrentIndex(1);
  form.BTN_Ok->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.Relation, assumes);
}

TEST_F(LinkDialogsTest, NewFormAcceptsWhatNoLinkHasYet) {
  struct TCase {
    const char* what;
    TNoteItem* from;
    TNoteItem* to;
    TSheetItem* sheet;
    int entry;
    TRelationItem* relation;
  };
  const std::vector<TCase> cases = {
      {"the reverse direction", beta, alpha, one, 0, leads},
      {"the same type on another sheet", alpha, beta, two, 0, leads},
      {"another type", alpha, beta, one, 2, causes},
  };
  for (const TCase& c : cases) {
    TNewLinkForm form;
    form.Setup(&project, c.from, c.sheet, c.to);
    form.CB_LinkType->setCurrentIndex(c.entry);
    form.SetPanelColor(0x00804020);
    form.SP_LinkWidth->setValue(4);

    form.BTN_Ok->click();

    EXPECT_EQ(form.result(), QDialog::Accepted) << c.what;
    EXPECT_EQ(form.Relation, c.relation) << c.what;
    EXPECT_EQ(form.Color, 0x00804020) << c.what;
    EXPECT_EQ(form.Width, 4) << c.what;
    EXPECT_EQ(form.ArrowStyle, 2) << c.what;
  }
  EXPECT_TRUE(dialogs.Transcript().empty());
  EXPECT_EQ(project.LinkCount(), 1);
}

TEST_F(LinkDialogsTest, WithoutRelationTypesOkStaysOpen) {
  TContainer empty;
  TNoteItem* from = NewNote(empty, "From");
  TNoteItem* to = NewNote(empty, "To");
  TSheetItem* sheet = NewSheet(empty, "Sheet");
  TNewLinkForm form;
  form.Setup(&empty, from, sheet, to);
  form.show();

  form.BTN_Ok->click();

  EXPECT_EQ(form.CB_LinkType->count(), 0);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_EQ(form.Relation, nullptr);
  EXPECT_TRUE(dialogs.Transcript().empty());
}

TEST_F(LinkDialogsTest, CancelChangesNothing) {
  TNewLinkForm newForm;
  newForm.Setup(&project, beta, two, alpha);
  TEditLinkForm editForm;
  editForm.Setup(&project, existing);
  for (TNewLinkForm* form : std::vector<TNewLinkForm*>{&newForm, &editForm}) {
    TRelationItem* before = form->Relation;
    form->show();
    form->CB_LinkType->setCurrentIndex(1);
    form->SetPanelColor(0x00FF0000);
    form->SP_LinkWidth->setValue(9);

    form->BTN_Cancel->click();

    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(form->Relation, before);
    EXPECT_EQ(form->Color, DefaultLink.Color);
    EXPECT_EQ(form->Width, DefaultLink.Width);
  }
  EXPECT_EQ(newForm.Relation, nullptr);
  EXPECT_EQ(editForm.Relation, leads);
  EXPECT_EQ(existing->Relation(), leads);
  EXPECT_EQ(existing->Color(), DefaultLink.Color);
  EXPECT_EQ(existing->Width(), DefaultLink.Width);
  EXPECT_EQ(project.LinkCount(), 1);
  EXPECT_TRUE(dialogs.Transcript().empty());
}

// --- the edit-link form -------------------------------------------------------

TEST_F(LinkDialogsTest, EditFormShowsTheLinksTypeColourAndWidth) {
  TLinkItem* second = NewLink(project, beta, alpha, two, causes);
  second->SetColor(0x0000FF00);
  second->SetWidth(10);
  existing->SetColor(0x000000FF);
  existing->SetWidth(3);
  struct TCase {
    TLinkItem* link;
    int entry;
    std::int32_t color;
    int width;
  };
  // The first type is the entry a fresh list starts on, so a form that
  // forgot to choose would still pass it; the last one would not.
  for (const TCase& c :
       std::vector<TCase>{{existing, 0, 0x000000FF, 3}, {second, 2, 0x0000FF00, 10}}) {
    TEditLinkForm form;
    form.Setup(&project, c.link);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("New Link"));
    EXPECT_EQ(form.Container, &project);
    EXPECT_EQ(form.FromNote, c.link->FromNote());
    EXPECT_EQ(form.ToNote, c.link->ToNote());
    EXPECT_EQ(form.Sheet, c.link->Sheet());
    EXPECT_EQ(form.OldRelation, c.link->Relation());
    EXPECT_EQ(form.Relation, c.link->Relation());
    EXPECT_EQ(form.CB_LinkType->count(), 3);
    EXPECT_EQ(form.CB_LinkType->currentIndex(), c.entry);
    EXPECT_EQ(form.PanelColor(), c.color);
    EXPECT_EQ(form.SP_LinkWidth->value(), c.width);
    EXPECT_EQ(form.ED_LinkWidth->text(), QString::number(c.width));
  }
}

TEST_F(LinkDialogsTest, EditFormRefusesAnotherTypeTheNotesHaveInThatDirectionOnThatSheet) {
  NewLink(project, alpha, beta, one, assumes);
  TEditLinkForm form;
  form.Setup(&project, existing);
  form.show();
  form.CB_LinkType->setCurrentIndex(1);
  dialogs.ExpectMessage(TMessageAnswer::Ok);

  form.BTN_Ok->click();

  EXPECT_THAT(dialogs.Messages(), ElementsAre(kDuplicateText));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_EQ(form.Relation, leads);
}

TEST_F(LinkDialogsTest, EditFormAcceptsATypeTheNotesHaveOnlyTheOtherWayOrElsewhere) {
  NewLink(project, beta, alpha, one, assumes);
  NewLink(project, alpha, beta, two, causes);
  for (const int entry : {1, 2}) {
    TEditLinkForm form;
    form.Setup(&project, existing);
    form.CB_LinkType->setCurrentIndex(entry);

    form.BTN_Ok->click();

    EXPECT_EQ(form.result(), QDialog::Accepted) << "entry " << entry;
    EXPECT_EQ(form.Relation, project.GetRelation(entry)) << "entry " << entry;
    EXPECT_EQ(form.OldRelation, leads);
  }
  EXPECT_TRUE(dialogs.Transcript().empty());
}

TEST_F(LinkDialogsTest, EditFormKeepingItsOwnTypeIsAccepted) {
  TEditLinkForm form;
  form.Setup(&project, existing);
  dialogs.ExpectColour(0x00102030);
  form.PN_LinkColorDblClick();
  form.SP_LinkWidth->setValue(8);

  form.BTN_Ok->click();

  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.Relation, leads);
  EXPECT_EQ(form.Color, 0x00102030);
  EXPECT_EQ(form.Width, 8);
  EXPECT_EQ(form.ArrowStyle, 2);
  EXPECT_THAT(dialogs.Messages(), ElementsAre());
  // The form only collects; the link is the caller's to change.
  EXPECT_EQ(existing->Color(), DefaultLink.Color);
  EXPECT_EQ(existing->Width(), DefaultLink.Width);
}

TEST_F(LinkDialogsTest, EditFormRaisesForALinkWhoseTypeIsNotInTheProject) {
  TContainer other;
  TLinkItem* foreign = NewLink(other, NewNote(other, "A"), NewNote(other, "B"),
                               NewSheet(other, "S"), NewRelation(other, "leads to"));
  TContainer empty;
  struct TCase {
    const char* what;
    TContainer* project;
    TLinkItem* link;
  };
  for (const TCase& c : std::vector<TCase>{{"a type of another project", &project, foreign},
                                           {"a project without types", &empty, existing}}) {
    TEditLinkForm form;
    EXPECT_THAT(
        [&] { form.Setup(c.project, c.link); },
        ThrowsMessage<EInvalidPointer>(StrEq("TEditLinkForm: Empty List [No Relations]...")))
        << c.what;
  }
}

}  // namespace
