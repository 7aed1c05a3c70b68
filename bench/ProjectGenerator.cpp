#include "bench/ProjectGenerator.h"

#include "model/DataStructures.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"

#include <array>
#include <cstdlib>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

// Joins texts. (GCC 12 at -O3 warns falsely about "literal" + std::string.)
std::string Cat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

// Words for titles and memos; one of them carries Windows-1252 letters, as
// real projects do.
constexpr std::array<std::string_view, 96> kWords = {
    "project",      "meeting",  "budget",   "review",    "design",   "customer",  "market",
    "release",      "quality",  "risk",     "schedule",  "resource", "plan",      "draft",
    "report",       "analysis", "goal",     "strategy",  "team",     "contract",  "supplier",
    "invoice",      "product",  "service",  "feature",   "module",   "interface", "test",
    "result",       "summary",  "question", "answer",    "decision", "option",    "idea",
    "concept",      "model",    "process",  "workflow",  "document", "chapter",   "section",
    "figure",       "table",    "source",   "reference", "note",     "memo",      "letter",
    "agenda",       "minutes",  "action",   "item",      "priority", "deadline",  "milestone",
    "phase",        "stage",    "version",  "change",    "request",  "issue",     "defect",
    "fix",          "patch",    "build",    "deploy",    "server",   "client",    "network",
    "storage",      "backup",   "security", "access",    "account",  "user",      "role",
    "policy",       "rule",     "standard", "guideline", "training", "course",    "lesson",
    "research",     "study",    "survey",   "interview", "feedback", "response",  "proposal",
    "r\xE9sum\xE9", "estimate", "forecast", "target",    "outcome"};

constexpr std::array<std::int32_t, 8> kNoteColors = {65535,    16777215, 12632256, 8454143,
                                                     16744576, 8421631,  65280,    16776960};
constexpr std::array<std::int32_t, 4> kSheetColors = {16777215, 15793151, 16777184, 14745599};

constexpr std::string_view kRelationNames[TProjectGenerator::kRelationTypes] = {
    "leads to", "consists of", "assumes"};

constexpr std::string_view kRtfHead = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
constexpr std::string_view kRtfTail = "\\par }";

// A number in low..high-1 other than skip (skip may lie outside the range).
std::int32_t SkipOne(std::int32_t drawn, std::int32_t skip) {
  return drawn >= skip ? drawn + 1 : drawn;
}

}  // namespace

TProjectGenerator::TProjectGenerator(const TProjectShape& shape)
    : shape_(shape), random_(shape.Seed) {}

std::int32_t TProjectGenerator::Below(std::int32_t bound) {
  // Multiply-shift rather than a library distribution: the same on every
  // standard library.
  return static_cast<std::int32_t>(
      (static_cast<std::uint64_t>(random_()) * static_cast<std::uint64_t>(bound)) >> 32);
}

template <typename T>
void TProjectGenerator::Shuffle(std::vector<T>& values) {
  for (std::size_t i = values.size(); i > 1; --i) {
    const auto j = static_cast<std::size_t>(Below(static_cast<std::int32_t>(i)));
    std::swap(values[i - 1], values[j]);
  }
}

const std::string& TProjectGenerator::Word() {
  static const std::vector<std::string> words(kWords.begin(), kWords.end());
  return words[static_cast<std::size_t>(Below(static_cast<std::int32_t>(words.size())))];
}

std::string TProjectGenerator::Words(std::int32_t count) {
  std::string text;
  for (std::int32_t i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += Word();
  }
  return text;
}

std::string TProjectGenerator::Title(std::int32_t minWords, std::int32_t maxWords) {
  std::string title = Words(Between(minWords, maxWords));
  title[0] = static_cast<char>(title[0] - ('a' <= title[0] && title[0] <= 'z' ? 'a' - 'A' : 0));
  return title;
}

