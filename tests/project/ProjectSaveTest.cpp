#include "base/InOutError.h"
#include "model/LinkPool.h"
#include "model/NotePool.h"
#include "project/Container.h"
#include "support/TestSupport.h"
#include "tests/project/ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace projecttest;
using qoztest::FileNames;
using qoztest::TTempDir;
using qoztest::WriteBytes;

namespace {

// A project saved in P, whose project file was then edited by hand, and a
// container that holds one more item of every kind than the files: a second
// save changes every one of the seven files.
class ProjectSaveBase : public ::testing::Test {
 protected:
  void SetUp() override {
    FillProject(c);
    c.SaveProject(File("x.qoz"));
    WriteBytes(File("x.qoz"),
               "[QOZ]\r\nVersion=4.0\r\n[DEFAULTS]\r\nGrid=Yes\r\n[User]\r\nOwner=me\r\n");
    TSheetItem* sheet = NewSheet(c, "Three");
    TNoteItem* note = NewNote(c, "Delta");
    TRelationItem* relation = NewRelation(c, "refines");
    NewPosition(c, note, sheet, 1, 2);
    NewAttachment(c, note, "More");
    NewLink(c, note, c.GetNote(0), sheet, relation);
    ASSERT_TRUE(c.IsModified());
  }

  std::string File(const std::string& name) const { return (dir / name).string(); }

  // Regular files a save left behind under a temporary or a backup name.
  std::vector<std::string> LeftOvers() const {
    std::vector<std::string> names;
    for (const std::string& name : FileNames(dir)) {
      const bool temporary = name.ends_with(".saving") || name.ends_with(".previous");
      if (temporary && !fs::is_directory(dir / name)) names.push_back(name);
    }
    return names;
  }

  void ExpectFailedSaveNaming(const std::string& target) {
    try {
      c.SaveProject(File("x.qoz"));
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& error) {
      EXPECT_NE(std::string(error.what()).find(target), std::string::npos) << error.what();
    }
  }

