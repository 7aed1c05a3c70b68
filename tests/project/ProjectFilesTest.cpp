#include "base/InOutError.h"
#include "model/AttachPool.h"
#include "model/LinkPool.h"
#include "model/NotePool.h"
#include "model/PosPool.h"
#include "model/RelationPool.h"
#include "model/SheetPool.h"
#include "model/TreeNodePool.h"
#include "project/Container.h"
#include "support/TestSupport.h"
#include "tests/project/ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace projecttest;
using qoztest::FileNames;
using qoztest::Fixture;
using qoztest::ReadBytes;
using qoztest::TTempDir;
using qoztest::WriteBytes;

namespace {

const char* const kFreshProjectFile = "[QOZ]\r\nVersion=5.0\r\n[DEFAULTS]\r\nGrid=No\r\n";

// The basic fixture project copied into dir, each data file under the name
// rename gives it.
void CopyBasic(
    const fs::path& dir, const std::function<std::string(const std::string&)>& rename =
                             [](const std::string& name) { return name; }) {
  fs::create_directories(dir);
  for (const std::string& name : FileNames(Fixture("project/basic"))) {
    fs::copy_file(Fixture("project/basic/" + name), dir / rename(name));
  }
}

TEST(ProjectFiles, NewContainerIsAnEmptyUnnamedProject) {
  TContainer c;
  EXPECT_EQ(c.FileName(), "Noname.qoz");
  EXPECT_EQ(c.Directory(), fs::current_path().string() + "/");
  EXPECT_FALSE(c.ShowGrid());
  EXPECT_EQ(c.ProgressBar(), nullptr);
  EXPECT_FALSE(c.IsModified());
  EXPECT_EQ(c.SheetCount() + c.NoteCount() + c.RelationCount() + c.PositionCount() +
                c.AttachmentCount() + c.LinkCount(),
            0);
}

TEST(ProjectFiles, BaseNameIsTheFileNameCutBeforeItsFirstDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.b.qoz", "a"},      {"abc", "abc"},     {"/w/My.Plan.qoz", "My"},
      {"/w.old/abc", "abc"}, {"rel/p.qoz", "p"}, {"/w/x.qoz", "x"},
  };
  for (const auto& [fileName, base] : cases) EXPECT_EQ(TContainer::BaseName(fileName), base);
}

TEST(ProjectFiles, SaveWritesTheProjectFileAndTheSixDataFiles) {
  TTempDir tmp;
  qoztest::TMessageRecorder messages;
  const fs::path cwd = fs::current_path();
  TContainer c;
  FillProject(c);
  // The project's folder does not exist yet: one level is created.
  c.SaveProject(tmp.File("P/x.qoz"));
  EXPECT_EQ(FileNames(tmp.Path() / "P"),
            (std::vector<std::string>{"x.qoz", "x_Att.dat", "x_Lnk.dat", "x_Not.dat", "x_Pos.dat",
                                      "x_Rel.dat", "x_Sht.dat"}));
  EXPECT_EQ(ReadBytes(tmp.File("P/x.qoz")), kFreshProjectFile);
  EXPECT_EQ(c.Directory(), tmp.File("P") + "/");
  EXPECT_FALSE(c.IsModified());
  EXPECT_TRUE(messages.Texts.empty());
  EXPECT_EQ(fs::current_path(), cwd);
}

TEST(ProjectFiles, WriteDataFilesWritesOnlyTheDataFiles) {
  TTempDir tmp;
  TContainer c;
  FillProject(c);
  c.WriteDataFiles(tmp.File("q.qoz"));
  EXPECT_EQ(FileNames(tmp.Path()),
            (std::vector<std::string>{"q_Att.dat", "q_Lnk.dat", "q_Not.dat", "q_Pos.dat",
                                      "q_Rel.dat", "q_Sht.dat"}));
  EXPECT_EQ(c.Directory(), tmp.Path().string() + "/");
  EXPECT_FALSE(c.IsModified());
}

