// The six data files: both layouts, golden round trips, renumbering and the
// texts that the format cannot carry as they are.

#include "ModelPools.h"
#include "base/DataFileError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace qoztest {
namespace {

std::string Folder(const std::string& name) { return Fixture("model/" + name); }

std::string FileIn(const std::string& dir, TKind kind) { return dir + "/" + DataFileName(kind); }

std::vector<std::string> Split(const std::string& text, const std::string& by) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t stop; (stop = text.find(by, from)) != std::string::npos;
       from = stop + by.size()) {
    parts.push_back(text.substr(from, stop - from));
  }
  parts.push_back(text.substr(from));
  return parts;
}

// The fields of line `line` (counted from 0) of a file.
std::vector<std::string> FieldsOfLine(const std::string& fileName, std::size_t line) {
  const std::vector<std::string> lines = Split(ReadBytes(fileName), "\r\n");
  if (line >= lines.size()) return {};
  return Split(lines[line], "\xFF");
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST(ModelDataFiles, SingleLineLayoutRecords) {
  TModelPools p;
  p.LoadAll(Folder("single"));
  ASSERT_EQ(p.sheets.Count(), 3);
  ASSERT_EQ(p.notes.Count(), 4);
  ASSERT_EQ(p.relations.Count(), 3);
  ASSERT_EQ(p.positions.Count(), 5);
  ASSERT_EQ(p.attachments.Count(), 3);
  ASSERT_EQ(p.links.Count(), 3);

  // The third record of every file: ID and LoadIndex are its line number.
  for (TKind kind : kLoadOrder) {
    TPoolItem* third = p.Pool(kind).GetItem(2);
    EXPECT_EQ(third->LoadIndex(), 2) << DataFileName(kind);
  }
  EXPECT_EQ(p.sheets.GetItem(2)->Record().ID, 2);
  EXPECT_EQ(p.notes.GetItem(2)->Record().ID, 2);
  EXPECT_EQ(p.relations.GetItem(2)->Record().ID, 2);
  EXPECT_EQ(p.positions.GetItem(2)->Record().ID, 2);
  EXPECT_EQ(p.attachments.GetItem(2)->Record().ID, 2);
  EXPECT_EQ(p.links.GetItem(2)->Record().ID, 2);

  TSheetItem* main = p.sheets.GetItem(0);
  TSheetItem* thorn = p.sheets.GetItem(1);
  TSheetItem* third = p.sheets.GetItem(2);
  EXPECT_EQ(main->Title(), "Main");
  EXPECT_EQ(main->Height(), 800);
  EXPECT_EQ(main->Description(), "First line\r\nSecond line");
  EXPECT_EQ(thorn->Title(),
            "\xFE"
            "orn sheet");
  EXPECT_EQ(thorn->Color(), 65535);
  EXPECT_EQ(thorn->Zoom(), 100);
  EXPECT_EQ(thorn->GridSize(), 20);
  EXPECT_EQ(thorn->Record().SpareInt, -7);
  EXPECT_EQ(thorn->Description(), "");
  EXPECT_EQ(third->Description(), "\r\n");

  TNoteItem* idea = p.notes.GetItem(0);
  TNoteItem* second = p.notes.GetItem(1);
  TNoteItem* aggregation = p.notes.GetItem(2);
  TNoteItem* last = p.notes.GetItem(3);
  EXPECT_EQ(idea->ImageFile(), "C:\\pics\\idea.bmp");
  EXPECT_EQ(idea->Text(), "{\\rtf1 a}\r\n{\\par b}");
  EXPECT_EQ(idea->Sheet(), nullptr);
  EXPECT_EQ(second->LogoFile(), "C:\\logo.bmp");
  EXPECT_EQ(second->Kind(), 3);
  EXPECT_EQ(second->Width(), 120);
  EXPECT_EQ(second->Record().SpareInt1, -5);
  EXPECT_EQ(second->LogoPos(), 8);
  EXPECT_FALSE(second->Record().SpareFlag);
  EXPECT_EQ(second->Record().SpareInt2, 0);
  EXPECT_TRUE(aggregation->IsAggregation());
  EXPECT_EQ(aggregation->Sheet(), third);
  EXPECT_EQ(last->Title(),
            "\xFE"
            "ing");
  EXPECT_TRUE(last->Record().SpareFlag);

  EXPECT_EQ(p.relations.GetItem(1)->Name(), "consists of");
  EXPECT_EQ(p.relations.GetItem(2)->Record().SpareInt, 7);

  TPosItem* unplaced = p.positions.GetItem(2);
  EXPECT_EQ(unplaced->Note(), idea);
  EXPECT_EQ(unplaced->Sheet(), thorn);
  EXPECT_EQ(unplaced->X(), -1);
  EXPECT_TRUE(idea->IsPlacedOn(main));
  EXPECT_TRUE(idea->IsAssignedTo(thorn));
  EXPECT_FALSE(idea->IsPlacedOn(thorn));
  EXPECT_EQ(idea->PositionCount(), 2);
  EXPECT_EQ(main->PositionCount(), 3);
  EXPECT_EQ(p.positions.GetItem(4)->Y(), 0);

  TAttachItem* site = p.attachments.GetItem(1);
  EXPECT_EQ(site->Note(), idea);
  EXPECT_EQ(site->Title(), "Site");
  EXPECT_EQ(site->FileName(), "http://example.org/a?b=1");
  EXPECT_EQ(site->ExtraText(), "extra\r\nline");
  EXPECT_TRUE(site->IsURL());
  EXPECT_FALSE(p.attachments.GetItem(0)->IsURL());
  EXPECT_EQ(p.attachments.GetItem(2)->Note(), last);
  EXPECT_EQ(idea->AttachmentCount(), 2);

  TLinkItem* first = p.links.GetItem(0);
  EXPECT_EQ(first->Sheet(), main);
  EXPECT_EQ(first->FromNote(), idea);
  EXPECT_EQ(first->ToNote(), second);
  EXPECT_EQ(first->Relation(), p.relations.GetItem(0));
  EXPECT_EQ(first->Ctrl1X(), 12);
  EXPECT_EQ(first->Ctrl1Y(), -30);
  EXPECT_EQ(first->Ctrl2X(), 45);
  EXPECT_EQ(first->Ctrl2Y(), 7);
  EXPECT_EQ(first->ArrowStyle(), 2);
  EXPECT_EQ(p.links.GetItem(1)->Color(), 255);
  EXPECT_EQ(p.links.GetItem(1)->Width(), 3);
  EXPECT_EQ(p.links.GetItem(1)->LineStyle(), 0);
  TLinkItem* self = p.links.GetItem(2);
  EXPECT_EQ(self->FromNote(), last);
  EXPECT_EQ(self->ToNote(), last);
  EXPECT_EQ(self->Relation(), p.relations.GetItem(2));
  EXPECT_EQ(self->ArrowStyle(), 0);
  EXPECT_EQ(self->Record().SpareInt, -2);
  EXPECT_EQ(last->LinkInCount(), 1);
  EXPECT_EQ(last->LinkOutCount(), 1);
  EXPECT_EQ(third->LinkCount(), 1);

  // Loaded items count as modified until their owner says otherwise.
  EXPECT_TRUE(idea->Modified());
}

struct TLineEnds {
  const char* name;
  std::string (*transform)(const std::string& stored);
};

void PrintTo(const TLineEnds& c, std::ostream* os) { *os << c.name; }

class ModelDataFilesRoundTrip : public ::testing::TestWithParam<TLineEnds> {};

// Every single-line file is written back byte for byte, whichever line ends
// it was read with.
TEST_P(ModelDataFilesRoundTrip, SingleLineLayoutComesBackByteIdentical) {
  TTempDir in, out;
  for (TKind kind : kLoadOrder) {
    WriteBytes(in.File(DataFileName(kind)),
               GetParam().transform(ReadBytes(FileIn(Folder("single"), kind))));
  }
  TModelPools p;
  p.LoadAll(in.Path().string());
  p.SaveAll(out.Path().string());
  for (TKind kind : kLoadOrder) {
    EXPECT_EQ(ReadBytes(FileIn(out.Path().string(), kind)),
              ReadBytes(FileIn(Folder("single"), kind)))
        << DataFileName(kind);
  }
}

INSTANTIATE_TEST_SUITE_P(
    , ModelDataFilesRoundTrip,
    ::testing::Values(TLineEnds{"CrLf", [](const std::string& s) { return s; }},
                      TLineEnds{"Lf",
                                [](const std::string& s) {
                                  std::string lf;
                                  for (const std::string& line : Split(s, "\r\n"))
                                    lf += line + "\n";
                                  return lf.substr(0, lf.size() - 1);
                                }},
                      TLineEnds{"NoFinalLineEnd",
                                [](const std::string& s) { return s.substr(0, s.size() - 2); }},
                      TLineEnds{"FinalCrWithoutLf",
                                [](const std::string& s) { return s.substr(0, s.size() - 1); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModelDataFiles, OlderLayoutIsReadAndWrittenInTheSingleLineLayout) {
  TModelPools p;
  p.Load(Folder("older"), {TKind::Sheet, TKind::Note});
  ASSERT_EQ(p.sheets.Count(), 3);
  ASSERT_EQ(p.notes.Count(), 3);
  // An older description always ends with a line break.
  EXPECT_EQ(p.sheets.GetItem(0)->Description(), "abc\r\n");
  EXPECT_EQ(p.sheets.GetItem(1)->Description(), "first\r\nsecond\r\nthird\r\n");
  EXPECT_EQ(p.sheets.GetItem(2)->Description(), "\r\n");
  EXPECT_EQ(p.sheets.GetItem(1)->Width(), 600);
  EXPECT_EQ(p.notes.GetItem(0)->Text(), "{\\rtf1 one}\r\n{\\par two}\r\n{\\par three}");
  EXPECT_EQ(p.notes.GetItem(1)->Text(), "just one");
  EXPECT_EQ(p.notes.GetItem(2)->Text(), "\r\n");
  EXPECT_EQ(p.notes.GetItem(2)->Sheet(), p.sheets.GetItem(1));
  EXPECT_EQ(p.notes.GetItem(2)->Color(), 255);
  // Records, not physical lines, are counted.
  for (std::int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(p.sheets.GetItem(i)->LoadIndex(), i);
    EXPECT_EQ(p.notes.GetItem(i)->LoadIndex(), i);
    EXPECT_EQ(p.notes.GetItem(i)->Record().ID, i);
  }

  TTempDir out;
  p.SaveAll(out.Path().string());
  for (TKind kind : {TKind::Sheet, TKind::Note}) {
    EXPECT_EQ(ReadBytes(FileIn(out.Path().string(), kind)),
              ReadBytes(FileIn(Folder("older/expected"), kind)))
        << DataFileName(kind);
  }

  TModelPools again;
  again.Load(Folder("older/expected"), {TKind::Sheet, TKind::Note});
  for (std::int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(again.sheets.GetItem(i)->Description(), p.sheets.GetItem(i)->Description()) << i;
    EXPECT_EQ(again.notes.GetItem(i)->Text(), p.notes.GetItem(i)->Text()) << i;
  }
}

// Records which reader a pool's LoadFromFile chose.
template <typename TBase>
class TLayoutProbe : public TBase {
 public:
  void LoadOldFormat(const std::string& fileName) override {
    chosen.push_back("older");
    TBase::LoadOldFormat(fileName);
  }
  void LoadNewFormat(const std::string& fileName) override {
    chosen.push_back("single-line");
    TBase::LoadNewFormat(fileName);
  }
  std::vector<std::string> chosen;
};

struct TLayoutCase {
  const char* name;
  TKind kind;  // Note or Sheet
  const char* file;
  const char* layout;
  std::int32_t count;
  bool fails;
};

void PrintTo(const TLayoutCase& c, std::ostream* os) { *os << c.name; }

class ModelDataFilesLayout : public ::testing::TestWithParam<TLayoutCase> {};

TEST_P(ModelDataFilesLayout, LoadFromFileChoosesTheReader) {
  const TLayoutCase& c = GetParam();
  TModelPools p;
  p.Load(Folder("single"), {TKind::Sheet});  // for aggregation notes
  TLayoutProbe<TNotePool> notes;
  notes.Connect(&p.sheets);
  TLayoutProbe<TSheetPool> sheets;
  sheets.Connect(&p.notes);
  TPool& pool = c.kind == TKind::Note ? static_cast<TPool&>(notes) : sheets;
  const auto& chosen = c.kind == TKind::Note ? notes.chosen : sheets.chosen;

  if (c.fails) {
    EXPECT_THROW(pool.LoadFromFile(Folder(c.file)), EDataFileError);
  } else {
    pool.LoadFromFile(Folder(c.file));
  }
  EXPECT_EQ(chosen, std::vector<std::string>{c.layout});
  EXPECT_EQ(pool.Count(), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    , ModelDataFilesLayout,
    ::testing::Values(
        TLayoutCase{"EmptyNoteFile", TKind::Note, "layouts/empty_Not.dat", "single-line", 0, false},
        TLayoutCase{"EmptySheetFile", TKind::Sheet, "layouts/empty_Sht.dat", "older", 0, false},
        TLayoutCase{"HeaderOnlySheetFile", TKind::Sheet, "layouts/header_only_Sht.dat",
                    "single-line", 0, false},
        TLayoutCase{"SingleLineNotes", TKind::Note, "single/P_Not.dat", "single-line", 4, false},
        TLayoutCase{"SingleLineSheets", TKind::Sheet, "single/P_Sht.dat", "single-line", 3, false},
        TLayoutCase{"OlderNotes", TKind::Note, "older/P_Not.dat", "older", 3, false},
        TLayoutCase{"OlderSheets", TKind::Sheet, "older/P_Sht.dat", "older", 3, false},
        // The first note's text is one line, so nothing shows the older layout.
        TLayoutCase{"OlderNotesStartingWithAOneLineText", TKind::Note,
                    "errors/older_note_then_multiline.dat", "single-line", 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModelDataFiles, EmptyPoolsWriteNothingButTheSheetHeader) {
  TTempDir dir;
  TModelPools p;
  p.SaveAll(dir.Path().string());
  for (TKind kind : kLoadOrder) {
    EXPECT_EQ(ReadBytes(FileIn(dir.Path().string(), kind)),
              kind == TKind::Sheet ? "New0123456789\r\n" : "")
        << DataFileName(kind);
  }
  TModelPools again;
  again.LoadAll(dir.Path().string());
  for (TKind kind : kLoadOrder) EXPECT_EQ(again.Pool(kind).Count(), 0) << DataFileName(kind);
}

TEST(ModelDataFiles, LoadingAppendsToWhatThePoolHolds) {
  TModelPools p;
  TRelationItem* before = p.AddRelation("before");
  p.relations.LoadFromFile(FileIn(Folder("single"), TKind::Relation));
  p.relations.LoadFromFile(FileIn(Folder("single"), TKind::Relation));
  ASSERT_EQ(p.relations.Count(), 7);
  EXPECT_EQ(p.relations.GetItem(0), before);
  EXPECT_EQ(p.relations.GetItem(4)->Name(), "leads to");
  EXPECT_EQ(p.relations.GetItem(4)->Record().ID, 0);  // as stored
  EXPECT_EQ(p.relations.GetItem(4)->LoadIndex(), 4);  // where it landed
}

// The first of three sheets and the first of four notes go: everything after
// them, and every reference to it, is written with the new, smaller numbers.
TEST(ModelDataFiles, ReferencesAreWrittenAsPositionsAfterDeletions) {
  TModelPools p;
  p.LoadAll(Folder("renumber"));
  TSheetItem* gamma = p.sheets.GetItem(2);
  ASSERT_EQ(gamma->LoadIndex(), 2);

  p.sheets.GetItem(0)->Delete();
  p.notes.GetItem(0)->Delete();

  EXPECT_EQ(p.sheets.IndexOf(gamma), 1);
  EXPECT_EQ(gamma->LoadIndex(), 2);  // nothing renumbers the loaded identity
  EXPECT_EQ(gamma->Record().ID, 2);
  TTempDir out;
  p.SaveAll(out.Path().string());
  for (TKind kind : kLoadOrder) {
    EXPECT_EQ(ReadBytes(FileIn(out.Path().string(), kind)),
              ReadBytes(FileIn(Folder("renumber/expected"), kind)))
        << DataFileName(kind);
  }
}

TEST(ModelDataFiles, AFilteredPoolWritesOnlyItsView) {
  TModelPools p;
  p.LoadAll(Folder("single"));
  const auto keepOnly = [](TPool& pool, std::vector<std::int32_t> keep) {
    pool.ResetFilter();
    for (std::int32_t i = 0; i < pool.ItemCount(); ++i) {
      if (std::find(keep.begin(), keep.end(), i) == keep.end())
        pool.RemoveFromFilter(pool.ItemAt(i));
    }
    pool.SetFiltered(true);
  };
  keepOnly(p.sheets, {2});
  keepOnly(p.notes, {2, 3});
  keepOnly(p.positions, {4});

  TTempDir out;
  for (TKind kind : {TKind::Sheet, TKind::Note, TKind::Position}) {
    p.Pool(kind).SaveToFile(FileIn(out.Path().string(), kind));
    // IDs run over the view; references name places in the whole pools.
    EXPECT_EQ(ReadBytes(FileIn(out.Path().string(), kind)),
              ReadBytes(FileIn(Folder("filtered"), kind)))
        << DataFileName(kind);
  }
}

struct TStoredText {
  const char* name;
  std::string given;
  std::string stored;    // the field in the file
  std::string readBack;  // the text after loading that file
};

void PrintTo(const TStoredText& c, std::ostream* os) { *os << c.name; }

class ModelDataFilesText : public ::testing::TestWithParam<TStoredText> {};

// Note texts, sheet descriptions and attachment extra texts share one format.
TEST_P(ModelDataFilesText, MultiLineTextsAreStoredWithOneByteLineBreaks) {
  const TStoredText& c = GetParam();
  TModelPools p;
  TSheet sheet = DefaultSheet;
  sheet.Description = c.given;
  p.sheets.Add(sheet);
  TNote note = DefaultNote;
  note.Text = c.given;
  TAttachment attachment = DefaultAttachment;
  attachment.Note = p.notes.Add(note);
  attachment.ExtraText = c.given;
  p.attachments.Add(attachment);

  TTempDir dir;
  const std::string d = dir.Path().string();
  p.SaveAll(d);
  const std::vector<std::string> sheetFields = FieldsOfLine(FileIn(d, TKind::Sheet), 1);
  const std::vector<std::string> noteFields = FieldsOfLine(FileIn(d, TKind::Note), 0);
  const std::vector<std::string> attachmentFields = FieldsOfLine(FileIn(d, TKind::Attachment), 0);
  ASSERT_EQ(sheetFields.size(), 9u);
  ASSERT_EQ(noteFields.size(), 14u);
  ASSERT_EQ(attachmentFields.size(), 6u);
  EXPECT_EQ(sheetFields[8], c.stored);
  EXPECT_EQ(noteFields[12], c.stored);
  EXPECT_EQ(attachmentFields[4], c.stored);

  TModelPools again;
  again.LoadAll(d);
  EXPECT_EQ(again.sheets.GetItem(0)->Description(), c.readBack);
  EXPECT_EQ(again.notes.GetItem(0)->Text(), c.readBack);
  EXPECT_EQ(again.attachments.GetItem(0)->ExtraText(), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(
    , ModelDataFilesText,
    ::testing::Values(TStoredText{"CrLf", "a\r\nb",
                                  "a\xFE"
                                  "b",
                                  "a\r\nb"},
                      TStoredText{"LoneLfBecomesABreak", "x\ny",
                                  "x\xFE"
                                  "y",
                                  "x\r\ny"},
                      TStoredText{"LoneCrComesBackAsCrLf", "a\rb",
                                  "a\xFE"
                                  "b",
                                  "a\r\nb"},
                      TStoredText{"TrailingBreak", "end\r\n", "end\xFE", "end\r\n"},
                      TStoredText{"OnlyBreaks", "\r\n\r\n", "\xFE\xFE", "\r\n\r\n"},
                      TStoredText{"ThornAndSeparator", "p\xFEq\xFFr", "p?q?r", "p?q?r"},
                      TStoredText{"Empty", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Records handed over as loaded (not through the sanitising adds) may hold
// anything; the writer still produces files that read back as written.
TEST(ModelDataFiles, TheWriterKeepsEveryFileReadable) {
  TModelPools p;
  TSheet sheet = DefaultSheet;
  sheet.Title = "S\xFFx";
  sheet.Description =
      "d\xFE"
      "e\r\nf";
  p.sheets.AddLoaded(sheet);
  TNote note = DefaultNote;
  note.Title =
      "T\xFF"
      "1\r\n2";
  note.ImageFile = "i\nj";
  note.Text = "m\xFEn\xFFo\r\np\nq";  // a lone LF is dropped
  note.SheetID = -1;
  p.notes.AddLoaded(note);
  TRelation relation = DefaultRelation;
  relation.Name = "r\r\n\xFFs";
  p.relations.AddLoaded(relation);
  TAttachment attachment = DefaultAttachment;
  attachment.NoteID = 0;
  attachment.Title = "a\rb";
  attachment.FileName = "f\xFF";
  attachment.ExtraText = "x\xFE";
  p.attachments.AddLoaded(attachment);

  TTempDir first, second;
  p.SaveAll(first.Path().string());
  const std::string d = first.Path().string();
  EXPECT_EQ(ReadBytes(FileIn(d, TKind::Sheet)),
            Lines({"New0123456789", Fields({"0", "S?x", "16777215", "1000", "1000", "80", "10", "1",
                                            "d?e\xFE"
                                            "f"})}));
  EXPECT_EQ(ReadBytes(FileIn(d, TKind::Note)),
            Lines({Fields({"0", "T?1 2", "i j", "", "-1", "80", "50", "65535", "16", "0", "1", "10",
                           "m?n?o\xFEpq", "-1"})}));
  EXPECT_EQ(ReadBytes(FileIn(d, TKind::Relation)), Lines({Fields({"0", "r ?s", "-1"})}));
  EXPECT_EQ(ReadBytes(FileIn(d, TKind::Attachment)),
            Lines({Fields({"0", "0", "a b", "f?", "x?", "0"})}));

  TModelPools again;
  again.LoadAll(d);
  EXPECT_EQ(again.sheets.GetItem(0)->Title(), "S?x");
  EXPECT_EQ(again.sheets.GetItem(0)->Description(), "d?e\r\nf");
  EXPECT_EQ(again.notes.GetItem(0)->Title(), "T?1 2");
  EXPECT_EQ(again.notes.GetItem(0)->ImageFile(), "i j");
  EXPECT_EQ(again.notes.GetItem(0)->Text(), "m?n?o\r\npq");
  EXPECT_EQ(again.relations.GetItem(0)->Name(), "r ?s");
  EXPECT_EQ(again.attachments.GetItem(0)->Title(), "a b");
  EXPECT_EQ(again.attachments.GetItem(0)->FileName(), "f?");
  EXPECT_EQ(again.attachments.GetItem(0)->ExtraText(), "x?");
  again.SaveAll(second.Path().string());
  for (TKind kind : kLoadOrder) {
    EXPECT_EQ(ReadBytes(FileIn(second.Path().string(), kind)), ReadBytes(FileIn(d, kind)))
        << DataFileName(kind);
  }
}

}  // namespace
}  // namespace qoztest
