#include "model/AttachItem.h"
#include "model/NoteItem.h"
#include "model/SheetItem.h"
#include "navigator/NavTreeItem.h"
#include "navigator/TVEngine.h"
#include "platform/ImageList.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "support/RecordingDesktopShell.h"
#include "support/TestSupport.h"

#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

std::string Shown(const QTreeWidgetItem* node) {
  const auto* item = static_cast<const TNavTreeItem*>(node);
  return item->text(0).toStdString() + "/" + std::to_string(item->ImageIndex());
}

std::vector<std::string> Children(const QTreeWidgetItem* node) {
  std::vector<std::string> shown;
  for (int i = 0; i < node->childCount(); ++i) shown.push_back(Shown(node->child(i)));
  return shown;
}

class TVEngineTest : public ::testing::Test {
 protected:
  TVEngineTest() : engine(&project, &view, images) {
    for (int i = 0; i < TTVEngine::kFixedIcons; ++i) images.Add(QIcon());
    project.SetFileName("/plans/Office.qoz");
  }

  void Refresh() {
    view.clear();
    engine.Refresh();
  }

  TContainer project;
  QTreeWidget view;
  TImageList images;
  TTVEngine engine;
};

// Notes on a listed sheet are listed whatever they matched; an attachment's
// one child is its note; an aggregation note shows icon 1 everywhere.
TEST_F(TVEngineTest, TheResultTreeListsSheetsNotesAndAttachmentsWithTheirNeighbours) {
  TSheetItem* plan = projecttest::NewSheet(project, "Plan");
  TSheetItem* draft = projecttest::NewSheet(project, "Draft");
  TNoteItem* budget = projecttest::NewNote(project, "Budget");
  TNoteItem* aggregation = projecttest::NewAggregationNote(project, draft);
  projecttest::NewPosition(project, budget, plan, 10, 10);
  projecttest::NewPosition(project, aggregation, plan, -1, -1);
  projecttest::NewAttachment(project, budget, "Quote");
  Refresh();
  ASSERT_EQ(view.topLevelItemCount(), 1);
  const QTreeWidgetItem* root = view.topLevelItem(0);
  EXPECT_EQ(Shown(root), "Office.qoz/0");
  EXPECT_THAT(Children(root), ElementsAre("Sheets/1", "Notes/2", "Attachments/3"));
  EXPECT_THAT(Children(root->child(0)), ElementsAre("Plan/1", "Draft/1"));
  EXPECT_THAT(Children(root->child(0)->child(0)), ElementsAre("Budget/4", "Draft/1"));
  EXPECT_THAT(Children(root->child(1)), ElementsAre("Budget/2", "Draft/1"));
  EXPECT_THAT(Children(root->child(1)->child(0)), ElementsAre("Quote/3"));
  EXPECT_THAT(Children(root->child(2)->child(0)), ElementsAre("Budget/2"));
  EXPECT_TRUE(root->child(1)->child(0)->isExpanded());

  engine.ShowSheets = false;
  engine.ShowAttachments = false;
  Refresh();
  EXPECT_THAT(Children(view.topLevelItem(0)), ElementsAre("Notes/2"));
}

TEST_F(TVEngineTest, ResizingAddsCaptionlessChildrenAndCutsFromTheEnd) {
  auto* node = new TNavTreeItem(images, &project);
  view.addTopLevelItem(node);
  engine.ResizeChildren(node, 3);
  ASSERT_EQ(node->childCount(), 3);
  EXPECT_EQ(node->child(2)->text(0), QString());
  node->child(0)->setText(0, QStringLiteral("first"));
  engine.ResizeChildren(node, 1);
  ASSERT_EQ(node->childCount(), 1);
  EXPECT_EQ(node->child(0)->text(0), QStringLiteral("first"));
}

// Two copies of a file's icon per attachment whose file exists, after the
// list is cut back to its fixed icons.
TEST_F(TVEngineTest, AttachmentsWithFilesGetTheDesktopsIconAndEachRefreshStartsAfresh) {
  qoztest::TTempDir dir;
  const std::string file = (std::filesystem::path(dir.Path()) / "report.txt").string();
  std::ofstream(file) << "text";
  qoztest::TRecordingDesktopShell shell;
  TNoteItem* budget = projecttest::NewNote(project, "Budget");
  projecttest::NewAttachment(project, budget, "Report")->SetFileName(file);
  projecttest::NewAttachment(project, budget, "Missing")->SetFileName(file + ".gone");
  Refresh();
  EXPECT_EQ(images.Count(), TTVEngine::kFixedIcons + 4) << "the report is listed twice";
  // In display order: under its note first, then under "Attachments".
  const auto* underNote =
      static_cast<const TNavTreeItem*>(view.topLevelItem(0)->child(1)->child(0)->child(0));
  EXPECT_EQ(underNote->ImageIndex(), TTVEngine::kFixedIcons);
  EXPECT_EQ(underNote->SelectedIndex(), TTVEngine::kFixedIcons + 1);
  const auto* listed = static_cast<const TNavTreeItem*>(view.topLevelItem(0)->child(2)->child(0));
  EXPECT_EQ(listed->ImageIndex(), TTVEngine::kFixedIcons + 2);
  EXPECT_EQ(Shown(view.topLevelItem(0)->child(2)->child(1)), "Missing/3");
  EXPECT_EQ(shell.IconsAsked.size(), 2u);
  Refresh();
  EXPECT_EQ(images.Count(), TTVEngine::kFixedIcons + 4);
}

}  // namespace
