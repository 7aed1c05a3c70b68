#include "render/SheetView.h"

#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "render/AggLinkDrawBot.h"
#include "render/LinkDrawBot.h"
#include "render/NoteDrawBot.h"
#include "render/QOZSpline.h"
#include "render/SelDrawBot.h"
#include "render/VCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

namespace {

constexpr std::int32_t kCornerReach = 7;
constexpr std::int32_t kLinkTolerancePixels = 3;

bool InHalfOpen(std::int32_t value, std::int32_t low, std::int64_t length) {
  return low <= value && value < low + length;
}

}  // namespace

TSheetView::TSheetView(TContainer& container, TSheetItem* sheet, TVCanvas& canvas)
    : TView(container),
      sheet_(sheet),
      canvas_(&canvas),
      noteBot_(std::make_unique<TNoteDrawBot>(canvas)),
      linkBot_(std::make_unique<TLinkDrawBot>(canvas)),
      aggLinkBot_(std::make_unique<TAggLinkDrawBot>(canvas)) {
  noteBot_->SetSheet(sheet);
}

TSheetView::~TSheetView() = default;

// Links come first so that the note boxes cover the curve ends; the selected
// link comes last so that its handles lie over everything.
void TSheetView::DrawSheet() {
  DropVanishedSelection();
  if (notesUnderLinks_) DrawNotes();
  TLinkItem* selectedMet = nullptr;
  const TContainer& container = Container();
  const std::int32_t linkCount = container.LinkCount();
  for (std::int32_t i = 0; i < linkCount; ++i) {
    TLinkItem* link = container.GetLink(i);
    if (link == selectedLink_) {
      selectedMet = link;
      continue;
    }
    DrawLink(link);
  }
  // A selected link deleted elsewhere is no longer selected; its address
  // was compared, never followed.
  if (!selectedMet) selectedLink_ = nullptr;
  DrawAggregationLinks();
  if (notesOverLinks_) DrawNotes();
  if (selectedMet) DrawLink(selectedMet);
  canvas_->Flush();
}

// Positions deleted elsewhere may still be selected; their addresses are
// compared, never followed.
void TSheetView::DropVanishedSelection() {
  if (selection_.empty()) return;
  std::unordered_set<const TPoolItem*> onSheet;
  sheet_->Positions().ForEach([&](TPoolItem* item) { onSheet.insert(item); });
  std::erase_if(selection_, [&](const TPosItem* position) { return !onSheet.contains(position); });
}

void TSheetView::DrawNotes() {
  const std::unordered_set<const TPosItem*> selected(selection_.begin(), selection_.end());
  const TContainer& container = Container();
  const std::int32_t count = container.PositionCount();
  for (std::int32_t i = 0; i < count; ++i) {
    TPosItem* position = container.GetPosition(i);
    if (position->Sheet() != sheet_) continue;
    noteBot_->SetNormalMode();
    noteBot_->SetSelected(selected.contains(position));
    noteBot_->SetNote(position->Note());
    noteBot_->Draw();
  }
}

void TSheetView::DrawLink(TLinkItem* link) {
  linkBot_->SetNormalMode();
  const TContainer& container = Container();
  if (!container.LinkEndsPlaced(link, sheet_)) return;
  if (!showAllRelations_ && !container.LinkIsOnSheet(link, sheet_)) return;
  linkBot_->SetSelected(link == selectedLink_);
  linkBot_->Setup(link, sheet_);
  linkBot_->Draw();
}

void TSheetView::DrawAggregationLinks() {
  aggLinkBot_->SetNormalMode();
  if (!showAllRelations_) return;
  const TContainer& container = Container();
  sheet_->Positions().ForEach([&](TPoolItem* item) {
    TNoteItem* note = static_cast<TPosItem*>(item)->Note();
    if (!note->IsAggregation() || !note->IsPlacedOn(sheet_)) return;
    for (TLinkItem* link : container.AggregatedLinks(note, sheet_)) {
      aggLinkBot_->Setup(note, link, sheet_);
      aggLinkBot_->Draw();
    }
  });
}

std::vector<TNoteItem*> TSheetView::SelectedNotes() const {
  std::vector<TNoteItem*> notes;
  notes.reserve(selection_.size());
  for (const TPosItem* position : selection_) notes.push_back(position->Note());
  return notes;
}

bool TSheetView::IsSelected(const TNoteItem* note) const {
  return std::any_of(selection_.begin(), selection_.end(),
                     [&](const TPosItem* position) { return position->Note() == note; });
}

TPosItem* TSheetView::FirstPositionOf(const TNoteItem* note) const {
  const TContainer& container = Container();
  const std::int32_t count = container.PositionCount();
  for (std::int32_t i = 0; i < count; ++i) {
    TPosItem* position = container.GetPosition(i);
    if (position->Sheet() == sheet_ && position->Note() == note) return position;
  }
  return nullptr;
}

