#pragma once

#include "sheetwindow/SurfaceCanvas.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class TContainer;
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
  void Draw();
  // Makes OffImage the given size, with a canvas on it for the drawing.
  void PrepareImage(QSize size);
  void SetBothZooms(std::int32_t percent);
  void AfterZoom();

  std::unique_ptr<TPainterCanvas> offTarget_;
  TSurfaceCanvas paintTarget_;
  bool painting_ = false;
};
