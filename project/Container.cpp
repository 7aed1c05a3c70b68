#include "project/Container.h"

#include "base/Convert.h"
#include "base/Notifications.h"
#include "base/ProgressBar.h"
#include "base/UserMessages.h"
#include "model/AttachPool.h"
#include "model/LinkPool.h"
#include "model/NotePool.h"
#include "model/PosPool.h"
#include "model/RelationPool.h"
#include "model/SheetPool.h"
#include "model/TreeNodePool.h"
#include "project/DataFileSet.h"
#include "project/IniFile.h"
#include "project/SaveTransaction.h"

#include <filesystem>
#include <system_error>
#include <unordered_set>

namespace {

constexpr const char* kSheetSuffix = "_Sht";
constexpr const char* kNoteSuffix = "_Not";
constexpr const char* kRelationSuffix = "_Rel";
constexpr const char* kPositionSuffix = "_Pos";
constexpr const char* kAttachmentSuffix = "_Att";
constexpr const char* kLinkSuffix = "_Lnk";

std::string CurrentDirectory() {
  std::error_code error;
  std::string current = std::filesystem::current_path(error).string();
  if (current.empty() || current.back() != '/') current += '/';
  return current;
}

// The project's folder must exist before its files can be written; only one
// level is created, as a user who typed a wrong path would expect no more.
void EnsureDirectory(const std::string& path) {
  if (path.empty()) return;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return;
  if (!std::filesystem::create_directory(path, error)) {
    UserMessages().ShowMessage(TMessageKind::Error, "Error Creating Directory");
  }
}

}  // namespace

// A project is always saved whole: a search that left its filtered views on
// must not make a save write only what it found. The views come back after.
class TContainer::TFiltersSuspended {
 public:
  explicit TFiltersSuspended(const TContainer& container) : pools_(container.SaveOrder()) {
    for (std::size_t i = 0; i < pools_.size(); ++i) {
      filtered_[i] = pools_[i].first->Filtered();
      pools_[i].first->SetFiltered(false);
    }
  }
  ~TFiltersSuspended() {
    for (std::size_t i = 0; i < pools_.size(); ++i) pools_[i].first->SetFiltered(filtered_[i]);
  }
  TFiltersSuspended(const TFiltersSuspended&) = delete;
  TFiltersSuspended& operator=(const TFiltersSuspended&) = delete;

 private:
  std::array<std::pair<TPool*, const char*>, 6> pools_;
  std::array<bool, 6> filtered_{};
};

TContainer::TContainer() : directory_(CurrentDirectory()), random_(std::random_device{}()) {
  attachTreePool_ = std::make_unique<TAttachTreePool>();
  noteTreePool_ = std::make_unique<TNoteTreePool>();
  sheetTreePool_ = std::make_unique<TSheetTreePool>();
  posTreePool_ = std::make_unique<TPosTreePool>();
  attachPool_ = std::make_unique<TAttachPool>();
  notePool_ = std::make_unique<TNotePool>();
  posPool_ = std::make_unique<TPosPool>();
  linkPool_ = std::make_unique<TLinkPool>();
  sheetPool_ = std::make_unique<TSheetPool>();
  relationPool_ = std::make_unique<TRelationPool>();

  attachTreePool_->SetShownPool(attachPool_.get());
  noteTreePool_->SetShownPool(notePool_.get());
  sheetTreePool_->SetShownPool(sheetPool_.get());
  posTreePool_->SetShownPool(posPool_.get());
  attachPool_->Connect(notePool_.get());
  notePool_->Connect(sheetPool_.get());
  posPool_->Connect(sheetPool_.get(), notePool_.get());
  linkPool_->Connect(sheetPool_.get(), notePool_.get(), relationPool_.get());
  sheetPool_->Connect(notePool_.get());
}

TContainer::~TContainer() {
  // Pools are destroyed without cascades, tree nodes first.
  attachTreePool_.reset();
  noteTreePool_.reset();
  sheetTreePool_.reset();
  posTreePool_.reset();
  attachPool_.reset();
  notePool_.reset();
  posPool_.reset();
  linkPool_.reset();
  sheetPool_.reset();
  relationPool_.reset();
}