std::string TProjectGenerator::Memo() {
  const std::int32_t spread = shape_.MemoBytes / 5;
  const auto target =
      static_cast<std::size_t>(shape_.MemoBytes + (spread > 0 ? Between(-spread, spread) : 0));
  std::string memo(kRtfHead);
  std::size_t lineStart = memo.size();
  while (memo.size() + kRtfTail.size() < target) {
    memo += Word();
    if (Below(12) == 0) {
      memo += "\\par";
    }
    // An editor breaks its RTF output into lines of about 70 characters.
    if (memo.size() - lineStart > 70) {
      memo += "\r\n";
      lineStart = memo.size();
    } else {
      memo += ' ';
    }
  }
  memo += kRtfTail;
  return memo;
}

void TProjectGenerator::Validate() const {
  const TProjectShape& s = shape_;
  if (s.Notes < 2 || s.Sheets < 1 || s.SecondSheetEvery < 1 || s.AttachmentEvery < 1 ||
      s.LinksPerHundredNotes < 0 || s.MemoBytes < 0) {
    throw std::invalid_argument("project shape: counts out of range");
  }
  if (s.HubNoteLinks > 0 && s.Notes < 3) {
    throw std::invalid_argument("project shape: a hub note needs at least three notes");
  }
  if (s.CrowdedSheetPositions > 0 && (s.CrowdedSheetPositions > s.Notes || s.Sheets < 3)) {
    throw std::invalid_argument(
        "project shape: the crowded sheet needs that many notes and three sheets");
  }
  if (s.CrowdedSheetPositions == 0 && s.SecondSheetEvery > 0 && s.Sheets < 2) {
    throw std::invalid_argument("project shape: a second placement needs two sheets");
  }
  const std::int64_t links =
      static_cast<std::int64_t>(s.Notes) * s.LinksPerHundredNotes / 100 + s.HubNoteLinks;
  if (s.BusyRelationLinks > links) {
    throw std::invalid_argument("project shape: fewer links than the busy relation type needs");
  }
}

