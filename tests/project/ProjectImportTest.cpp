#include "base/QozError.h"
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
using qoztest::Fields;
using qoztest::Fixture;
using qoztest::TTempDir;
using qoztest::WriteBytes;

namespace {

// Every item of the container, pool by pool, by address.
std::vector<std::vector<const void*>> Items(const TContainer& c) {
  std::vector<std::vector<const void*>> pools(6);
  for (std::int32_t i = 0; i < c.SheetCount(); ++i) pools[0].push_back(c.GetSheet(i));
  for (std::int32_t i = 0; i < c.NoteCount(); ++i) pools[1].push_back(c.GetNote(i));
  for (std::int32_t i = 0; i < c.RelationCount(); ++i) pools[2].push_back(c.GetRelation(i));
  for (std::int32_t i = 0; i < c.PositionCount(); ++i) pools[3].push_back(c.GetPosition(i));
  for (std::int32_t i = 0; i < c.AttachmentCount(); ++i) pools[4].push_back(c.GetAttachment(i));
  for (std::int32_t i = 0; i < c.LinkCount(); ++i) pools[5].push_back(c.GetLink(i));
  return pools;
}

// Project A, opened from its files in A/: one sheet, two notes linked on it,
// one placed, an attachment and a relation type.
class ProjectImport : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      TContainer maker;
      TSheetItem* sheet = NewSheet(maker, "A sheet");
      TNoteItem* first = NewNote(maker, "A1");
      TNoteItem* second = NewNote(maker, "A2");
      TRelationItem* relation = NewRelation(maker, "A rel");
      NewPosition(maker, first, sheet, 5, 5);
      NewAttachment(maker, second, "A att");
      NewLink(maker, first, second, sheet, relation);
      maker.SaveProject(AFile());
    }
    a.OpenProject(AFile());
  }

  std::string AFile() const { return tmp.File("A/a.qoz"); }

  TTempDir tmp;
  TContainer a;
};

TEST_F(ProjectImport, ImportedItemsReferToEachOther) {
  const auto before = Items(a);
  const std::string directory = a.Directory();
  a.ImportProject(Fixture("project/basic/x.qoz"));

  EXPECT_EQ(a.FileName(), AFile());
  EXPECT_EQ(a.Directory(), directory);
  EXPECT_TRUE(a.IsModified());
  ASSERT_EQ(a.SheetCount(), 1 + 2);
  ASSERT_EQ(a.NoteCount(), 2 + 3);
  ASSERT_EQ(a.RelationCount(), 1 + 2);
  ASSERT_EQ(a.PositionCount(), 1 + 5);
  ASSERT_EQ(a.AttachmentCount(), 1 + 2);
  ASSERT_EQ(a.LinkCount(), 1 + 2);

  // A's own items stay first, untouched.
  const auto after = Items(a);
  for (std::size_t pool = 0; pool < before.size(); ++pool) {
    for (std::size_t i = 0; i < before[pool].size(); ++i) {
      EXPECT_EQ(after[pool][i], before[pool][i]) << "pool " << pool << " item " << i;
    }
  }
  EXPECT_EQ(a.GetSheet(0)->PositionCount(), 1);
  EXPECT_EQ(a.GetSheet(0)->LinkCount(), 1);
  EXPECT_EQ(a.GetNote(0)->PositionCount(), 1);
  EXPECT_EQ(a.GetNote(1)->AttachmentCount(), 1);
  EXPECT_EQ(a.GetRelation(0)->LinkCount(), 1);

  // The imported files' indices, shifted past A's items.
  auto sheet = [&](int i) { return a.GetSheet(1 + i); };
  auto note = [&](int i) { return a.GetNote(2 + i); };
  EXPECT_EQ(sheet(0)->Title(), "Plan");
  EXPECT_EQ(note(0)->Title(), "Idea");
  EXPECT_EQ(note(2)->Sheet(), sheet(1));  // the aggregation note
  const std::pair<int, int> positions[] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(a.GetPosition(1 + k)->Note(), note(positions[k].first)) << k;
    EXPECT_EQ(a.GetPosition(1 + k)->Sheet(), sheet(positions[k].second)) << k;
  }
  EXPECT_EQ(a.GetAttachment(1)->Note(), note(1));
  EXPECT_EQ(a.GetAttachment(2)->Note(), note(0));
  const TLinkItem* forth = a.GetLink(1);
  EXPECT_EQ(forth->Sheet(), sheet(0));
  EXPECT_EQ(forth->FromNote(), note(0));
  EXPECT_EQ(forth->ToNote(), note(1));
  EXPECT_EQ(forth->Relation(), a.GetRelation(1));
  const TLinkItem* back = a.GetLink(2);
  EXPECT_EQ(back->Sheet(), sheet(1));
  EXPECT_EQ(back->FromNote(), note(1));
  EXPECT_EQ(back->ToNote(), note(0));
  EXPECT_EQ(back->Relation(), a.GetRelation(2));
  EXPECT_EQ(sheet(0)->PositionCount(), 3);
  EXPECT_EQ(note(1)->LinkInCount(), 1);

  // Saved and opened again, the references come back the same.
  a.SaveProject(tmp.File("C/c.qoz"));
  TContainer c;
  c.OpenProject(tmp.File("C/c.qoz"));
  EXPECT_EQ(c.GetLink(2)->FromNote()->Title(), "Task");
  EXPECT_EQ(c.GetLink(2)->Sheet()->Title(), "Detail");
  EXPECT_EQ(c.GetLink(2)->Relation()->Name(), "consists of");
  EXPECT_EQ(c.GetPosition(5)->Note()->Title(), "Task");
  EXPECT_EQ(c.GetPosition(5)->Sheet()->Title(), "Detail");
  EXPECT_EQ(c.GetNote(4)->Sheet(), c.GetSheet(2));
  EXPECT_EQ(c.GetAttachment(1)->Note()->Title(), "Task");
}

