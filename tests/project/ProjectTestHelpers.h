#pragma once

#include "base/ProgressBar.h"
#include "model/AttachItem.h"
#include "model/DataStructures.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "support/TestSupport.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Small builders and recorders for the container tests.
namespace projecttest {

// Records what the loader does to its progress bar.
class TProgressRecorder : public IProgressBar {
public:
  void SetRange(int minimum, int maximum) override {
    Minimum = minimum;
    Maximum = maximum;
  }
  void SetPosition(int position) override { Positions.push_back(position); }
  int Position() const { return Positions.empty() ? -1 : Positions.back(); }

  int Minimum = -1;
  int Maximum = -1;
  std::vector<int> Positions;
};

inline TSheetItem* NewSheet(TContainer& c, const std::string& title, std::int32_t width = 1000,
                            std::int32_t height = 1000) {
  TSheet record = DefaultSheet;
  record.Title = title;
  record.Width = width;
  record.Height = height;
  return c.AddSheet(record);
}

inline TNoteItem* NewNote(TContainer& c, const std::string& title, std::int32_t width = 80,
                          std::int32_t height = 50) {
  TNote record = DefaultNote;
  record.Title = title;
  record.Width = width;
  record.Height = height;
  return c.AddNote(record);
}

// A note standing for sheet, made the way the navigator makes one (not yet
// assigned to any sheet).
inline TNoteItem* NewAggregationNote(TContainer& c, TSheetItem* sheet) {
  TNote record = DefaultNote;
  record.Kind = 0;
  record.Sheet = sheet;
  record.Title = sheet->Title();
  record.Color = sheet->Color();
  return c.AddNote(record);
}

inline TRelationItem* NewRelation(TContainer& c, const std::string& name) {
  TRelation record = DefaultRelation;
  record.Name = name;
  return c.AddRelationType(record);
}

inline TPosItem* NewPosition(TContainer& c, TNoteItem* note, TSheetItem* sheet, std::int32_t x,
                             std::int32_t y) {
  TPosition record = DefaultPosition;
  record.Note = note;
  record.Sheet = sheet;
  record.X = x;
  record.Y = y;
  return c.AddPosition(record);
}

inline TAttachItem* NewAttachment(TContainer& c, TNoteItem* note, const std::string& title) {
  TAttachment record = DefaultAttachment;
  record.Note = note;
  record.Title = title;
  return c.AddAttachment(record);
}

// A link with fixed offsets (AddLink draws random ones).
inline TLinkItem* NewLink(TContainer& c, TNoteItem* from, TNoteItem* to, TSheetItem* sheet,
                          TRelationItem* relation) {
  TLink record = DefaultLink;
  record.Sheet = sheet;
  record.FromNote = from;
  record.ToNote = to;
  record.Relation = relation;
  record.Ctrl1X = 11;
  record.Ctrl1Y = 12;
  record.Ctrl2X = -13;
  record.Ctrl2Y = -14;
  return c.AddLinkRecord(record);
}

// A tree node for item, registered in pool (one of the container's
// tree-node pools).
template <typename TTreePool>
TTreeNodeItem* NewTreeNode(TTreePool& pool, TPoolItem* item, ITreeNode* node) {
  TTreeNodeData data = DefaultTreeNodeData;
  data.Item = item;
  data.Node = node;
  return pool.AddNode(data);
}

// Every file of dir by name, with its bytes.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const std::string& name : qoztest::FileNames(dir)) {
    if (std::filesystem::is_regular_file(dir / name)) {
      files[name] = qoztest::ReadBytes((dir / name).string());
    }
  }
  return files;
}

// The project file and the six data files of a project named base, in the
// order a save stages them.
inline std::vector<std::string> ProjectFiles(const std::string& base) {
  return {base + ".qoz",     base + "_Att.dat", base + "_Not.dat", base + "_Pos.dat",
          base + "_Lnk.dat", base + "_Sht.dat", base + "_Rel.dat"};
}

}  // namespace projecttest

namespace projecttest {

// A project with some of everything: two sheets, three notes (one of them
// standing for the second sheet), positions placed and unplaced, a file and
// a URL attachment, two relation types and two links. A fourth note with a
// position, a link and an attachment was deleted again, so the pools have
// had holes.
inline void FillProject(TContainer& c) {
  TSheetItem* one = NewSheet(c, "One", 1200, 900);
  TSheetItem* two = NewSheet(c, "Two", 800, 600);
  two->SetDescription("first\r\nsecond");
  TNoteItem* alpha = NewNote(c, "Alpha");
  alpha->SetText("a\r\nb");
  TNoteItem* gone = NewNote(c, "Gone");
  TNoteItem* beta = NewNote(c, "Beta", 120, 70);
  TNoteItem* aggregation = NewAggregationNote(c, two);
  TRelationItem* leads = NewRelation(c, "leads to");
  TRelationItem* assumes = NewRelation(c, "assumes");
  NewPosition(c, alpha, one, 10, 20);
  NewPosition(c, gone, one, 40, 40);
  NewPosition(c, beta, one, -1, -1);
  NewPosition(c, aggregation, one, 300, 300);
  NewPosition(c, alpha, two, 5, 5);
  NewAttachment(c, gone, "lost");
  TAttachItem* attachment = NewAttachment(c, beta, "Readme");
  attachment->SetFileName("docs/readme.txt");
  TAttachment site = DefaultAttachment;
  site.Note = alpha;
  site.Title = "Site";
  site.FileName = "http://example.org/";
  site.ExtraText = "x\r\ny";
  site.IsURL = true;
  c.AddAttachment(site);
  NewLink(c, gone, alpha, one, leads);
  NewLink(c, alpha, beta, one, leads)->SetColor(255);
  NewLink(c, beta, alpha, two, assumes)->SetWidth(3);
  gone->Delete();
}

}  // namespace projecttest