// ---------------------------------------------------------------------------
// Files

std::string TContainer::BaseName(const std::string& fileName) {
  return TDataFileSet::BaseName(fileName);
}

void TContainer::TakeDirectoryFrom(const std::string& projectFileName) {
  const std::string path = TDataFileSet::DirectoryOf(projectFileName);
  directory_ = path.empty() ? CurrentDirectory() : path;
}

void TContainer::ReadDataFiles(const std::string& projectFileName) {
  const TDataFileSet files(projectFileName);
  TakeDirectoryFrom(projectFileName);
  // References resolve against pools read earlier: sheets before notes
  // (aggregation notes), both before positions, attachments and links.
  const std::pair<TPool*, const char*> loadOrder[] = {
      {sheetPool_.get(), kSheetSuffix},       {notePool_.get(), kNoteSuffix},
      {relationPool_.get(), kRelationSuffix}, {posPool_.get(), kPositionSuffix},
      {attachPool_.get(), kAttachmentSuffix}, {linkPool_.get(), kLinkSuffix}};
  if (progressBar_) {
    progressBar_->SetRange(0, 6);
    progressBar_->SetPosition(0);
  }
  int step = 0;
  for (const auto& [pool, suffix] : loadOrder) {
    pool->LoadFromFile(files.Locate(suffix));
    ++step;
    if (progressBar_) progressBar_->SetPosition(step);
  }
  SetModified(false);
}

std::array<std::pair<TPool*, const char*>, 6> TContainer::SaveOrder() const {
  return {{{attachPool_.get(), kAttachmentSuffix},
           {notePool_.get(), kNoteSuffix},
           {posPool_.get(), kPositionSuffix},
           {linkPool_.get(), kLinkSuffix},
           {sheetPool_.get(), kSheetSuffix},
           {relationPool_.get(), kRelationSuffix}}};
}

void TContainer::StageDataFiles(TSaveTransaction& transaction, const std::string& projectFileName) {
  const TDataFileSet files(projectFileName);
  TakeDirectoryFrom(projectFileName);
  for (const auto& [pool, suffix] : SaveOrder()) {
    pool->SaveToFile(transaction.Stage(files.NameFor(suffix)));
  }
}

void TContainer::WriteDataFiles(const std::string& projectFileName) {
  EnsureDirectory(TDataFileSet::DirectoryOf(projectFileName));
  const TFiltersSuspended wholePools(*this);
  TSaveTransaction transaction;
  StageDataFiles(transaction, projectFileName);
  transaction.Commit();
  SetModified(false);
}

void TContainer::OpenProject(const std::string& projectFileName) {
  const TIniFile ini = TIniFile::Load(projectFileName);
  showGrid_ = ini.ReadString("DEFAULTS", "Grid", "Yes") == "Yes";
  ReadDataFiles(projectFileName);
  fileName_ = projectFileName;
}

void TContainer::SaveProject(const std::string& projectFileName) {
  EnsureDirectory(TDataFileSet::DirectoryOf(projectFileName));
  const TFiltersSuspended wholePools(*this);
  TSaveTransaction transaction;
  TIniFile ini = TIniFile::Load(projectFileName);
  ini.WriteString("QOZ", "Version", "5.0");
  ini.WriteString("DEFAULTS", "Grid", "No");
  ini.SaveTo(transaction.Stage(projectFileName));
  StageDataFiles(transaction, projectFileName);
  transaction.Commit();
  SetModified(false);
}

void TContainer::ImportProject(const std::string& otherProjectFileName) {
  TContainer other;
  other.SetProgressBar(progressBar_);
  other.ReadDataFiles(otherProjectFileName);
  const std::pair<TPool*, TPool*> moves[] = {
      {sheetPool_.get(), other.sheetPool_.get()},       {notePool_.get(), other.notePool_.get()},
      {relationPool_.get(), other.relationPool_.get()}, {posPool_.get(), other.posPool_.get()},
      {attachPool_.get(), other.attachPool_.get()},     {linkPool_.get(), other.linkPool_.get()}};
  for (const auto& [mine, theirs] : moves) mine->TakeItemsFrom(*theirs, mine);
}