TEST(ProjectFiles, SaveUpdatesOnlyItsOwnKeysOfAnExistingProjectFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"[User]\r\nOwner=me\r\n\r\n[QOZ]\r\nVersion=4.0\r\nExtra=1\r\n[DEFAULTS]\r\nGrid=Yes\r\n",
       "[User]\r\nOwner=me\r\n\r\n[QOZ]\r\nVersion=5.0\r\nExtra=1\r\n[DEFAULTS]\r\nGrid=No\r\n"},
      {"[DEFAULTS]\r\nZoom=3\r\n\r\n[Other]\r\nKey=Value\r\n",
       "[DEFAULTS]\r\nZoom=3\r\nGrid=No\r\n\r\n[Other]\r\nKey=Value\r\n[QOZ]\r\nVersion=5.0\r\n"},
      {"", kFreshProjectFile},
  };
  for (const auto& [before, after] : cases) {
    SCOPED_TRACE(before);
    TTempDir tmp;
    WriteBytes(tmp.File("x.qoz"), before);
    TContainer c;
    c.SaveProject(tmp.File("x.qoz"));
    EXPECT_EQ(ReadBytes(tmp.File("x.qoz")), after);
  }
}

TEST(ProjectFiles, OpenTakesTheGridSettingFromTheProjectFile) {
  const std::pair<const char*, bool> cases[] = {
      {"[QOZ]\r\nVersion=5.0\r\n[DEFAULTS]\r\nGrid=Yes\r\n", true},
      {"[QOZ]\r\nVersion=5.0\r\n[DEFAULTS]\r\nGrid=No\r\n", false},
      {"[QOZ]\r\nVersion=5.0\r\n", true},      // no [DEFAULTS]
      {"[DEFAULTS]\r\nZoom=3\r\n", true},      // no Grid key
      {"[defaults]\r\ngrid = No\r\n", false},  // names in any case, blanks around
      {nullptr, true},                         // no project file at all
  };
  for (const auto& [projectFile, showGrid] : cases) {
    SCOPED_TRACE(projectFile ? projectFile : "(missing)");
    TTempDir tmp;
    CopyBasic(tmp.Path());
    if (projectFile) {
      WriteBytes(tmp.File("x.qoz"), projectFile);
    } else {
      fs::remove(tmp.Path() / "x.qoz");
    }
    TContainer c;
    c.SetShowGrid(!showGrid);
    c.OpenProject(tmp.File("x.qoz"));
    EXPECT_EQ(c.ShowGrid(), showGrid);
    EXPECT_EQ(c.FileName(), tmp.File("x.qoz"));
    EXPECT_EQ(c.NoteCount(), 3);
  }
}

TEST(ProjectFiles, SavingTurnsTheGridOffForTheNextOpen) {
  TTempDir tmp;
  CopyBasic(tmp.Path());
  WriteBytes(tmp.File("x.qoz"), "[QOZ]\r\nVersion=5.0\r\n");
  {
    TContainer c;
    c.OpenProject(tmp.File("x.qoz"));
    EXPECT_TRUE(c.ShowGrid());
    c.SaveProject(tmp.File("x.qoz"));
  }
  EXPECT_EQ(ReadBytes(tmp.File("x.qoz")), kFreshProjectFile);
  TContainer again;
  again.OpenProject(tmp.File("x.qoz"));
  EXPECT_FALSE(again.ShowGrid());
}