struct TBrokenImport {
  const char* Name;
  std::function<void(const fs::path&)> Break;
};

void PrintTo(const TBrokenImport& b, std::ostream* os) { *os << b.Name; }

class ProjectImportBroken : public ProjectImport,
                            public ::testing::WithParamInterface<TBrokenImport> {};

TEST_P(ProjectImportBroken, FailingImportLeavesTheProjectAsItWas) {
  const fs::path other = tmp.Path() / "B";
  fs::create_directories(other);
  qoztest::CopyFixtureFolder("project/basic", other);
  GetParam().Break(other);
  const auto before = Items(a);
  const std::string directory = a.Directory();

  EXPECT_THROW(a.ImportProject((other / "x.qoz").string()), EQozError);
  EXPECT_EQ(Items(a), before);
  EXPECT_FALSE(a.IsModified());
  EXPECT_EQ(a.FileName(), AFile());
  EXPECT_EQ(a.Directory(), directory);
  EXPECT_EQ(a.GetSheet(0)->PositionCount(), 1);
  EXPECT_EQ(a.GetNote(0)->LinkOutCount(), 1);
  // Saved again, A writes exactly the files it was opened from.
  a.SaveProject(tmp.File("A2/a.qoz"));
  EXPECT_EQ(Snapshot(tmp.Path() / "A2"), Snapshot(tmp.Path() / "A"));
}

INSTANTIATE_TEST_SUITE_P(
    Project, ProjectImportBroken,
    ::testing::Values(
        TBrokenImport{"LinkToMissingNote",
                      [](const fs::path& dir) {
                        WriteBytes((dir / "x_Lnk.dat").string(),
                                   Fields({"0", "0", "0", "7", "0", "1", "1", "-1", "-1", "2", "1",
                                           "0", "1", "1"}) +
                                       "\r\n");
                      }},
        TBrokenImport{
            "PositionWithBadInteger",
            [](const fs::path& dir) {
              WriteBytes((dir / "x_Pos.dat").string(), Fields({"0", "0", "0", "ab", "1"}) + "\r\n");
            }},
        TBrokenImport{"MissingAttachmentFile",
                      [](const fs::path& dir) { fs::remove(dir / "x_Att.dat"); }}),
    [](const ::testing::TestParamInfo<TBrokenImport>& info) {
      return std::string(info.param.Name);
    });

}  // namespace