bool TContainer::IsModified() const {
  for (const auto& [pool, suffix] : SaveOrder()) {
    if (pool->IsModified()) return true;
  }
  return false;
}

void TContainer::SetModified(bool modified) {
  for (const auto& [pool, suffix] : SaveOrder()) pool->SetModified(modified);
}

void TContainer::FiltersOff() {
  for (const auto& [pool, suffix] : SaveOrder()) pool->SetFiltered(false);
}

void TContainer::ResetFilters() {
  for (const auto& [pool, suffix] : SaveOrder()) pool->ResetFilter();
}

// ---------------------------------------------------------------------------
// Indexed access

TAttachItem* TContainer::GetAttachment(std::int32_t index) const {
  return attachPool_->GetItem(index);
}
std::int32_t TContainer::AttachmentCount() const { return attachPool_->Count(); }
TNoteItem* TContainer::GetNote(std::int32_t index) const { return notePool_->GetItem(index); }
std::int32_t TContainer::NoteCount() const { return notePool_->Count(); }
TPosItem* TContainer::GetPosition(std::int32_t index) const { return posPool_->GetItem(index); }
std::int32_t TContainer::PositionCount() const { return posPool_->Count(); }
TLinkItem* TContainer::GetLink(std::int32_t index) const { return linkPool_->GetItem(index); }
std::int32_t TContainer::LinkCount() const { return linkPool_->Count(); }
TSheetItem* TContainer::GetSheet(std::int32_t index) const { return sheetPool_->GetItem(index); }
std::int32_t TContainer::SheetCount() const { return sheetPool_->Count(); }
TRelationItem* TContainer::GetRelation(std::int32_t index) const {
  return relationPool_->GetItem(index);
}
std::int32_t TContainer::RelationCount() const { return relationPool_->Count(); }

bool TContainer::ContainsNote(const TNoteItem* note) const {
  return notePool_->ContainsIndexed(note);
}
bool TContainer::ContainsSheet(const TSheetItem* sheet) const {
  return sheetPool_->ContainsIndexed(sheet);
}
bool TContainer::ContainsAttachment(const TAttachItem* attachment) const {
  return attachPool_->ContainsIndexed(attachment);
}

// ---------------------------------------------------------------------------
// Adding

TNoteItem* TContainer::AddNote(const TNote& record) {
  TNoteItem* note = notePool_->Add(record);
  Notifications().NotifyNavigators(note);
  return note;
}

TSheetItem* TContainer::AddSheet(const TSheet& record) {
  TSheetItem* sheet = sheetPool_->Add(record);
  Notifications().NotifyNavigators(sheet);
  return sheet;
}

TAttachItem* TContainer::AddAttachment(const TAttachment& record) {
  TAttachItem* attachment = attachPool_->Add(record);
  Notifications().NotifyNavigators(attachment);
  return attachment;
}

TPosItem* TContainer::AddPosition(const TPosition& record) {
  TPosItem* position = posPool_->Add(record);
  Notifications().NotifyNavigators(position);
  return position;
}

TRelationItem* TContainer::AddRelationType(const TRelation& record) {
  TRelationItem* relation = relationPool_->Add(record);
  Notifications().NotifyNavigators(relation);
  return relation;
}

TLinkItem* TContainer::AddLinkRecord(const TLink& record) { return linkPool_->Add(record); }

// ---------------------------------------------------------------------------
// Placing

bool TContainer::AssignNoteToSheet(TNoteItem* note, TSheetItem* sheet) {
  if (note->IsAssignedTo(sheet)) return false;
  TPosition record = DefaultPosition;
  record.Note = note;
  record.Sheet = sheet;
  AddPosition(record);
  return true;
}

bool TContainer::PlaceNote(TNoteItem* note, TSheetItem* sheet, std::int32_t x, std::int32_t y) {
  // A note that reaches past the right or bottom edge moves one unit further
  // in than the edge itself, as it always has.
  const std::int32_t maxX = CheckedSub(sheet->Width(), note->Width());
  const std::int32_t maxY = CheckedSub(sheet->Height(), note->Height());
  if (x < 0) x = 0;
  if (x > maxX) x = CheckedSub(maxX, 1);
  if (y < 0) y = 0;
  if (y > maxY) y = CheckedSub(maxY, 1);
  TPosItem* position = PositionOf(note, sheet);
  if (!position) {
    TPosition record = DefaultPosition;
    record.Note = note;
    record.Sheet = sheet;
    record.X = x;
    record.Y = y;
    AddPosition(record);
  } else {
    position->SetX(x);
    position->SetY(y);
  }
  return true;
}

