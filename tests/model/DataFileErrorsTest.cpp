// Broken and missing data files: each case loads a small broken file.

#include "ModelPools.h"
#include "base/DataFileError.h"
#include "base/InOutError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace qoztest {
namespace {

using ::testing::HasSubstr;

struct TBrokenFile {
  const char* name;
  TKind kind;
  const char* file;  // under model/errors
  std::int64_t line;
  const char* reason;
  std::int32_t kept;  // records read before the bad line
};

void PrintTo(const TBrokenFile& c, std::ostream* os) { *os << c.name; }

class ModelDataFileErrors : public ::testing::TestWithParam<TBrokenFile> {};

// The other pools hold what the references need: two sheets, two notes and
// one relation type.
TEST_P(ModelDataFileErrors, TheLoadEndsNamingFileLineAndReason) {
  const TBrokenFile& c = GetParam();
  TModelPools p;
  for (TKind kind : {TKind::Sheet, TKind::Note, TKind::Relation}) {
    if (kind != c.kind) {
      p.Pool(kind).LoadFromFile(Fixture("model/errors/base/" + DataFileName(kind)));
    }
  }
  const std::string path = Fixture(std::string("model/errors/") + c.file);
  TPool& pool = p.Pool(c.kind);
  try {
    pool.LoadFromFile(path);
    FAIL() << "the load did not fail";
  } catch (const EDataFileError& error) {
    EXPECT_EQ(error.FileName, path);
    EXPECT_EQ(error.Line, c.line);
    EXPECT_EQ(error.Reason, c.reason);
    EXPECT_THAT(error.what(), HasSubstr("\"" + path + "\""));
    EXPECT_THAT(error.what(), HasSubstr("line " + std::to_string(c.line) + ":"));
    EXPECT_THAT(error.what(), HasSubstr(c.reason));
  }
  ASSERT_EQ(pool.Count(), c.kept);
  for (std::int32_t i = 0; i < c.kept; ++i) EXPECT_EQ(pool.GetItem(i)->LoadIndex(), i);
}

INSTANTIATE_TEST_SUITE_P(
    , ModelDataFileErrors,
    ::testing::Values(
        TBrokenFile{"NoteBlankLineInTheMiddle", TKind::Note, "note_blank_middle.dat", 2,
                    "the line is blank; a record of 14 fields was expected", 1},
        TBrokenFile{"PositionBlankLineAtTheEnd", TKind::Position, "position_blank_end.dat", 2,
                    "the line is blank; a record of 5 fields was expected", 1},
        // The header is line 1.
        TBrokenFile{"SheetBlankLineAtTheEnd", TKind::Sheet, "sheet_blank_end.dat", 3,
                    "the line is blank; a record of 9 fields was expected", 1},
        TBrokenFile{"RelationTooFewFields", TKind::Relation, "relation_too_few.dat", 2,
                    "the line has 2 fields; 3 were expected", 1},
        TBrokenFile{"LinkTooFewFields", TKind::Link, "link_too_few.dat", 2,
                    "the line has 13 fields; 14 were expected", 1},
        TBrokenFile{"SheetDescriptionWithASeparator", TKind::Sheet, "sheet_extra_separator.dat", 3,
                    "the line has 10 fields; 9 were expected", 1},
        TBrokenFile{"AttachmentTooManyFields", TKind::Attachment, "attachment_too_many.dat", 1,
                    "the line has 7 fields; 6 were expected", 0},
        TBrokenFile{"NoteWidthNotAnInteger", TKind::Note, "note_not_an_integer.dat", 2,
                    "field Width: 'ab' is not a valid integer value", 1},
        TBrokenFile{"PositionXNotAnInteger", TKind::Position, "position_not_an_integer.dat", 2,
                    "field X: '1O' is not a valid integer value", 1},
        TBrokenFile{"LinkColorEmpty", TKind::Link, "link_empty_integer.dat", 1,
                    "field Color: '' is not a valid integer value", 0},
        TBrokenFile{"PositionNoteIndexIsTheNoteCount", TKind::Position,
                    "position_note_out_of_range.dat", 2,
                    "NoteID 2 refers to no note: List index out of bounds (2)", 1},
        TBrokenFile{"PositionNegativeSheetIndex", TKind::Position, "position_negative_sheet.dat", 1,
                    "SheetID -1 refers to no sheet: List index out of bounds (-1)", 0},
        TBrokenFile{"AggregationNoteSheetIndexIsTheSheetCount", TKind::Note,
                    "note_sheet_out_of_range.dat", 2,
                    "SheetID 2 refers to no sheet: List index out of bounds (2)", 1},
        TBrokenFile{"AggregationNoteNegativeSheetIndex", TKind::Note, "note_negative_sheet.dat", 1,
                    "SheetID -2 refers to no sheet: List index out of bounds (-2)", 0},
        TBrokenFile{"AttachmentNegativeNoteIndex", TKind::Attachment,
                    "attachment_negative_note.dat", 2,
                    "NoteID -1 refers to no note: List index out of bounds (-1)", 1},
        TBrokenFile{"LinkRelationIndexIsTheRelationCount", TKind::Link,
                    "link_relation_out_of_range.dat", 2,
                    "RelationID 1 refers to no relation type: List index out of bounds (1)", 1},
        // Sheet, source, target, type: the first bad one is reported.
        TBrokenFile{"LinkFirstBadReference", TKind::Link, "link_first_bad_reference.dat", 1,
                    "FromNoteID 7 refers to no note: List index out of bounds (7)", 0},
        TBrokenFile{"RelationBinaryGarbage", TKind::Relation, "relation_garbage.dat", 1,
                    "field ID: '' is not a valid integer value", 0},
        TBrokenFile{"SheetBinaryGarbage", TKind::Sheet, "sheet_garbage.dat", 1,
                    "the line has 1 field; 9 were expected", 0},
        TBrokenFile{"OlderNoteFileEndsInsideAText", TKind::Note, "older_note_ends_inside_text.dat",
                    3, "the file ends inside the text of a note", 1},
        TBrokenFile{"OlderNoteFileStartingWithAOneLineText", TKind::Note,
                    "older_note_then_multiline.dat", 2, "the line has 13 fields; 14 were expected",
                    1},
        TBrokenFile{"OlderSheetFileEndsInsideADescription", TKind::Sheet,
                    "older_sheet_ends_inside_description.dat", 2,
                    "the file ends inside the description of a sheet", 1},
        TBrokenFile{"OlderSheetDescriptionLineWithASeparator", TKind::Sheet,
                    "older_sheet_separator_in_description.dat", 2,
                    "a line of a sheet's description holds a field separator", 0},
        TBrokenFile{"OlderNoteTextFollowedByTwoFields", TKind::Note,
                    "older_note_text_followed_by_two_fields.dat", 2,
                    "the note's text must be followed by exactly one field, SheetID", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModelDataFileIOErrors, AMissingFileIsAnInOutErrorNamingIt) {
  TTempDir dir;
  for (TKind kind : kLoadOrder) {
    SCOPED_TRACE(DataFileName(kind));
    TModelPools p;
    const std::string path = dir.File("absent" + DataFileName(kind));
    try {
      p.Pool(kind).LoadFromFile(path);
      ADD_FAILURE() << "the load did not fail";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.FileName, path);
      EXPECT_THAT(error.what(), HasSubstr(path));
    }
    EXPECT_EQ(p.Pool(kind).Count(), 0);
  }
}

TEST(ModelDataFileIOErrors, AFileThatCannotBeCreatedIsAnInOutErrorNamingIt) {
  TTempDir dir;
  for (TKind kind : kLoadOrder) {
    SCOPED_TRACE(DataFileName(kind));
    TModelPools p;
    const std::string path = dir.File("no-such-folder/" + DataFileName(kind));
    try {
      p.Pool(kind).SaveToFile(path);
      ADD_FAILURE() << "the save did not fail";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.FileName, path);
      EXPECT_THAT(error.what(), HasSubstr(path));
    }
  }
}

}  // namespace
}  // namespace qoztest
