#include "model/AttachItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "model/TreeNodePool.h"
#include "navigator/NavTree.h"
#include "navigator/NavTreeItem.h"
#include "platform/ImageList.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"

#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

// Nine distinct icons, as the main window's list starts.
TImageList NavIcons() {
  TImageList images;
  for (int i = 0; i < 9; ++i) {
    QPixmap pixmap(4, 4);
    pixmap.fill(QColor(20 * i, 0, 0));
    images.Add(QIcon(pixmap));
  }
  return images;
}

// A node as "caption/icon".
std::string Shown(const QTreeWidgetItem* node) {
  const auto* item = static_cast<const TNavTreeItem*>(node);
  return item->text(0).toStdString() + "/" + std::to_string(item->ImageIndex());
}

std::vector<std::string> Children(const QTreeWidgetItem* node) {
  std::vector<std::string> shown;
  for (int i = 0; i < node->childCount(); ++i) shown.push_back(Shown(node->child(i)));
  return shown;
}

std::int32_t Records(const TContainer& project) {
  return project.SheetTreePool().Count() + project.NoteTreePool().Count() +
         project.PosTreePool().Count() + project.AttachTreePool().Count();
}

// Every node below the root but the three branches has a record.
int RecordedNodes(const QTreeWidgetItem* node) {
  int count = static_cast<const TNavTreeItem*>(node)->Record() ? 1 : 0;
  for (int i = 0; i < node->childCount(); ++i) count += RecordedNodes(node->child(i));
  return count;
}

class NavTreeTest : public ::testing::Test {
 protected:
  NavTreeTest() : tree(images) {}

  TNavTreeItem* Load() {
    tree.Load(project.get(), &view);
    return tree.ProjectNode;
  }

  TImageList images = NavIcons();
  std::unique_ptr<TContainer> project = std::make_unique<TContainer>();
  QTreeWidget view;
  TNavTree tree;
};

TEST_F(NavTreeTest, AnEmptyProjectHasTheRootAndItsThreeBranchesMarkedAsHavingChildren) {
  project->SetFileName("/somewhere/plans/Office.qoz");
  TNavTreeItem* root = Load();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Shown(root), "Office.qoz/0");
  EXPECT_THAT(Children(root), ElementsAre("Attachments/3", "Notes/2", "Sheets/1"));
  for (TNavTreeItem* branch : {tree.AttachmentsNode, tree.NotesNode, tree.SheetsNode}) {
    EXPECT_TRUE(branch->HasChildrenMark());
    EXPECT_EQ(branch->childCount(), 0);
  }
  EXPECT_EQ(view.currentItem(), root);
}

// A note on two sheets stands three times; its attachment twice, under the
// note and under "Attachments"; placed notes show icon 4, aggregation
// notes 1 where placed and 2 where only assigned.
TEST_F(NavTreeTest, TheTreeListsEachItemWhereverItBelongs) {
  TSheetItem* plan = projecttest::NewSheet(*project, "Plan");
  TSheetItem* draft = projecttest::NewSheet(*project, "Draft");
  TNoteItem* budget = projecttest::NewNote(*project, "Budget");
  TNoteItem* staff = projecttest::NewNote(*project, "Staff");
  TNoteItem* aggregation = projecttest::NewAggregationNote(*project, draft);
  projecttest::NewPosition(*project, budget, plan, 10, 10);
  projecttest::NewPosition(*project, budget, draft, -1, -1);
  projecttest::NewPosition(*project, staff, plan, 50, 10);
  projecttest::NewPosition(*project, aggregation, plan, 90, 10);
  projecttest::NewPosition(*project, aggregation, draft, -1, -1);
  projecttest::NewAttachment(*project, budget, "Quote");
  Load();
  EXPECT_THAT(Children(tree.SheetsNode), ElementsAre("Plan/1", "Draft/1"));
  EXPECT_THAT(Children(tree.SheetsNode->child(0)),
              ElementsAre("Budget/4", "Staff/4", "Draft/1"));
  EXPECT_THAT(Children(tree.SheetsNode->child(1)), ElementsAre("Budget/2", "Draft/2"));
  EXPECT_THAT(Children(tree.NotesNode), ElementsAre("Budget/2", "Staff/2", "Draft/1"));
  EXPECT_THAT(Children(tree.NotesNode->child(0)), ElementsAre("Quote/3"));
  EXPECT_THAT(Children(tree.AttachmentsNode), ElementsAre("Quote/3"));
  EXPECT_EQ(Records(*project), RecordedNodes(tree.ProjectNode));
  EXPECT_EQ(tree.SheetsNode->ChildNode(0)->ChildNode(0)->As<TNoteItem>(), budget)
      << "a note under a sheet stands for the note, not its position";
}