void TContainer::SetNoteBox(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            TNoteItem* note, TSheetItem* sheet) {
  TPosItem* position = PositionOf(note, sheet);
  if (!position || x < 0 || y < 0 || width < kMinBoxSize || height < kMinBoxSize) return;
  position->SetX(x);
  position->SetY(y);
  note->SetWidth(width);
  note->SetHeight(height);
}

// ---------------------------------------------------------------------------
// Links

TLinkItem* TContainer::AddLink(TNoteItem* fromNote, TNoteItem* toNote, TSheetItem* sheet,
                               TRelationItem* relationType) {
  if (relationPool_->Count() == 0) {
    UserMessages().ShowMessage(TMessageKind::Notice, "There are no relation types available...");
    return nullptr;
  }
  TLink record = DefaultLink;
  record.Sheet = sheet;
  record.FromNote = fromNote;
  record.ToNote = toNote;
  record.Relation = relationType;
  auto below = [this](std::int32_t bound) {
    return std::uniform_int_distribution<std::int32_t>(0, bound - 1)(random_);
  };
  // The first handle lies below and right of the source, the second above and
  // left of the target, so a new curve bends visibly but not wildly.
  record.Ctrl1X = below(DefaultLink.Ctrl1X);
  record.Ctrl1Y = below(DefaultLink.Ctrl1Y);
  record.Ctrl2X = -below(DefaultLink.Ctrl2X);
  record.Ctrl2Y = -below(DefaultLink.Ctrl2Y);
  return AddLinkRecord(record);
}

TLinkItem* TContainer::ChangeLinkRelation(TLinkItem* link, TRelationItem* relationType) {
  if (relationType == link->Relation()) return link;
  TLink record = DefaultLink;
  record.Ctrl1X = link->Ctrl1X();
  record.Ctrl1Y = link->Ctrl1Y();
  record.Ctrl2X = link->Ctrl2X();
  record.Ctrl2Y = link->Ctrl2Y();
  record.ArrowStyle = link->ArrowStyle();
  record.Width = link->Width();
  record.Color = link->Color();
  record.LineStyle = link->LineStyle();
  record.SpareInt = link->Record().SpareInt;
  record.Sheet = link->Sheet();
  record.FromNote = link->FromNote();
  record.ToNote = link->ToNote();
  record.Relation = relationType;
  // The copy is made before the link goes, so that a copy that cannot be made
  // (no type given) leaves the link as it was.
  TLinkItem* replacement = AddLinkRecord(record);
  link->Delete();
  return replacement;
}

bool TContainer::LinkExists(const TNoteItem* fromNote, const TNoteItem* toNote,
                            const TRelationItem* relationType, const TSheetItem* sheet) const {
  // Every link from fromNote is among its LinksOut, so there is no need to
  // search the whole pool.
  bool exists = false;
  fromNote->LinksOut().ForEach([&](TPoolItem* item) {
    const auto* link = static_cast<const TLinkItem*>(item);
    exists = exists || (link->ToNote() == toNote && link->Relation() == relationType &&
                        link->Sheet() == sheet);
  });
  return exists;
}

// ---------------------------------------------------------------------------
// Attachments and aggregation notes

TAttachItem* TContainer::CopyAttachmentToNote(const TAttachItem* attachment, TNoteItem* note) {
  TAttachment record = DefaultAttachment;
  record.Note = note;
  record.Title = attachment->Title();
  record.FileName = attachment->FileName();
  record.ExtraText = attachment->ExtraText();
  return AddAttachment(record);
}

