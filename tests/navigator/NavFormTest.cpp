#include "base/Notifications.h"
#include "model/AttachItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "navigator/NavForm.h"
#include "navigator/NavTree.h"
#include "navigator/NavTreeItem.h"
#include "navigator/NavTreeView.h"
#include "navigator/NavigatorHost.h"
#include "platform/ImageList.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "sheetwindow/DragAttach.h"
#include "sheetwindow/DragNotes.h"
#include "sheetwindow/DragSheets.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QIcon>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class TRecordingHost : public TNavigatorHost {
 public:
  bool IsSheetOpen(const TSheetItem* sheet) const override {
    for (const TSheetItem* open : Opened) {
      if (open == sheet) return true;
    }
    return false;
  }
  void RefreshSheetWindows() override { ++Refreshes; }
  void OpenArrangedSheetWindow(TSheetItem* sheet) override {
    if (Fails) throw std::runtime_error("no window");
    Opened.push_back(sheet);
  }
  void SuspendRepainting(bool suspended) override { Suspended.push_back(suspended); }

  std::vector<TSheetItem*> Opened;
  std::vector<bool> Suspended;
  int Refreshes = 0;
  bool Fails = false;
};

// Tells the navigator of every item the project adds, as the main window does.
class TNavigatorNotifications : public INotifications {
 public:
  explicit TNavigatorNotifications(TNavForm& form)
      : form_(form), previous_(InstallNotifications(this)) {}
  ~TNavigatorNotifications() override { InstallNotifications(previous_); }
  TNavigatorNotifications(const TNavigatorNotifications&) = delete;
  TNavigatorNotifications& operator=(const TNavigatorNotifications&) = delete;
  void NotifyNavigators(TPoolItem* item) override { form_.NotifyItem(item, false); }
  void RefreshSheetWindows() override {}

 private:
  TNavForm& form_;
  INotifications* previous_;
};

std::vector<std::string> Children(const QTreeWidgetItem* node) {
  std::vector<std::string> shown;
  for (int i = 0; i < node->childCount(); ++i) {
    const auto* child = static_cast<const TNavTreeItem*>(node->child(i));
    shown.push_back(child->text(0).toStdString() + "/" + std::to_string(child->ImageIndex()));
  }
  return shown;
}

// Two sheets (Plan, Draft); Budget placed on Plan, with an attachment;
// Staff on Draft; an aggregation note for Draft placed on Plan.
class NavFormTest : public ::testing::Test {
 protected:
  NavFormTest() : form(icons, host) {
    for (int i = 0; i < 9; ++i) icons.Add(QIcon());
    plan = projecttest::NewSheet(project, "Plan");
    draft = projecttest::NewSheet(project, "Draft");
    budget = projecttest::NewNote(project, "Budget");
    staff = projecttest::NewNote(project, "Staff");
    aggregation = projecttest::NewAggregationNote(project, draft);
    projecttest::NewPosition(project, budget, plan, 10, 10);
    projecttest::NewPosition(project, staff, draft, 10, 10);
    projecttest::NewPosition(project, aggregation, plan, 50, 50);
    quote = projecttest::NewAttachment(project, budget, "Quote");
    form.LoadProject(&project);
  }
  ~NavFormTest() override { form.ReleaseProject(); }

  TNavTree& Tree() { return *form.Tree; }
  TNavTreeItem* SheetNode(int i) { return Tree().SheetsNode->ChildNode(i); }
  TNavTreeItem* NoteNode(int i) { return Tree().NotesNode->ChildNode(i); }
  void Select(TNavTreeItem* node) {
    form.TV_Container->setCurrentItem(node);
    form.NotifyItem(nullptr, false);
  }
  void Delete(TMessageAnswer answer) {
    dialogs.ExpectMessage(answer);
    form.TV_ContainerKeyDown(Qt::Key_Delete);
  }

