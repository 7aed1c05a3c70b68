// What the items' setters do beyond storing the value.

#include "ModelPools.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

namespace qoztest {
namespace {

TEST(ModelSetters, NoteTitleRenamesItsNodesUnderNotesAndUnderEverySheet) {
  TModelPools p;
  TSheetItem* s0 = p.AddSheet("S0");
  TSheetItem* s1 = p.AddSheet("S1");
  TNoteItem* note = p.AddNote("Old");
  TNoteItem* other = p.AddNote("Other");
  TPosItem* on0 = p.AddPosition(note, s0, 10, 10);
  TPosItem* on1 = p.AddPosition(note, s1);
  std::vector<TRecordingTreeNode*> renamed = {&p.AddTreeNode(note), &p.AddTreeNode(note),
                                              &p.AddTreeNode(on0), &p.AddTreeNode(on1),
                                              &p.AddTreeNode(on1)};
  std::vector<TRecordingTreeNode*> untouched = {&p.AddTreeNode(s0), &p.AddTreeNode(other),
                                                &p.AddTreeNode(p.AddPosition(other, s0)),
                                                &p.AddTreeNode(p.AddAttachment(note, "A"))};
  // A node deleted before the rename must not be reached.
  TRecordingTreeNode& deleted = p.AddTreeNode(on0);
  on0->GetTreeNode(1)->Delete();
  ASSERT_TRUE(deleted.Deleted);

  note->SetTitle("New\r\ntitle");

  EXPECT_EQ(note->Title(), "New title");
  for (std::size_t i = 0; i < renamed.size(); ++i) EXPECT_EQ(renamed[i]->Caption, "New title") << i;
  for (std::size_t i = 0; i < untouched.size(); ++i) EXPECT_EQ(untouched[i]->Caption, "") << i;
  EXPECT_EQ(deleted.Caption, "");
}

TEST(ModelSetters, SheetAndAttachmentTitlesRenameTheirNodes) {
  TModelPools p;
  TSheetItem* sheet = p.AddSheet("S");
  TNoteItem* note = p.AddNote("N");
  TAttachItem* attachment = p.AddAttachment(note, "A");
  TRecordingTreeNode& sheetNode1 = p.AddTreeNode(sheet);
  TRecordingTreeNode& sheetNode2 = p.AddTreeNode(sheet);
  TRecordingTreeNode& attachmentNode = p.AddTreeNode(attachment);
  TRecordingTreeNode& noteNode = p.AddTreeNode(note);
  TRecordingTreeNode& positionNode = p.AddTreeNode(p.AddPosition(note, sheet));

  sheet->SetTitle("Sheet \xFF");
  attachment->SetTitle("File\nname");

  EXPECT_EQ(sheetNode1.Caption, "Sheet ?");
  EXPECT_EQ(sheetNode2.Caption, "Sheet ?");
  EXPECT_EQ(attachmentNode.Caption, "File name");
  EXPECT_EQ(noteNode.Caption, "");
  EXPECT_EQ(positionNode.Caption, "");
}

struct TCoordinateCase {
  const char* name;
  bool aggregation;
  bool setY;
  std::int32_t value;
  int image;  // of the first node afterwards; -1 untouched
};

void PrintTo(const TCoordinateCase& c, std::ostream* os) { *os << c.name; }

class ModelSettersCoordinate : public ::testing::TestWithParam<TCoordinateCase> {};

TEST_P(ModelSettersCoordinate, PlacedImageOnTheFirstTreeNode) {
  const TCoordinateCase& c = GetParam();
  TModelPools p;
  TSheetItem* sheet = p.AddSheet("S");
  TNoteItem* note = p.AddNote("N", c.aggregation ? 0 : -1, c.aggregation ? sheet : nullptr);
  TPosItem* position = p.AddPosition(note, sheet);
  TRecordingTreeNode& first = p.AddTreeNode(position);
  TRecordingTreeNode& second = p.AddTreeNode(position);
  TRecordingTreeNode& noteNode = p.AddTreeNode(note);
  p.SetModified(false);

  if (c.setY) {
    position->SetY(c.value);
    EXPECT_EQ(position->Y(), c.value);
  } else {
    position->SetX(c.value);
    EXPECT_EQ(position->X(), c.value);
  }

  EXPECT_EQ(first.ImageIndex, c.image);
  EXPECT_EQ(first.SelectedIndex, c.image);
  EXPECT_EQ(second.ImageIndex, -1);
  EXPECT_EQ(noteNode.ImageIndex, -1);
  EXPECT_TRUE(position->Modified());
}

INSTANTIATE_TEST_SUITE_P(
    , ModelSettersCoordinate,
    ::testing::Values(TCoordinateCase{"OrdinaryXZero", false, false, 0, 4},
                      TCoordinateCase{"OrdinaryXMinusOne", false, false, -1, -1},
                      TCoordinateCase{"OrdinaryYZero", false, true, 0, 4},
                      TCoordinateCase{"OrdinaryYPositive", false, true, 250, 4},
                      TCoordinateCase{"OrdinaryYMinusOne", false, true, -1, -1},
                      TCoordinateCase{"AggregationXZero", true, false, 0, -1},
                      TCoordinateCase{"AggregationYPositive", true, true, 30, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ModelSetters, PlacedImageIsNeverSetBackAndFollowsTheFirstLiveNode) {
  TModelPools p;
  TSheetItem* sheet = p.AddSheet("S");
  TPosItem* position = p.AddPosition(p.AddNote("N"), sheet);
  position->SetX(0);  // no tree node yet: nothing to show, nothing to break
  TRecordingTreeNode& gone = p.AddTreeNode(position);
  TRecordingTreeNode& next = p.AddTreeNode(position);
  position->GetTreeNode(0)->Delete();
  ASSERT_TRUE(gone.Deleted);

  position->SetX(5);
  EXPECT_EQ(next.ImageIndex, 4);
  EXPECT_EQ(next.SelectedIndex, 4);
  EXPECT_EQ(gone.ImageIndex, -1);

  position->SetX(-1);
  position->SetY(-1);
  EXPECT_EQ(next.ImageIndex, 4);
  EXPECT_EQ(next.SelectedIndex, 4);
}

// One item of each kind, all unmodified.
struct TItems {
  TItems() {
    sheet = p.AddSheet("S");
    note = p.AddNote("N");
    relation = p.AddRelation("R");
    position = p.AddPosition(note, sheet);
    attachment = p.AddAttachment(note, "A");
    link = p.AddLink(sheet, note, note, relation);
    p.SetModified(false);
  }
  TModelPools p;
  TSheetItem* sheet;
  TNoteItem* note;
  TRelationItem* relation;
  TPosItem* position;
  TAttachItem* attachment;
  TLinkItem* link;
};

struct TSetterCase {
  const char* name;
  std::function<TPoolItem*(TItems&)> set;  // sets, checks the value, returns the item
};

TEST(ModelSetters, EverySetterMarksItsItemModified) {
  // clang-format off
  const TSetterCase cases[] = {
      {"NoteTitle", [](TItems& i) { i.note->SetTitle("t"); EXPECT_EQ(i.note->Title(), "t"); return i.note; }},
      {"NoteImageFile", [](TItems& i) { i.note->SetImageFile("i"); EXPECT_EQ(i.note->ImageFile(), "i"); return i.note; }},
      {"NoteLogoFile", [](TItems& i) { i.note->SetLogoFile("l"); EXPECT_EQ(i.note->LogoFile(), "l"); return i.note; }},
      {"NoteWidth", [](TItems& i) { i.note->SetWidth(81); EXPECT_EQ(i.note->Width(), 81); return i.note; }},
      {"NoteHeight", [](TItems& i) { i.note->SetHeight(51); EXPECT_EQ(i.note->Height(), 51); return i.note; }},
      {"NoteColor", [](TItems& i) { i.note->SetColor(255); EXPECT_EQ(i.note->Color(), 255); return i.note; }},
      {"NoteLogoPos", [](TItems& i) { i.note->SetLogoPos(8); EXPECT_EQ(i.note->LogoPos(), 8); return i.note; }},
      {"NoteText", [](TItems& i) { i.note->SetText("x"); EXPECT_EQ(i.note->Text(), "x"); return i.note; }},
      {"SheetTitle", [](TItems& i) { i.sheet->SetTitle("t"); EXPECT_EQ(i.sheet->Title(), "t"); return i.sheet; }},
      {"SheetColor", [](TItems& i) { i.sheet->SetColor(1); EXPECT_EQ(i.sheet->Color(), 1); return i.sheet; }},
      {"SheetWidth", [](TItems& i) { i.sheet->SetWidth(2); EXPECT_EQ(i.sheet->Width(), 2); return i.sheet; }},
      {"SheetHeight", [](TItems& i) { i.sheet->SetHeight(3); EXPECT_EQ(i.sheet->Height(), 3); return i.sheet; }},
      {"SheetZoom", [](TItems& i) { i.sheet->SetZoom(4); EXPECT_EQ(i.sheet->Zoom(), 4); return i.sheet; }},
      {"SheetGridSize", [](TItems& i) { i.sheet->SetGridSize(5); EXPECT_EQ(i.sheet->GridSize(), 5); return i.sheet; }},
      {"SheetDescription", [](TItems& i) { i.sheet->SetDescription("d"); EXPECT_EQ(i.sheet->Description(), "d"); return i.sheet; }},
      {"AttachmentTitle", [](TItems& i) { i.attachment->SetTitle("t"); EXPECT_EQ(i.attachment->Title(), "t"); return i.attachment; }},
      {"AttachmentFileName", [](TItems& i) { i.attachment->SetFileName("f"); EXPECT_EQ(i.attachment->FileName(), "f"); return i.attachment; }},
      {"AttachmentIsURL", [](TItems& i) { i.attachment->SetIsURL(true); EXPECT_TRUE(i.attachment->IsURL()); return i.attachment; }},
      {"PositionX", [](TItems& i) { i.position->SetX(-5); EXPECT_EQ(i.position->X(), -5); return i.position; }},
      {"PositionY", [](TItems& i) { i.position->SetY(7); EXPECT_EQ(i.position->Y(), 7); return i.position; }},
      {"LinkCtrl1X", [](TItems& i) { i.link->SetCtrl1X(-1); EXPECT_EQ(i.link->Ctrl1X(), -1); return i.link; }},
      {"LinkCtrl1Y", [](TItems& i) { i.link->SetCtrl1Y(-2); EXPECT_EQ(i.link->Ctrl1Y(), -2); return i.link; }},
      {"LinkCtrl2X", [](TItems& i) { i.link->SetCtrl2X(-3); EXPECT_EQ(i.link->Ctrl2X(), -3); return i.link; }},
      {"LinkCtrl2Y", [](TItems& i) { i.link->SetCtrl2Y(-4); EXPECT_EQ(i.link->Ctrl2Y(), -4); return i.link; }},
      {"LinkArrowStyle", [](TItems& i) { i.link->SetArrowStyle(0); EXPECT_EQ(i.link->ArrowStyle(), 0); return i.link; }},
      {"LinkWidth", [](TItems& i) { i.link->SetWidth(3); EXPECT_EQ(i.link->Width(), 3); return i.link; }},
      {"LinkColor", [](TItems& i) { i.link->SetColor(255); EXPECT_EQ(i.link->Color(), 255); return i.link; }},
      {"LinkLineStyle", [](TItems& i) { i.link->SetLineStyle(0); EXPECT_EQ(i.link->LineStyle(), 0); return i.link; }},
      {"RelationName", [](TItems& i) { i.relation->SetName("n"); EXPECT_EQ(i.relation->Name(), "n"); return i.relation; }},
  };
  // clang-format on
  for (const TSetterCase& c : cases) {
    SCOPED_TRACE(c.name);
    TItems items;
    TPoolItem* item = c.set(items);
    EXPECT_TRUE(item->Modified());
    EXPECT_TRUE(item->Pool()->IsModified());
  }

  // The loader's sheet setter is no edit.
  TItems items;
  items.note->SetSheet(items.sheet);
  EXPECT_EQ(items.note->Sheet(), items.sheet);
  EXPECT_FALSE(items.note->Modified());
}

struct TTextCase {
  const char* name;
  std::string given;
  std::string singleLine;  // what a single-line field keeps
  std::string multiLine;   // what a multi-line field keeps
};

void PrintTo(const TTextCase& c, std::ostream* os) { *os << c.name; }

// Every way a text enters an item, and whether the field is multi-line.
struct TTextEntry {
  const char* name;
  bool multiLine;
  std::function<std::string(TItems&, const std::string&)> store;  // returns what was kept
};

class ModelSettersText : public ::testing::TestWithParam<TTextCase> {};

TEST_P(ModelSettersText, TextsAreKeptStorable) {
  const TTextCase& c = GetParam();
  // clang-format off
  const TTextEntry entries[] = {
      {"NoteTitle", false, [](TItems& i, const std::string& t) { i.note->SetTitle(t); return i.note->Title(); }},
      {"NoteImageFile", false, [](TItems& i, const std::string& t) { i.note->SetImageFile(t); return i.note->ImageFile(); }},
      {"NoteLogoFile", false, [](TItems& i, const std::string& t) { i.note->SetLogoFile(t); return i.note->LogoFile(); }},
      {"NoteText", true, [](TItems& i, const std::string& t) { i.note->SetText(t); return i.note->Text(); }},
      {"SheetTitle", false, [](TItems& i, const std::string& t) { i.sheet->SetTitle(t); return i.sheet->Title(); }},
      {"SheetDescription", true, [](TItems& i, const std::string& t) { i.sheet->SetDescription(t); return i.sheet->Description(); }},
      {"AttachmentTitle", false, [](TItems& i, const std::string& t) { i.attachment->SetTitle(t); return i.attachment->Title(); }},
      {"AttachmentFileName", false, [](TItems& i, const std::string& t) { i.attachment->SetFileName(t); return i.attachment->FileName(); }},
      {"RelationName", false, [](TItems& i, const std::string& t) { i.relation->SetName(t); return i.relation->Name(); }},
      // The plain adds keep texts storable the same way.
      {"AddNoteTitle", false, [](TItems& i, const std::string& t) { TNote r = DefaultNote; r.Title = t; return i.p.notes.Add(r)->Title(); }},
      {"AddNoteImageFile", false, [](TItems& i, const std::string& t) { TNote r = DefaultNote; r.ImageFile = t; return i.p.notes.Add(r)->ImageFile(); }},
      {"AddNoteLogoFile", false, [](TItems& i, const std::string& t) { TNote r = DefaultNote; r.LogoFile = t; return i.p.notes.Add(r)->LogoFile(); }},
      {"AddNoteText", true, [](TItems& i, const std::string& t) { TNote r = DefaultNote; r.Text = t; return i.p.notes.Add(r)->Text(); }},
      {"AddSheetTitle", false, [](TItems& i, const std::string& t) { TSheet r = DefaultSheet; r.Title = t; return i.p.sheets.Add(r)->Title(); }},
      {"AddSheetDescription", true, [](TItems& i, const std::string& t) { TSheet r = DefaultSheet; r.Description = t; return i.p.sheets.Add(r)->Description(); }},
      {"AddAttachmentTitle", false, [](TItems& i, const std::string& t) { TAttachment r = DefaultAttachment; r.Note = i.note; r.Title = t; return i.p.attachments.Add(r)->Title(); }},
      {"AddAttachmentFileName", false, [](TItems& i, const std::string& t) { TAttachment r = DefaultAttachment; r.Note = i.note; r.FileName = t; return i.p.attachments.Add(r)->FileName(); }},
      {"AddAttachmentExtraText", true, [](TItems& i, const std::string& t) { TAttachment r = DefaultAttachment; r.Note = i.note; r.ExtraText = t; return i.p.attachments.Add(r)->ExtraText(); }},
      {"AddRelationName", false, [](TItems& i, const std::string& t) { TRelation r = DefaultRelation; r.Name = t; return i.p.relations.Add(r)->Name(); }},
  };
  // clang-format on
  for (const TTextEntry& entry : entries) {
    TItems items;
    EXPECT_EQ(entry.store(items, c.given), entry.multiLine ? c.multiLine : c.singleLine)
        << entry.name;
  }
}

INSTANTIATE_TEST_SUITE_P(, ModelSettersText,
                         ::testing::Values(TTextCase{"CrLf", "a\r\nb", "a b", "a\r\nb"},
                                           TTextCase{"LoneCr", "a\rb", "a b", "a\r\nb"},
                                           TTextCase{"LoneLf", "a\nb", "a b", "a\r\nb"},
                                           TTextCase{"CrCrLf", "a\r\r\nb", "a  b", "a\r\n\r\nb"},
                                           TTextCase{"TwoBreaks", "\r\n\r\n", "  ", "\r\n\r\n"},
                                           TTextCase{"Separator",
                                                     "a\xFF"
                                                     "b\xFF",
                                                     "a?b?", "a?b?"},
                                           TTextCase{"Thorn",
                                                     "\xFE"
                                                     "orn\xFE",
                                                     "\xFE"
                                                     "orn\xFE",
                                                     "?orn?"},
                                           TTextCase{"Plain", "Caf\xE9 [x]", "Caf\xE9 [x]",
                                                     "Caf\xE9 [x]"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qoztest