TEST(ProjectFiles, OpenLoadsEveryPoolWithItsReferences) {
  const std::string projectFile = Fixture("project/basic/x.qoz");
  TProgressRecorder progress;
  TContainer c;
  c.SetProgressBar(&progress);
  c.OpenProject(projectFile);

  EXPECT_EQ(c.FileName(), projectFile);
  EXPECT_EQ(c.Directory(), Fixture("project/basic/"));
  EXPECT_FALSE(c.IsModified());
  EXPECT_EQ(progress.Minimum, 0);
  EXPECT_EQ(progress.Maximum, 6);
  EXPECT_EQ(progress.Positions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));

  ASSERT_EQ(c.SheetCount(), 2);
  ASSERT_EQ(c.NoteCount(), 3);
  ASSERT_EQ(c.RelationCount(), 2);
  ASSERT_EQ(c.PositionCount(), 5);
  ASSERT_EQ(c.AttachmentCount(), 2);
  ASSERT_EQ(c.LinkCount(), 2);

  const TSheetItem* detail = c.GetSheet(1);
  EXPECT_EQ(detail->Title(), "Detail");
  EXPECT_EQ(detail->Width(), 600);
  EXPECT_EQ(detail->Description(), "Line one\r\nLine two");
  const TNoteItem* task = c.GetNote(1);
  EXPECT_EQ(task->Title(), "Task");
  EXPECT_EQ(task->Text(), "one\r\ntwo");
  EXPECT_TRUE(c.GetNote(2)->IsAggregation());
  EXPECT_EQ(c.GetNote(2)->Sheet(), detail);
  EXPECT_EQ(c.GetNote(0)->Sheet(), nullptr);

  const TPosItem* unplaced = c.GetPosition(4);
  EXPECT_EQ(unplaced->Note(), task);
  EXPECT_EQ(unplaced->Sheet(), detail);
  EXPECT_EQ(unplaced->X(), -1);
  EXPECT_EQ(c.GetPosition(2)->Note(), c.GetNote(2));
  EXPECT_EQ(c.GetPosition(2)->Sheet(), c.GetSheet(0));

  EXPECT_EQ(c.GetAttachment(0)->Note(), task);
  EXPECT_EQ(c.GetAttachment(0)->ExtraText(), "see\r\npage 2");
  EXPECT_TRUE(c.GetAttachment(1)->IsURL());
  EXPECT_EQ(c.GetAttachment(1)->Note(), c.GetNote(0));

  const TLinkItem* back = c.GetLink(1);
  EXPECT_EQ(back->Sheet(), detail);
  EXPECT_EQ(back->FromNote(), task);
  EXPECT_EQ(back->ToNote(), c.GetNote(0));
  EXPECT_EQ(back->Relation(), c.GetRelation(1));
  EXPECT_EQ(c.GetRelation(1)->Name(), "consists of");
  EXPECT_EQ(back->Width(), 3);
  EXPECT_EQ(back->Ctrl2Y(), -5);
}

TEST(ProjectFiles, SavingAnOpenedProjectWritesTheSameBytes) {
  TTempDir tmp;
  TContainer c;
  c.OpenProject(Fixture("project/basic/x.qoz"));
  c.SaveProject(tmp.File("x.qoz"));
  EXPECT_EQ(Snapshot(tmp.Path()), Snapshot(Fixture("project/basic")));
}

