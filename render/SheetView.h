#pragma once

#include "render/Rect.h"
#include "render/View.h"

#include <cstdint>
#include <memory>
#include <vector>

class TAggLinkDrawBot;
class TLinkDrawBot;
class TLinkItem;
class TNoteDrawBot;
class TNoteItem;
class TPosItem;
class TSheetItem;
class TVCanvas;

// One sheet on display: draws its links and notes through its draw agents
// (the owner paints background and grid first), holds the selection (notes,
// as their positions on this sheet, and at most one link) and answers the hit
// tests of the sheet window. Device points given to the hit tests are on the
// full zoomed sheet: they are converted with ToWorld only, the canvas origin
// plays no part. The view owns its agents, not the sheet, canvas or project.
class TSheetView : public TView {
 public:
  static constexpr std::int32_t kNoCorner = 4;

  TSheetView(TContainer& container, TSheetItem* sheet, TVCanvas& canvas);
  ~TSheetView() override;

  void DrawSheet();

  // The note of each selected position in selection order.
  std::vector<TNoteItem*> SelectedNotes() const;
  bool IsSelected(const TNoteItem* note) const;
  void SelectNote(TNoteItem* note);
  void SelectLink(TLinkItem* link);
  void ClearSelection() { selection_.clear(); }
  void ClearSelectedLink() { selectedLink_ = nullptr; }
  // Adds every note placed on the sheet whose top-left corner lies in the
  // device rectangle (corners in any order; right and bottom edges excluded).
  void SelectInRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

  TNoteItem* NoteAt(std::int32_t x, std::int32_t y) const;
  TLinkItem* LinkAt(std::int32_t x, std::int32_t y) const;
  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right, kNoCorner (4) none.
  std::int32_t CornerAt(std::int32_t x, std::int32_t y) const;
  // TQOZSpline::kToHandle, kFromHandle or kNoHandle for the selected link.
  std::int32_t LinkHandleAt(std::int32_t x, std::int32_t y) const;
  // The world box of every note assigned to the sheet, placed or not; an
  // empty rectangle (IsEmpty) when none is.
  TRect GetBounds() const;

  const std::vector<TPosItem*>& Selection() const { return selection_; }
  TLinkItem* SelectedLink() const { return selectedLink_; }
  TSheetItem* Sheet() const { return sheet_; }
  TVCanvas& Canvas() const { return *canvas_; }
  TNoteDrawBot& NoteBot() const { return *noteBot_; }
  TLinkDrawBot& LinkBot() const { return *linkBot_; }
  TAggLinkDrawBot& AggLinkBot() const { return *aggLinkBot_; }
  bool NotesUnderLinks() const { return notesUnderLinks_; }
  bool NotesOverLinks() const { return notesOverLinks_; }
  bool ShowAllRelations() const { return showAllRelations_; }
  void SetNotesUnderLinks(bool on) { notesUnderLinks_ = on; }
  void SetNotesOverLinks(bool on) { notesOverLinks_ = on; }
  void SetShowAllRelations(bool on) { showAllRelations_ = on; }

 private:
  void DropVanishedSelection();
  void DrawNotes();
  void DrawLink(TLinkItem* link);
  void DrawAggregationLinks();
  TPosItem* FirstPositionOf(const TNoteItem* note) const;

  std::vector<TPosItem*> selection_;
  TLinkItem* selectedLink_ = nullptr;
  TSheetItem* sheet_;
  TVCanvas* canvas_;
  std::unique_ptr<TNoteDrawBot> noteBot_;
  std::unique_ptr<TLinkDrawBot> linkBot_;
  std::unique_ptr<TAggLinkDrawBot> aggLinkBot_;
  bool notesUnderLinks_ = false;
  bool notesOverLinks_ = true;
  bool showAllRelations_ = true;
};