  TImageList icons;
  TRecordingHost host;
  qoztest::TScriptedDialogs dialogs;
  TContainer project;
  TSheetItem* plan = nullptr;
  TSheetItem* draft = nullptr;
  TNoteItem* budget = nullptr;
  TNoteItem* staff = nullptr;
  TNoteItem* aggregation = nullptr;
  TAttachItem* quote = nullptr;
  TNavForm form;
  TNavigatorNotifications notifications{form};
};

TEST_F(NavFormTest, DeletingAsksAndOnTheRootDeletesNothing) {
  Select(Tree().ProjectNode);
  Delete(TMessageAnswer::Yes);
  EXPECT_THAT(dialogs.Messages(),
              ElementsAre(QStringLiteral("Are you sure about deleting the selected items ?")));
  EXPECT_EQ(project.SheetCount(), 2);
  EXPECT_EQ(project.NoteCount(), 3);
  EXPECT_EQ(host.Refreshes, 1);
  Select(NoteNode(0));
  Delete(TMessageAnswer::No);
  EXPECT_EQ(project.NoteCount(), 3);
}

TEST_F(NavFormTest, DeletingANoteUnderASheetTakesOnlyItsPlacement) {
  Select(SheetNode(0)->ChildNode(0));
  Delete(TMessageAnswer::Yes);
  EXPECT_THAT(Children(SheetNode(0)), ElementsAre("Draft/1"));
  EXPECT_THAT(Children(Tree().NotesNode), ElementsAre("Budget/2", "Staff/2", "Draft/1"));
  EXPECT_FALSE(budget->IsPlacedOn(plan));
}

TEST_F(NavFormTest, DeletingASheetTakesItsAggregationNotesEverywhere) {
  Select(SheetNode(1));
  Delete(TMessageAnswer::Yes);
  EXPECT_THAT(Children(Tree().SheetsNode), ElementsAre("Plan/1"));
  EXPECT_THAT(Children(SheetNode(0)), ElementsAre("Budget/4"));
  EXPECT_THAT(Children(Tree().NotesNode), ElementsAre("Budget/2", "Staff/2"));
}

// Per note: one already on the sheet is refused with its message, the
// others are assigned; a sheet dropped on a sheet gets one aggregation note.
TEST_F(NavFormTest, DropsAssignNotesAttachmentsAndSheetsAndRefuseRepeats) {
  TDragNotes notes(&form);
  notes.AssignItems({budget, staff});
  EXPECT_TRUE(form.TV_ContainerDragOver(&notes, SheetNode(0)));
  EXPECT_FALSE(form.TV_ContainerDragOver(&notes, NoteNode(0)));
  dialogs.ExpectMessage(TMessageAnswer::Ok);
  form.TV_ContainerDragDrop(&notes, SheetNode(0));
  EXPECT_THAT(dialogs.Messages(),
              ElementsAre(QStringLiteral("Budget is already positioned on Plan ...")));
  EXPECT_NE(project.PositionOf(staff, plan), nullptr);
  EXPECT_THAT(Children(SheetNode(0)), ElementsAre("Budget/4", "Draft/1", "Staff/2"));

  TDragSheets sheets(&form);
  sheets.AddItem(plan);
  form.TV_ContainerDragDrop(&sheets, SheetNode(1));
  EXPECT_TRUE(project.AggregationNoteOn(plan, draft));
  EXPECT_THAT(Children(SheetNode(1)), ElementsAre("Staff/4", "Plan/1"))
      << "the new aggregation note shows the sheet icon, placed or not";
  dialogs.ExpectMessage(TMessageAnswer::Ok);
  form.TV_ContainerDragDrop(&sheets, SheetNode(1));
  EXPECT_EQ(dialogs.Messages().back(),
            QStringLiteral("Plan is already positioned on Draft as an aggregation note..."));

  TDragAttach attachments(&form);
  attachments.AddItem(quote);
  EXPECT_FALSE(form.TV_ContainerDragOver(&attachments, SheetNode(0)));
  form.TV_ContainerDragDrop(&attachments, NoteNode(1));
  ASSERT_EQ(staff->AttachmentCount(), 1);
  EXPECT_EQ(staff->GetAttachment(0)->Title(), "Quote");
  EXPECT_EQ(budget->AttachmentCount(), 1) << "the dragged one stays with its note";
  EXPECT_TRUE(dialogs.Done());
}

