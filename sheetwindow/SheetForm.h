#pragma once

#include "sheetwindow/SurfaceCanvas.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class TContainer;
class TDragNotes;
class TDragObject;
class TLinkItem;
class TNoteItem;
class TEditLinkForm;
class TPaintBox;
class TPainterCanvas;
class TSelDrawBot;
class TSheetItem;
class TSheetView;
class TVCanvas;

// The child window that shows one sheet: the sheet is drawn at its zoom into
// an image of the visible part (OffImage, through OffCanvas) which the paint
// surface shows; rubber bands are drawn with the xor pen straight onto that
// picture (through PaintCanvas, in the surface's pixels). Pointer input,
// deleting and the popup menu edit the sheet. The window does not own the
// project or the sheet; the main window closes it when the sheet goes.
class TDrawSheet : public QWidget {
  Q_OBJECT

 public:
  explicit TDrawSheet(QWidget* parent = nullptr);
  ~TDrawSheet() override;

  void OpenSheet(TContainer* project, TSheetItem* sheet);
  // Redraws the visible part of the sheet; with notify the other windows
  // are told as after an edit.
  void Refresh(bool notify);
  void ZoomInSheet();
  void ZoomOutSheet();
  void ZoomSheetTo(std::int32_t percent);
  // Sets the main window's zoom selector (ZoomSelector) from the sheet's zoom.
  void SyncZoomSelector();
  // The selector entry for a zoom: 101..200 gives 0, ..., 0..20 gives 5;
  // nothing above 200 or below 0.
  static std::optional<int> ZoomSelectorIndex(std::int32_t zoom);

  void FormKeyDown(int key);
  void UpdatePopupMenu();
  void MI_AllLinksClick();
  void MI_ExpandClick();
  void MI_LineStyleClick();

  // Pointer input on PB_Sheet, in its device pixels (the whole zoomed sheet).
  // The Qt events come through here in the order these handlers expect: the
  // click before the release, and a double click before its second press.
  void PB_SheetMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void PB_SheetMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
  void PB_SheetMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void PB_SheetClick();
  void PB_SheetDblClick();
  // Escape during a rubber band, a resize or a handle drag: takes it back.
  void CancelPointerAction();
  // Moves the dragged handle of the selected link to the device point,
  // clamped to the sheet, and draws the curve there with the xor pen.
  void GhostLink(int x, int y);
  void MoveHandle(int x, int y);

  // Dragging and dropping on PB_Sheet. StartDrag gives the drag of the
  // selected notes (nullptr when none is selected); DragOver answers whether
  // source may be dropped; a drop is always preceded by a Leave.
  enum class TDragState { Enter, Move, Leave };
  std::unique_ptr<TDragObject> PB_SheetStartDrag();
  bool PB_SheetDragOver(TDragObject* source, int x, int y, TDragState state);
  void PB_SheetDragDrop(TDragObject* source, int x, int y);
  bool CanDropNotes(const TDragNotes& drag) const;

  TContainer* Container = nullptr;
  TSheetItem* Sheet = nullptr;
  QScrollArea* SB_Sheet = nullptr;
  TPaintBox* PB_Sheet = nullptr;
  QMenu* ME_FormPopup = nullptr;
  QAction* MI_AllLinks = nullptr;
  QAction* N1 = nullptr;
  QAction* MI_Expand = nullptr;
  QAction* MI_LineStyle = nullptr;
  TEditLinkForm* LinkEditor = nullptr;
  QLabel* RelateHint = nullptr;
  // The main window's zoom selector, kept in step with the sheet's zoom.
  QComboBox* ZoomSelector = nullptr;

  QImage OffImage;
  std::unique_ptr<TVCanvas> OffCanvas;
  std::unique_ptr<TVCanvas> PaintCanvas;
  std::unique_ptr<TSheetView> View;
  std::unique_ptr<TSelDrawBot> SelectionBot;