void TSheetView::SelectNote(TNoteItem* note) {
  if (!note) return;
  TPosItem* position = FirstPositionOf(note);
  if (!position) return;
  if (std::find(selection_.begin(), selection_.end(), position) == selection_.end()) {
    selection_.push_back(position);
  }
}

void TSheetView::SelectLink(TLinkItem* link) {
  if (link) selectedLink_ = link;
}

void TSheetView::SelectInRect(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                              std::int32_t y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const std::int32_t left = canvas_->ToWorld(x1);
  const std::int32_t top = canvas_->ToWorld(y1);
  const std::int32_t right = canvas_->ToWorld(x2);
  const std::int32_t bottom = canvas_->ToWorld(y2);
  const TContainer& container = Container();
  const std::int32_t count = container.PositionCount();
  for (std::int32_t i = 0; i < count; ++i) {
    const TPosItem* position = container.GetPosition(i);
    if (position->Sheet() != sheet_) continue;
    if (left <= position->X() && position->X() < right && top <= position->Y() &&
        position->Y() < bottom && position->Note()->IsPlacedOn(sheet_)) {
      SelectNote(position->Note());
    }
  }
}

// Of two overlapping notes the one drawn underneath (earlier in the pool) is found.
TNoteItem* TSheetView::NoteAt(std::int32_t x, std::int32_t y) const {
  const std::int32_t wx = canvas_->ToWorld(x);
  const std::int32_t wy = canvas_->ToWorld(y);
  const TContainer& container = Container();
  const std::int32_t count = container.PositionCount();
  for (std::int32_t i = 0; i < count; ++i) {
    const TPosItem* position = container.GetPosition(i);
    if (position->Sheet() != sheet_) continue;
    TNoteItem* note = position->Note();
    if (InHalfOpen(wx, position->X(), note->Width()) &&
        InHalfOpen(wy, position->Y(), note->Height()) && note->IsPlacedOn(sheet_)) {
      return note;
    }
  }
  return nullptr;
}

// Every link whose ends are placed is a candidate, whether or not all
// relations are shown; the tolerance is three pixels at every zoom.
TLinkItem* TSheetView::LinkAt(std::int32_t x, std::int32_t y) const {
  const std::int32_t wx = canvas_->ToWorld(x);
  const std::int32_t wy = canvas_->ToWorld(y);
  const std::int32_t tolerance = canvas_->ToWorld(kLinkTolerancePixels);
  const TContainer& container = Container();
  const std::int32_t count = container.LinkCount();
  TQOZSpline spline;
  for (std::int32_t i = 0; i < count; ++i) {
    TLinkItem* link = container.GetLink(i);
    if (!container.LinkEndsPlaced(link, sheet_)) continue;
    spline.BuildForLink(link, sheet_);
    if (spline.HitCurve(wx, wy, tolerance)) return link;
  }
  return nullptr;
}

std::int32_t TSheetView::CornerAt(std::int32_t x, std::int32_t y) const {
  const TNoteItem* note = NoteAt(x, y);
  if (!note) return kNoCorner;
  const TPosItem* position = note->LastPositionOn(sheet_);
  const std::int64_t dx = std::int64_t{canvas_->ToWorld(x)} - position->X();
  const std::int64_t dy = std::int64_t{canvas_->ToWorld(y)} - position->Y();
  const std::int64_t w = note->Width();
  const std::int64_t h = note->Height();
  const auto near = [](std::int64_t distance) { return std::abs(distance) < kCornerReach; };
  if (near(dx) && near(dy)) return 0;
  if (near(dx - w) && near(dy)) return 1;
  if (near(dx) && near(dy - h)) return 2;
  if (near(dx - w) && near(dy - h)) return 3;
  return kNoCorner;
}

std::int32_t TSheetView::LinkHandleAt(std::int32_t x, std::int32_t y) const {
  if (!selectedLink_ || !Container().LinkEndsPlaced(selectedLink_, sheet_)) {
    return TQOZSpline::kNoHandle;
  }
  TQOZSpline spline;
  spline.BuildForLink(selectedLink_, sheet_);
  return spline.HandleAt(canvas_->ToWorld(x), canvas_->ToWorld(y));
}

TRect TSheetView::GetBounds() const {
  std::vector<TNoteItem*> notes;
  sheet_->Positions().ForEach(
      [&](TPoolItem* item) { notes.push_back(static_cast<TPosItem*>(item)->Note()); });
  if (notes.empty()) return {};
  TSelDrawBot bounds(*canvas_);
  bounds.SetSheet(sheet_);
  bounds.Begin(notes, 0, 0);
  return {bounds.BoxLeft(), bounds.BoxTop(), bounds.BoxLeft() + bounds.BoxWidth(),
          bounds.BoxTop() + bounds.BoxHeight()};
}