void TProjectGenerator::Build(TContainer& container) {
  Validate();
  const TProjectShape& s = shape_;

  std::vector<TRelationItem*> relations;
  for (std::string_view name : kRelationNames) {
    TRelation record = DefaultRelation;
    record.Name = std::string(name);
    relations.push_back(container.AddRelationType(record));
  }

  std::vector<TSheetItem*> sheets;
  sheets.reserve(static_cast<std::size_t>(s.Sheets));
  for (std::int32_t i = 0; i < s.Sheets; ++i) {
    TSheet record = DefaultSheet;
    record.Title = Title(1, 3);
    record.Color = kSheetColors[static_cast<std::size_t>(Below(kSheetColors.size()))];
    record.Width = Between(15, 40) * 100;
    record.Height = Between(10, 30) * 100;
    record.Zoom = Between(5, 10) * 10;
    record.Description = Cat({Words(Between(3, 8)), "\r\n", Words(Between(3, 8))});
    sheets.push_back(container.AddSheet(record));
  }

  std::vector<TNoteItem*> notes;
  notes.reserve(static_cast<std::size_t>(s.Notes));
  for (std::int32_t i = 0; i < s.Notes; ++i) {
    TNote record = DefaultNote;
    record.Title = Title(2, 5);
    if (Below(20) == 0)
      record.ImageFile = Cat({"pictures/", Word(), "_", std::to_string(i), ".jpg"});
    if (Below(50) == 0) record.LogoFile = Cat({"logos/", Word(), ".bmp"});
    record.Width = Between(8, 20) * 10;
    record.Height = Between(5, 11) * 10;
    record.Color = kNoteColors[static_cast<std::size_t>(Below(kNoteColors.size()))];
    record.LogoPos = Below(4);
    record.Text = Memo();
    notes.push_back(container.AddNote(record));
  }

  // Positions, note by note: the first sheet, then one note in five on a
  // second one. The crowded sheet takes exactly its share of random notes.
  std::vector<char> onCrowded(static_cast<std::size_t>(s.Notes), 0);
  if (s.CrowdedSheetPositions > 0) {
    std::vector<std::int32_t> order(static_cast<std::size_t>(s.Notes));
    for (std::int32_t i = 0; i < s.Notes; ++i) order[static_cast<std::size_t>(i)] = i;
    Shuffle(order);
    for (std::int32_t i = 0; i < s.CrowdedSheetPositions; ++i) {
      onCrowded[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = 1;
    }
  }
  const std::int32_t firstFree = s.CrowdedSheetPositions > 0 ? 1 : 0;
  auto place = [&](TNoteItem* note, std::int32_t sheetIndex) {
    TSheetItem* sheet = sheets[static_cast<std::size_t>(sheetIndex)];
    TPosition record = DefaultPosition;
    record.Note = note;
    record.Sheet = sheet;
    record.X = Below(sheet->Width() - note->Width());
    record.Y = Below(sheet->Height() - note->Height());
    container.AddPosition(record);
  };
  for (std::int32_t i = 0; i < s.Notes; ++i) {
    TNoteItem* note = notes[static_cast<std::size_t>(i)];
    const std::int32_t first = onCrowded[static_cast<std::size_t>(i)]
                                   ? TProjectGenerator::kCrowdedSheet
                                   : firstFree + Below(s.Sheets - firstFree);
    place(note, first);
    if (Below(s.SecondSheetEvery) == 0) {
      // Any sheet but the first one and, when it must stay exact, the crowded one.
      const bool skipFirst = first >= firstFree;
      const std::int32_t choices = s.Sheets - firstFree - (skipFirst ? 1 : 0);
      std::int32_t second = firstFree + Below(choices);
      if (skipFirst) second = SkipOne(second, first);
      place(note, second);
    }
  }

  // Links: random pairs of notes on a random sheet, plus the hub's links, in
  // random order so that the hub's are spread through the pool.
  std::vector<std::pair<std::int32_t, std::int32_t>> ends;
  const std::int32_t plainLinks =
      static_cast<std::int32_t>(static_cast<std::int64_t>(s.Notes) * s.LinksPerHundredNotes / 100);
  const std::int32_t lowest = s.HubNoteLinks > 0 ? 1 : 0;  // keeps other links off the hub
  for (std::int32_t i = 0; i < plainLinks; ++i) {
    const std::int32_t from = lowest + Below(s.Notes - lowest);
    const std::int32_t to = SkipOne(lowest + Below(s.Notes - lowest - 1), from);
    ends.emplace_back(from, to);
  }
  for (std::int32_t i = 0; i < s.HubNoteLinks; ++i) {
    const std::int32_t other = 1 + Below(s.Notes - 1);
    if (i % 2 == 0) {
      ends.emplace_back(kHubNote, other);
    } else {
      ends.emplace_back(other, kHubNote);
    }
  }
  Shuffle(ends);

  std::vector<std::int32_t> types(ends.size());
  if (s.BusyRelationLinks > 0) {
    for (std::size_t i = 0; i < types.size(); ++i) {
      types[i] = static_cast<std::int32_t>(i) < s.BusyRelationLinks ? kBusyRelation
                                                                    : 1 + Below(kRelationTypes - 1);
    }
    Shuffle(types);
  } else {
    for (std::int32_t& type : types) type = Below(kRelationTypes);
  }

  for (std::size_t i = 0; i < ends.size(); ++i) {
    TLink record = DefaultLink;
    record.Sheet = sheets[static_cast<std::size_t>(Below(s.Sheets))];
    record.FromNote = notes[static_cast<std::size_t>(ends[i].first)];
    record.ToNote = notes[static_cast<std::size_t>(ends[i].second)];
    record.Relation = relations[static_cast<std::size_t>(types[i])];
    // Curve handles as a new link gets them.
    record.Ctrl1X = Below(DefaultLink.Ctrl1X);
    record.Ctrl1Y = Below(DefaultLink.Ctrl1Y);
    record.Ctrl2X = -Below(DefaultLink.Ctrl2X);
    record.Ctrl2Y = -Below(DefaultLink.Ctrl2Y);
    record.LineStyle = Below(4) == 0 ? 0 : 1;
    container.AddLinkRecord(record);
  }

  for (std::int32_t i = 0; i < s.Notes; i += s.AttachmentEvery) {
    TAttachment record = DefaultAttachment;
    record.Note = notes[static_cast<std::size_t>(i)];
    record.Title = Title(1, 3);
    record.IsURL = Below(4) == 0;
    record.FileName = record.IsURL
                          ? Cat({"https://www.example.org/", Word(), "/", std::to_string(i)})
                          : Cat({"/home/anna/Documents/", Word(), "_", std::to_string(i), ".pdf"});
    if (Below(3) == 0) record.ExtraText = Cat({Words(Between(2, 6)), "\r\n", Words(Between(2, 6))});
    container.AddAttachment(record);
  }
}

void TProjectGenerator::BuildDrawing(TContainer& container, const TDrawingShape& drawing) {
  std::vector<TRelationItem*> relations;
  for (std::string_view name : kRelationNames) {
    TRelation record = DefaultRelation;
    record.Name = std::string(name);
    relations.push_back(container.AddRelationType(record));
  }
  TSheet sheetRecord = DefaultSheet;
  sheetRecord.Title = "Drawing";
  sheetRecord.Width = drawing.Width;
  sheetRecord.Height = drawing.Height;
  TSheetItem* sheet = container.AddSheet(sheetRecord);
  sheetRecord.Title = "Elsewhere";
  TSheetItem* elsewhere = container.AddSheet(sheetRecord);

  std::vector<TNoteItem*> notes;
  for (std::int32_t i = 0; i < drawing.Notes; ++i) {
    TNote record = DefaultNote;
    record.Title = Title(2, 5);
    record.Width = Between(8, 20) * 10;
    record.Height = Between(5, 12) * 10;
    record.Color = kNoteColors[static_cast<std::size_t>(Below(kNoteColors.size()))];
    if (drawing.PictureEvery > 0 && i % drawing.PictureEvery == 0) {
      if ((i / drawing.PictureEvery) % 2 == 0) {
        record.ImageFile = drawing.PictureFile;
      } else {
        record.LogoFile = drawing.LogoFile;
        record.LogoPos = Below(9);
      }
    }
    TNoteItem* note = container.AddNote(record);
    TPosition position = DefaultPosition;
    position.Note = note;
    position.Sheet = sheet;
    position.X = Below(drawing.Width - note->Width());
    position.Y = Below(drawing.Height - note->Height());
    container.AddPosition(position);
    notes.push_back(note);
  }
  // Three links in four join nearby notes, as people link what they put side
  // by side; the others cross the sheet.
  const auto near = [&](std::int32_t a, std::int32_t b) {
    const TPosItem* pa = notes[static_cast<std::size_t>(a)]->LastPositionOn(sheet);
    const TPosItem* pb = notes[static_cast<std::size_t>(b)]->LastPositionOn(sheet);
    return std::abs(pa->X() - pb->X()) < 2500 && std::abs(pa->Y() - pb->Y()) < 2500;
  };
  for (std::int32_t i = 0; i < drawing.Links; ++i) {
    const std::int32_t from = Below(drawing.Notes);
    std::int32_t to = SkipOne(Below(drawing.Notes - 1), from);
    if (Below(4) != 0) {
      for (int attempt = 0; attempt < 30 && !near(from, to); ++attempt) {
        to = SkipOne(Below(drawing.Notes - 1), from);
      }
    }
    TLink record = DefaultLink;
    record.Sheet = Below(10) == 0 ? elsewhere : sheet;
    record.FromNote = notes[static_cast<std::size_t>(from)];
    record.ToNote = notes[static_cast<std::size_t>(to)];
    record.Relation = relations[static_cast<std::size_t>(Below(kRelationTypes))];
    record.Ctrl1X = Between(-100, 100);
    record.Ctrl1Y = Between(-100, 100);
    record.Ctrl2X = Between(-100, 100);
    record.Ctrl2Y = Between(-100, 100);
    record.LineStyle = Below(4) == 0 ? 0 : 1;
    record.Color = kNoteColors[static_cast<std::size_t>(Below(kNoteColors.size()))] / 2;
    record.Width = Between(1, 3);
    container.AddLinkRecord(record);
  }
}