TEST_F(NavFormTest, ANewNoteOnASheetStandsUnderItUnplacedAndIsRenamedInPlace) {
  form.show();
  Select(SheetNode(1)->ChildNode(0));  // Staff under Draft
  form.TB_NewNoteClick();
  ASSERT_EQ(project.NoteCount(), 4);
  TNoteItem* made = project.GetNote(3);
  EXPECT_THAT(Children(SheetNode(1)), ElementsAre("Staff/4", "New Note/2"));
  EXPECT_EQ(form.Selected(), SheetNode(1)->ChildNode(1));
  EXPECT_TRUE(form.TV_Container->Editing());
  form.TV_ContainerEdited(form.Selected(), QStringLiteral("Rent"));
  EXPECT_EQ(made->Title(), "Rent");
  EXPECT_THAT(Children(SheetNode(1)), ElementsAre("Staff/4", "Rent/2"));
  EXPECT_EQ(NoteNode(3)->text(0), QStringLiteral("Rent"));
  EXPECT_GE(host.Refreshes, 1);
}

TEST_F(NavFormTest, TheToolbarAndMenuFollowTheSelectedNode) {
  struct TCase {
    const char* Name;
    TNavTreeItem* Node;
    bool NewAttachment;
    bool Open;
    bool Delete;
  };
  TNavTreeItem* attachmentNode = Tree().AttachmentsNode->ChildNode(0);
  const TCase cases[] = {
      {"project", Tree().ProjectNode, false, false, false},
      {"notes", Tree().NotesNode, false, false, false},
      {"sheet", SheetNode(0), false, true, true},
      {"note", NoteNode(0), true, false, true},
      {"note under a sheet", SheetNode(0)->ChildNode(0), true, false, true},
      {"attachment under its note", NoteNode(0)->ChildNode(0), true, false, true},
      {"attachment under Attachments", attachmentNode, false, false, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Select(c.Node);
    EXPECT_TRUE(form.TB_NewSheet->isEnabled());
    EXPECT_TRUE(form.TB_NewNote->isEnabled());
    EXPECT_EQ(form.TB_NewAttach->isEnabled(), c.NewAttachment);
    EXPECT_EQ(form.TB_OpenActiveSheet->isEnabled(), c.Open);
    EXPECT_EQ(form.MI_Open->isVisible(), c.Open);
    EXPECT_EQ(form.MI_Delete->isVisible(), c.Delete);
  }
}

TEST_F(NavFormTest, AClickOnASheetOpensItOnceAndAFailureSaysSo) {
  Select(SheetNode(0));
  form.TV_ContainerClick();
  form.TV_ContainerClick();
  EXPECT_THAT(host.Opened, ElementsAre(plan));
  EXPECT_THAT(host.Suspended, ElementsAre(true, false, true, false));
  host.Fails = true;
  Select(SheetNode(1));
  dialogs.ExpectMessage(TMessageAnswer::Ok);
  form.MI_OpenClick();
  EXPECT_THAT(dialogs.Messages(),
              ElementsAre(QStringLiteral("Your system is too low on memory to open another sheet.\n"
                                         "Close one or more sheets.")));
}

TEST_F(NavFormTest, NodesWithNothingToShowRefuseToOpenAndLoseTheirMark) {
  TContainer empty;
  form.LoadProject(&empty);
  EXPECT_FALSE(form.TV_ContainerExpanding(Tree().SheetsNode));
  EXPECT_FALSE(Tree().SheetsNode->HasChildrenMark());
  form.LoadProject(&project);
  EXPECT_FALSE(form.TV_ContainerExpanding(NoteNode(2))) << "an aggregation note";
  EXPECT_FALSE(form.TV_ContainerExpanding(NoteNode(1))) << "a note without attachments";
  EXPECT_TRUE(form.TV_ContainerExpanding(NoteNode(0)));
  EXPECT_TRUE(form.TV_ContainerExpanding(Tree().ProjectNode));
}

}  // namespace