  TTempDir tmp;
  fs::path dir = tmp.Path() / "P";
  TContainer c;
};

struct TTarget {
  const char* Name;
  const char* File;
};

void PrintTo(const TTarget& t, std::ostream* os) { *os << t.File; }

std::string TargetName(const ::testing::TestParamInfo<TTarget>& info) { return info.param.Name; }

class ProjectSaveStaging : public ProjectSaveBase, public ::testing::WithParamInterface<TTarget> {};

TEST_P(ProjectSaveStaging, FailureToWriteOneFileLeavesEveryOldFileAsItWas) {
  const std::string target = File(GetParam().File);
  const auto before = Snapshot(dir);
  // Opening a directory for writing fails, whoever runs the test.
  fs::create_directory(target + ".saving");

  ExpectFailedSaveNaming(target);
  EXPECT_EQ(Snapshot(dir), before);
  EXPECT_TRUE(LeftOvers().empty());
  EXPECT_TRUE(c.IsModified());

  // Once the obstacle is gone the same container saves everything.
  fs::remove_all(target + ".saving");
  c.SaveProject(File("x.qoz"));
  EXPECT_FALSE(c.IsModified());
  TContainer reopened;
  reopened.OpenProject(File("x.qoz"));
  EXPECT_EQ(reopened.SheetCount(), c.SheetCount());
  EXPECT_EQ(reopened.NoteCount(), c.NoteCount());
  EXPECT_EQ(reopened.LinkCount(), c.LinkCount());
  EXPECT_FALSE(reopened.ShowGrid());
}

INSTANTIATE_TEST_SUITE_P(
    Project, ProjectSaveStaging,
    ::testing::Values(TTarget{"ProjectFile", "x.qoz"}, TTarget{"Attachments", "x_Att.dat"},
                      TTarget{"Notes", "x_Not.dat"}, TTarget{"Positions", "x_Pos.dat"},
                      TTarget{"Links", "x_Lnk.dat"}, TTarget{"Sheets", "x_Sht.dat"},
                      TTarget{"RelationTypes", "x_Rel.dat"}),
    TargetName);

class ProjectSaveRename : public ProjectSaveBase, public ::testing::WithParamInterface<TTarget> {};

TEST_P(ProjectSaveRename, FailureToReplaceOneFileLeavesEveryOldFileAsItWas) {
  // Every file is written, but the target cannot be replaced: it is a folder.
  const std::string target = File(GetParam().File);
  fs::remove(target);
  fs::create_directory(target);
  WriteBytes(target + "/keep", "k");
  const auto before = Snapshot(dir);

  ExpectFailedSaveNaming(target);
  EXPECT_EQ(Snapshot(dir), before);
  EXPECT_TRUE(LeftOvers().empty());
  EXPECT_TRUE(c.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Project, ProjectSaveRename,
                         ::testing::Values(TTarget{"Attachments", "x_Att.dat"},
                                           TTarget{"RelationTypes", "x_Rel.dat"}),
                         TargetName);

TEST_F(ProjectSaveBase, FailedWriteDataFilesLeavesTheOldDataFiles) {
  const auto before = Snapshot(dir);
  fs::create_directory(File("x_Rel.dat.saving"));
  EXPECT_THROW(c.WriteDataFiles(File("x.qoz")), EInOutError);
  EXPECT_EQ(Snapshot(dir), before);
  EXPECT_TRUE(LeftOvers().empty());
  EXPECT_TRUE(c.IsModified());
}

TEST(ProjectSaveFolder, MissingParentFolderIsReportedOnceAndTheSaveFails) {
  const std::pair<const char*, void (TContainer::*)(const std::string&)> operations[] = {
      {"SaveProject", &TContainer::SaveProject}, {"WriteDataFiles", &TContainer::WriteDataFiles}};
  for (const auto& [name, save] : operations) {
    SCOPED_TRACE(name);
    TTempDir tmp;
    qoztest::TMessageRecorder messages;
    TContainer c;
    FillProject(c);
    EXPECT_THROW((c.*save)(tmp.File("a/b/x.qoz")), EInOutError);
    EXPECT_EQ(messages.Texts, std::vector<std::string>{"Error Creating Directory"});
    EXPECT_EQ(messages.Kinds, std::vector<TMessageKind>{TMessageKind::Error});
    EXPECT_FALSE(fs::exists(tmp.Path() / "a"));
    EXPECT_TRUE(c.IsModified());
  }
}

}  // namespace

namespace {

// The new files take over the old ones' permissions: a project the user
// keeps private stays private.
TEST_F(ProjectSaveBase, SavingKeepsEachFilesPermissions) {
  for (const std::string& name : ProjectFiles("x")) fs::permissions(dir / name, fs::perms(0600));
  fs::permissions(dir / "x_Not.dat", fs::perms(0640));
  c.SaveProject(File("x.qoz"));
  for (const std::string& name : ProjectFiles("x")) {
    const auto expected = name == "x_Not.dat" ? fs::perms(0640) : fs::perms(0600);
    EXPECT_EQ(fs::status(dir / name).permissions() & fs::perms::all, expected) << name;
  }
}

// A file the user made read-only stops the save, as writing into it would;
// the rename over it would need only the folder's permission.
TEST_F(ProjectSaveBase, AReadOnlyFileStopsTheSave) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  fs::permissions(dir / "x_Lnk.dat", fs::perms(0444));
  const auto before = Snapshot(dir);
  ExpectFailedSaveNaming("x_Lnk.dat");
  EXPECT_EQ(Snapshot(dir), before);
  EXPECT_TRUE(LeftOvers().empty());
  EXPECT_TRUE(c.IsModified());
}

// A search may have left its filtered views on: the save still writes the
// whole project, and the views are there again afterwards.
TEST_F(ProjectSaveBase, AFilteredViewDoesNotShortenTheSave) {
  const std::int32_t notes = c.NoteCount();
  for (TPool* pool : std::initializer_list<TPool*>{&c.NotePool(), &c.LinkPool()}) {
    pool->SetFiltered(true);
    pool->ResetFilter();
    pool->RemoveFromFilter(pool->ItemAt(0));
  }
  ASSERT_EQ(c.NoteCount(), notes - 1);
  c.SaveProject(File("x.qoz"));
  EXPECT_TRUE(c.NotePool().Filtered());
  EXPECT_EQ(c.NoteCount(), notes - 1);

  TContainer reloaded;
  reloaded.OpenProject(File("x.qoz"));
  EXPECT_EQ(reloaded.NoteCount(), notes);
  EXPECT_EQ(reloaded.LinkCount(), c.LinkPool().ItemCount());
}

}  // namespace