TEST(ProjectFiles, SaveThenOpenGivesTheSameProject) {
  TTempDir tmp;
  TContainer original;
  FillProject(original);
  original.SaveProject(tmp.File("A/x.qoz"));

  TContainer loaded;
  loaded.OpenProject(tmp.File("A/x.qoz"));
  EXPECT_EQ(loaded.SheetCount(), original.SheetCount());
  EXPECT_EQ(loaded.NoteCount(), original.NoteCount());
  EXPECT_EQ(loaded.PositionCount(), original.PositionCount());
  EXPECT_EQ(loaded.AttachmentCount(), original.AttachmentCount());
  EXPECT_EQ(loaded.LinkCount(), original.LinkCount());
  EXPECT_EQ(loaded.RelationCount(), original.RelationCount());
  for (std::int32_t i = 0; i < loaded.LinkCount(); ++i) {
    const TLinkItem* was = original.GetLink(i);
    const TLinkItem* is = loaded.GetLink(i);
    EXPECT_EQ(is->FromNote()->Title(), was->FromNote()->Title());
    EXPECT_EQ(is->ToNote()->Title(), was->ToNote()->Title());
    EXPECT_EQ(is->Sheet()->Title(), was->Sheet()->Title());
    EXPECT_EQ(is->Relation()->Name(), was->Relation()->Name());
  }
  for (std::int32_t i = 0; i < loaded.PositionCount(); ++i) {
    EXPECT_EQ(loaded.GetPosition(i)->Note()->Title(), original.GetPosition(i)->Note()->Title());
    EXPECT_EQ(loaded.GetPosition(i)->Sheet()->Title(), original.GetPosition(i)->Sheet()->Title());
    EXPECT_EQ(loaded.GetPosition(i)->X(), original.GetPosition(i)->X());
  }
  EXPECT_EQ(loaded.GetNote(0)->Text(), "a\r\nb");
  EXPECT_EQ(loaded.GetSheet(1)->Description(), "first\r\nsecond");
  EXPECT_EQ(loaded.GetNote(2)->Sheet(), loaded.GetSheet(1));
  EXPECT_EQ(loaded.GetAttachment(0)->Note(), loaded.GetNote(1));

  loaded.SaveProject(tmp.File("B/x.qoz"));
  EXPECT_EQ(Snapshot(tmp.Path() / "B"), Snapshot(tmp.Path() / "A"));
}

TEST(ProjectFiles, MissingNoteFileStopsTheLoadAfterTheSheets) {
  TTempDir tmp;
  CopyBasic(tmp.Path());
  fs::remove(tmp.Path() / "x_Not.dat");
  TProgressRecorder progress;
  TContainer c;
  c.SetProgressBar(&progress);
  try {
    c.ReadDataFiles(tmp.File("x.qoz"));
    FAIL() << "no error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.FileName, tmp.File("x_Not.dat"));
    EXPECT_NE(std::string(error.what()).find(tmp.File("x_Not.dat")), std::string::npos);
  }
  EXPECT_EQ(c.SheetCount(), 2);
  EXPECT_EQ(c.NoteCount(), 0);
  EXPECT_EQ(progress.Position(), 1);
  EXPECT_EQ(progress.Maximum, 6);
}

TEST(ProjectFiles, DataFilesAreFoundWhateverTheCaseOfTheirSuffix) {
  TTempDir tmp;
  CopyBasic(tmp.Path(), [](const std::string& name) {
    if (name == "x_Sht.dat") return std::string("x_sht.dat");
    if (name == "x_Not.dat") return std::string("x_NOT.dat");
    if (name == "x_Rel.dat") return std::string("x_rel.DAT");
    if (name == "x_Att.dat") return std::string("x_aTT.Dat");
    if (name == "x_Lnk.dat") return std::string("x_LNK.DAT");
    return name;
  });
  TContainer c;
  c.OpenProject(tmp.File("x.qoz"));
  EXPECT_EQ(c.SheetCount(), 2);
  EXPECT_EQ(c.NoteCount(), 3);
  EXPECT_EQ(c.RelationCount(), 2);
  EXPECT_EQ(c.PositionCount(), 5);
  EXPECT_EQ(c.AttachmentCount(), 2);
  EXPECT_EQ(c.LinkCount(), 2);
}

TEST(ProjectFiles, TheBaseNameMustMatchExactly) {
  const char* wrongNames[] = {"X_NOT.DAT", "X_Not.dat", "xx_Not.dat", "x_Not.dat.bak"};
  for (const char* wrong : wrongNames) {
    SCOPED_TRACE(wrong);
    TTempDir tmp;
    CopyBasic(tmp.Path(), [wrong](const std::string& name) {
      return name == "x_Not.dat" ? std::string(wrong) : name;
    });
    TContainer c;
    try {
      c.OpenProject(tmp.File("x.qoz"));
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.FileName, tmp.File("x_Not.dat"));
    }
    EXPECT_EQ(c.SheetCount(), 2);
  }
}

// What each change does to an opened project's modified state, and that a
// save clears it again.
struct TChange {
  const char* Name;
  std::function<void(TContainer&)> Apply;
  bool Modifies;
};