void TContainer::SyncAggregationNotes() {
  std::unordered_set<const TSheetItem*> sheets;
  for (std::int32_t i = 0; i < sheetPool_->ItemCount(); ++i) sheets.insert(sheetPool_->ItemAt(i));
  // Deleting a note removes nothing but that note from the note pool, so a
  // snapshot taken first stays valid for the notes not yet visited.
  std::vector<TNoteItem*> notes;
  notes.reserve(static_cast<std::size_t>(notePool_->ItemCount()));
  for (std::int32_t i = 0; i < notePool_->ItemCount(); ++i) notes.push_back(notePool_->ItemAt(i));
  for (auto it = notes.rbegin(); it != notes.rend(); ++it) {
    TNoteItem* note = *it;
    if (!note->IsAggregation()) continue;
    if (!note->Sheet() || !sheets.contains(note->Sheet())) {
      note->Delete();
      continue;
    }
    try {
      note->SetColor(note->Sheet()->Color());
      note->SetTitle(note->Sheet()->Title());
    } catch (const std::exception&) {
      note->Delete();
    }
  }
}

bool TContainer::AggregationNoteOn(const TSheetItem* sheet, const TSheetItem* onSheet) const {
  bool found = false;
  onSheet->Positions().ForEach([&](TPoolItem* item) {
    const TNoteItem* note = static_cast<const TPosItem*>(item)->Note();
    found = found || (note->IsAggregation() && note->Sheet() == sheet);
  });
  return found;
}

std::vector<TLinkItem*> TContainer::AggregatedLinks(const TNoteItem* aggregationNote,
                                                    const TSheetItem* sheet) const {
  std::vector<TLinkItem*> links;
  if (!aggregationNote->IsAggregation() || !aggregationNote->Sheet() ||
      !PositionOf(aggregationNote, sheet)) {
    return links;
  }
  aggregationNote->Sheet()->Positions().ForEach([&](TPoolItem* item) {
    const TNoteItem* related = static_cast<const TPosItem*>(item)->Note();
    related->LinksOut().ForEach([&](TPoolItem* member) {
      auto* link = static_cast<TLinkItem*>(member);
      if (link->ToNote()->IsPlacedOn(sheet)) links.push_back(link);
    });
    related->LinksIn().ForEach([&](TPoolItem* member) {
      auto* link = static_cast<TLinkItem*>(member);
      if (link->FromNote()->IsPlacedOn(sheet)) links.push_back(link);
    });
  });
  return links;
}

// ---------------------------------------------------------------------------
// Queries across items

TPosItem* TContainer::PositionOf(const TNoteItem* note, const TSheetItem* sheet) const {
  return note->LastPositionOn(sheet);
}

bool TContainer::LinkEndsPlaced(const TLinkItem* link, const TSheetItem* sheet) const {
  return link->FromNote()->IsPlacedOn(sheet) && link->ToNote()->IsPlacedOn(sheet);
}

bool TContainer::LinkIsOnSheet(const TLinkItem* link, const TSheetItem* sheet) const {
  return link->Sheet() == sheet;
}

template <typename F>
void TContainer::ForEachOffSheetNote(const TNoteItem* note, const TSheetItem* sheet, F&& f) const {
  note->LinksIn().ForEach([&](TPoolItem* item) {
    const TNoteItem* other = static_cast<const TLinkItem*>(item)->FromNote();
    if (!other->IsAssignedTo(sheet)) f(other);
  });
  note->LinksOut().ForEach([&](TPoolItem* item) {
    const TNoteItem* other = static_cast<const TLinkItem*>(item)->ToNote();
    if (!other->IsAssignedTo(sheet)) f(other);
  });
}

std::int32_t TContainer::OffSheetLinkedCount(const TNoteItem* note, const TSheetItem* sheet) const {
  std::int32_t count = 0;
  ForEachOffSheetNote(note, sheet, [&](const TNoteItem*) { ++count; });
  return count;
}

std::int32_t TContainer::OffSheetLinkedWidth(const TNoteItem* note, const TSheetItem* sheet) const {
  // Summed wide, so that only a total beyond the integer range is an error,
  // not a step on the way to one that fits.
  std::int64_t width = 0;
  ForEachOffSheetNote(note, sheet, [&](const TNoteItem* other) { width += other->Width(); });
  if (width < 0) return 0;
  return CheckedAdd(0, width);
}