TEST_F(NavTreeTest, RenamesAndDeletionsReachEveryNodeOfTheItem) {
  TSheetItem* plan = projecttest::NewSheet(*project, "Plan");
  TNoteItem* budget = projecttest::NewNote(*project, "Budget");
  TPosItem* position = projecttest::NewPosition(*project, budget, plan, -1, -1);
  TAttachItem* quote = projecttest::NewAttachment(*project, budget, "Quote");
  Load();
  quote->SetTitle("Offer");
  budget->SetTitle("Costs");
  EXPECT_THAT(Children(tree.AttachmentsNode), ElementsAre("Offer/3"));
  EXPECT_THAT(Children(tree.NotesNode->child(0)), ElementsAre("Offer/3"));
  EXPECT_THAT(Children(tree.SheetsNode->child(0)), ElementsAre("Costs/2"));
  EXPECT_THAT(Children(tree.NotesNode), ElementsAre("Costs/2"));

  position->SetX(30);
  EXPECT_THAT(Children(tree.SheetsNode->child(0)), ElementsAre("Costs/4"));
  position->SetX(-5);
  EXPECT_THAT(Children(tree.SheetsNode->child(0)), ElementsAre("Costs/4")) << "never back";

  quote->Delete();
  EXPECT_EQ(tree.AttachmentsNode->childCount(), 0);
  EXPECT_EQ(tree.NotesNode->child(0)->childCount(), 0);
  position->Delete();
  EXPECT_EQ(tree.SheetsNode->child(0)->childCount(), 0);
  EXPECT_THAT(Children(tree.NotesNode), ElementsAre("Costs/2")) << "the note stays";
  plan->Delete();
  EXPECT_EQ(tree.SheetsNode->childCount(), 0);
  EXPECT_EQ(Records(*project), 1) << "the note's own";
}

// Giving the tree the same project again (as after an import) leaves no
// record of the old nodes behind; new items find their live parents.
TEST_F(NavTreeTest, ARebuildKeepsRenamesAndAdditionsOnTheLiveNodes) {
  TSheetItem* plan = projecttest::NewSheet(*project, "Plan");
  TNoteItem* budget = projecttest::NewNote(*project, "Budget");
  projecttest::NewPosition(*project, budget, plan, 5, 5);
  Load();
  Load();
  EXPECT_EQ(Records(*project), RecordedNodes(tree.ProjectNode));
  plan->SetTitle("Floor plan");
  EXPECT_THAT(Children(tree.SheetsNode), ElementsAre("Floor plan/1"));

  TNoteItem* staff = projecttest::NewNote(*project, "Staff");
  TNavTreeItem* added = tree.AddNoteNode(staff);
  EXPECT_EQ(added, tree.LastAddedNode());
  EXPECT_EQ(Shown(added), "Staff/2");
  TPosItem* placed = projecttest::NewPosition(*project, staff, plan, 9, 9);
  TNavTreeItem* underSheet = tree.AddPositionNode(placed);
  ASSERT_NE(underSheet, nullptr);
  EXPECT_EQ(underSheet->ParentNode(), tree.SheetsNode->child(0));
  EXPECT_EQ(Shown(underSheet), "Staff/4");
  TAttachItem* list = projecttest::NewAttachment(*project, staff, "List");
  TNavTreeItem* underNote = tree.AddAttachmentNode(list);
  ASSERT_NE(underNote, nullptr);
  EXPECT_EQ(underNote->ParentNode(), tree.NotesNode->child(1));
  EXPECT_THAT(Children(tree.AttachmentsNode), ElementsAre("List/3"));
  TSheetItem* draft = projecttest::NewSheet(*project, "Draft");
  EXPECT_EQ(Shown(tree.AddSheetNode(draft)), "Draft/1");
  EXPECT_EQ(Records(*project), RecordedNodes(tree.ProjectNode));
}

TEST_F(NavTreeTest, ExpandingAnEmptyNodeFillsItOnce) {
  TSheetItem* plan = projecttest::NewSheet(*project, "Plan");
  TNoteItem* budget = projecttest::NewNote(*project, "Budget");
  projecttest::NewPosition(*project, budget, plan, 5, 5);
  projecttest::NewAttachment(*project, budget, "Quote");
  Load();
  qDeleteAll(tree.SheetsNode->takeChildren());
  qDeleteAll(tree.NotesNode->takeChildren());
  tree.ExpandNode(tree.SheetsNode);
  EXPECT_THAT(Children(tree.SheetsNode), ElementsAre("Plan/1"));
  EXPECT_TRUE(tree.SheetsNode->ChildNode(0)->HasChildrenMark());
  EXPECT_EQ(tree.SheetsNode->child(0)->childCount(), 0) << "a sheet's notes wait for it to open";
  tree.ExpandNode(tree.SheetsNode->ChildNode(0));
  EXPECT_THAT(Children(tree.SheetsNode->child(0)), ElementsAre("Budget/4"));
  tree.ExpandNode(tree.SheetsNode);
  EXPECT_EQ(tree.SheetsNode->childCount(), 1) << "a node with children is left alone";
  tree.ExpandNode(tree.NotesNode);
  EXPECT_THAT(Children(tree.NotesNode), ElementsAre("Budget/2"));
  EXPECT_TRUE(tree.NotesNode->ChildNode(0)->HasChildrenMark());
  EXPECT_EQ(Records(*project), RecordedNodes(tree.ProjectNode));
}

// Closing the project before its tree leaves the nodes without records,
// never with freed ones.
TEST_F(NavTreeTest, AProjectFreedBeforeItsTreeLeavesNothingDangling) {
  TSheetItem* plan = projecttest::NewSheet(*project, "Plan");
  TNoteItem* budget = projecttest::NewNote(*project, "Budget");
  projecttest::NewPosition(*project, budget, plan, 5, 5);
  projecttest::NewAttachment(*project, budget, "Quote");
  Load();
  project.reset();
  EXPECT_EQ(RecordedNodes(tree.ProjectNode), 0);
  tree.Clear();
  EXPECT_EQ(view.topLevelItemCount(), 0);
}

}  // namespace