void PrintTo(const TChange& c, std::ostream* os) { *os << c.Name; }

class ProjectModified : public ::testing::TestWithParam<TChange> {};

TEST_P(ProjectModified, ChangeMarksTheProjectAndSaveClearsIt) {
  qoztest::TMessageRecorder messages;
  TTempDir tmp;
  TContainer c;
  c.OpenProject(Fixture("project/basic/x.qoz"));
  ASSERT_FALSE(c.IsModified());
  GetParam().Apply(c);
  EXPECT_EQ(c.IsModified(), GetParam().Modifies);
  c.SaveProject(tmp.File("x.qoz"));
  EXPECT_FALSE(c.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Project, ProjectModified,
    ::testing::Values(
        TChange{"NoteTitle", [](TContainer& c) { c.GetNote(0)->SetTitle("t"); }, true},
        TChange{"NoteWidth", [](TContainer& c) { c.GetNote(0)->SetWidth(90); }, true},
        TChange{"NoteText", [](TContainer& c) { c.GetNote(0)->SetText("x"); }, true},
        TChange{"SheetTitle", [](TContainer& c) { c.GetSheet(0)->SetTitle("t"); }, true},
        TChange{"SheetDescription", [](TContainer& c) { c.GetSheet(1)->SetDescription("d"); },
                true},
        TChange{"PositionX", [](TContainer& c) { c.GetPosition(0)->SetX(1); }, true},
        TChange{"LinkColor", [](TContainer& c) { c.GetLink(0)->SetColor(5); }, true},
        TChange{"AttachmentFileName", [](TContainer& c) { c.GetAttachment(0)->SetFileName("f"); },
                true},
        TChange{"RelationName", [](TContainer& c) { c.GetRelation(0)->SetName("n"); }, true},
        TChange{"AddNote", [](TContainer& c) { c.AddNote(DefaultNote); }, true},
        TChange{"AddSheet", [](TContainer& c) { c.AddSheet(DefaultSheet); }, true},
        TChange{"AddRelationType", [](TContainer& c) { c.AddRelationType(DefaultRelation); }, true},
        TChange{"AddAttachment", [](TContainer& c) { NewAttachment(c, c.GetNote(2), "a"); }, true},
        TChange{"AssignNoteToSheet",
                [](TContainer& c) { c.AssignNoteToSheet(c.GetNote(2), c.GetSheet(1)); }, true},
        TChange{"PlaceNote", [](TContainer& c) { c.PlaceNote(c.GetNote(0), c.GetSheet(0), 1, 1); },
                true},
        TChange{"SetNoteBox",
                [](TContainer& c) { c.SetNoteBox(1, 1, 50, 50, c.GetNote(0), c.GetSheet(0)); },
                true},
        TChange{"AddLink",
                [](TContainer& c) {
                  c.AddLink(c.GetNote(1), c.GetNote(0), c.GetSheet(0), c.GetRelation(0));
                },
                true},
        TChange{"DeleteNote", [](TContainer& c) { c.GetNote(2)->Delete(); }, true},
        TChange{"DeleteSheet", [](TContainer& c) { c.GetSheet(1)->Delete(); }, true},
        TChange{"DeletePosition", [](TContainer& c) { c.GetPosition(4)->Delete(); }, true},
        TChange{"DeleteLink", [](TContainer& c) { c.GetLink(0)->Delete(); }, true},
        TChange{"DeleteAttachment", [](TContainer& c) { c.GetAttachment(1)->Delete(); }, true},
        TChange{"DeleteRelationType", [](TContainer& c) { c.GetRelation(1)->Delete(); }, true},
        // Tree nodes are never stored.
        TChange{"AddTreeNode",
                [](TContainer& c) { NewTreeNode(c.NoteTreePool(), c.GetNote(0), nullptr); },
                false}),
    [](const ::testing::TestParamInfo<TChange>& info) { return std::string(info.param.Name); });

}  // namespace