  // The state of the pointer, used by its handlers.
  bool FirstMove = false;
  bool Banding = false;
  std::int32_t CornerHandle = 4;
  bool Resizing = false;
  std::int32_t LinkHandle = 2;
  bool HandleDragging = false;
  bool PressedOnNote = false;
  bool NoDrag = false;
  std::int32_t BandFixedX = 0, BandFixedY = 0;
  std::int32_t BandMoveX = 0, BandMoveY = 0;
  std::int32_t PressX = 0, PressY = 0;
  std::int32_t PointerX = 0, PointerY = 0;
  std::int32_t SavedCtrlX = 0, SavedCtrlY = 0;
  bool RelateMode = false;
  bool DropRelates = false;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Whether the image was drawn for another scroll position, size or zoom
  // than the surface now shows.
  bool ImageOutOfDate() const;
  bool FilterSurfaceEvent(QEvent* event);
  bool FilterPointerEvent(QEvent* event);
  bool FilterDragEvent(QEvent* event);

  void PressPlain(int x, int y);
  void PressCorner();
  void PressHandle(int x, int y);
  void ReleasePlain(Qt::KeyboardModifiers shift, int x, int y);
  void ReleaseResize(int x, int y);
  void UpdateHover(Qt::MouseButtons buttons, int x, int y);
  void StartNoteDrag();
  void EndPress();
  // Zooming changes what device points mean: what the pointer is doing is
  // taken back first.
  void CancelBeforeZoom();
  void RestoreSelectionBeforeBand();

  // The xor pictures drawn on the surface; each drawing toggles it, and a
  // redraw puts back the ones that are showing.
  void XorBand();
  void XorGhostCurve();
  void ToggleSelectionBox();
  void ShowSurfaceChange();
  void PutBackOverlays();

  void DragOverNotes(const TDragNotes& drag, int x, int y, TDragState state);
  void UpdateRelateMode(const TDragNotes& drag, int x, int y);
  // Hides the hint; neither relate mode nor a relating drop is left.
  void ClearRelateMode();
  // Ends relate mode and shows the moving box again.
  void EndRelateMode();
  void DropNotes(const TDragNotes& drag, int x, int y);
  void DropLink(const TDragNotes& drag, int x, int y);
  void DropNewNote(int x, int y);
  // False when the link cannot be edited (its error has been shown).
  bool EditLink(TLinkItem* link);

  void Draw();
  // Makes OffImage the given size, with a canvas on it for the drawing.
  void PrepareImage(QSize size);
  void SetBothZooms(std::int32_t percent);
  void AfterZoom();

  std::unique_ptr<TPainterCanvas> offTarget_;
  TSurfaceCanvas paintTarget_;
  bool painting_ = false;

  // What the image was last drawn for.
  struct TDrawnView {
    int ScrollX = -1, ScrollY = -1;
    QSize Client;
    std::int32_t Zoom = 0;
    bool operator==(const TDrawnView&) const = default;
  };
  TDrawnView drawnView_;
  bool dragRunning_ = false;     // a drag this window started is under way
  bool pressCancelled_ = false;  // Escape ended what the press began
  bool clickPending_ = false;    // a single press whose release is a click
  // A left press on the surface whose release has not come. Qt hands a
  // drag's release back after the drag and a modal dialog takes it: such
  // releases end no press of the surface and are ignored.
  bool pressRecorded_ = false;
  bool modalShown_ = false;  // a double click opened a modal window
  // What was selected before a band cleared it, for Escape to put back.
  std::vector<TNoteItem*> selectionBeforeBand_;
  TLinkItem* linkBeforeBand_ = nullptr;
  bool bandShown_ = false;
  bool ghostShown_ = false;
  bool boxShown_ = false;
  // The drag over the surface now, and where it was last: Qt's leave tells neither.
  TDragObject* dragSource_ = nullptr;
  QPoint dragPoint_;
};
