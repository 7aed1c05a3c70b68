#include "sheetwindow/SheetForm.h"

#include "base/Convert.h"
#include "base/Nearest.h"
#include "base/Notifications.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "platform/Dialogs.h"
#include "platform/DragLauncher.h"
#include "platform/DragMimeData.h"
#include "platform/PainterCanvas.h"
#include "platform/QtText.h"
#include "project/Container.h"
#include "render/LinkDrawBot.h"
#include "render/QOZSpline.h"
#include "render/SelDrawBot.h"
#include "render/SheetBackground.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"
#include "sheetwindow/DragNewNote.h"
#include "sheetwindow/DragNotes.h"
#include "sheetwindow/EditLinkForm.h"
#include "sheetwindow/NewLinkForm.h"
#include "sheetwindow/PaintBox.h"
#include "sheetwindow/PlacingDragSource.h"

#include <QAction>
#include <QComboBox>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

namespace {

QString FromText(const std::string& text) { return TQtText::FromCp1252(text); }

// The staircase of Expand: 20 units apart plus the notes' widths, 25 lower each.
constexpr std::int32_t kStairX = 20;
constexpr std::int32_t kStairY = 25;
constexpr std::int32_t kBelowNote = 50;

}  // namespace

TDrawSheet::TDrawSheet(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("WorkSheet - "));
  resize(607, 431);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  SB_Sheet = new QScrollArea(this);
  SB_Sheet->setBackgroundRole(QPalette::Base);
  SB_Sheet->setWidgetResizable(false);
  PB_Sheet = new TPaintBox();
  SB_Sheet->setWidget(PB_Sheet);
  layout->addWidget(SB_Sheet);
  // The image is drawn again only when the surface shows another part of the
  // sheet than it holds: the xor pictures drawn into it must stay.
  PB_Sheet->OnPaint = [this] {
    if (!ImageOutOfDate()) return;
    painting_ = true;
    Refresh(false);
    painting_ = false;
  };
  PB_Sheet->setMouseTracking(true);
  PB_Sheet->setAcceptDrops(true);
  PB_Sheet->installEventFilter(this);
  PB_Sheet->OnContextMenu = [this](QPoint, QPoint global) {
    UpdatePopupMenu();
    ME_FormPopup->popup(global);
  };
  SB_Sheet->viewport()->installEventFilter(this);

  ME_FormPopup = new QMenu(this);
  MI_AllLinks = ME_FormPopup->addAction(QStringLiteral("Show &All Relations"));
  MI_AllLinks->setCheckable(true);
  MI_AllLinks->setChecked(true);
  N1 = ME_FormPopup->addSeparator();
  MI_Expand = ME_FormPopup->addAction(QStringLiteral("&Expand"));
  MI_Expand->setStatusTip(QStringLiteral("show relations"));
  MI_Expand->setToolTip(QStringLiteral("show relations"));
  MI_LineStyle = ME_FormPopup->addAction(QStringLiteral("&Curved Line"));
  MI_LineStyle->setCheckable(true);
  connect(MI_AllLinks, &QAction::triggered, this, [this] { MI_AllLinksClick(); });
  connect(MI_Expand, &QAction::triggered, this, [this] { MI_ExpandClick(); });
  connect(MI_LineStyle, &QAction::triggered, this, [this] { MI_LineStyleClick(); });

  LinkEditor = new TEditLinkForm(this);
  RelateHint = new QLabel(QStringLiteral("Relate to this note..."), this, Qt::ToolTip);
  RelateHint->hide();
  PaintCanvas = std::make_unique<TVCanvas>(paintTarget_);
}

TDrawSheet::~TDrawSheet() {
  // The agents and the view draw on the canvases, the canvases on the image.
  SelectionBot.reset();
  View.reset();
  paintTarget_.Detach();
  OffCanvas.reset();
  offTarget_.reset();
}

void TDrawSheet::OpenSheet(TContainer* project, TSheetItem* sheet) {
  Container = project;
  Sheet = sheet;
  PrepareImage(QSize(1, 1));
  OffCanvas = std::make_unique<TVCanvas>(*offTarget_);
  View = std::make_unique<TSheetView>(*project, sheet, *OffCanvas);
  SetBothZooms(sheet->Zoom());
  SelectionBot = std::make_unique<TSelDrawBot>(*PaintCanvas);
  SelectionBot->SetSheet(sheet);
  Refresh(true);
}

void TDrawSheet::PrepareImage(QSize size) {
  if (offTarget_ && OffImage.size() == size) return;
  paintTarget_.Detach();
  offTarget_.reset();
  OffImage = QImage(size, QImage::Format_RGB32);
  offTarget_ = std::make_unique<TPainterCanvas>(OffImage);
  if (OffCanvas) OffCanvas->SetTarget(*offTarget_);
}

void TDrawSheet::SetBothZooms(std::int32_t percent) {
  OffCanvas->SetZoom(percent);
  PaintCanvas->SetZoom(percent);
}

// The steps of a redraw: the origin from the scroll position, the sizes,
// background and grid, the sheet, the caption, and the picture shown one
// pixel up and to the left, which hides the outline's top and left lines.
void TDrawSheet::Refresh(bool notify) {
  if (!View) return;
  const QSize client = SB_Sheet->viewport()->size();
  const int sx = SB_Sheet->horizontalScrollBar()->value();
  const int sy = SB_Sheet->verticalScrollBar()->value();
  OffCanvas->SetOriginX(-OffCanvas->ToWorld(sx));
  OffCanvas->SetOriginY(-OffCanvas->ToWorld(sy));
  const int fullWidth = OffCanvas->Scaled(Sheet->Width());
  const int fullHeight = OffCanvas->Scaled(Sheet->Height());
  if (PB_Sheet->size() != QSize(fullWidth, fullHeight) && !painting_) {
    PB_Sheet->resize(fullWidth, fullHeight);
  }
  // One pixel more each way than is shown, so that the shifted copy has
  // every pixel it shows.
  const QSize shown(std::max(1, std::min(fullWidth, client.width())),
                    std::max(1, std::min(fullHeight, client.height())));
  PrepareImage(shown + QSize(1, 1));
  OffImage.fill(palette().color(QPalette::Base));
  try {
    TSheetBackground::DrawBackground(*OffCanvas, *Sheet);
    if (Container->ShowGrid()) TSheetBackground::DrawGrid(*OffCanvas, *Sheet);
    View->DrawSheet();
  } catch (const std::exception&) {
    // A sheet whose numbers leave the integer range draws as far as it can;
    // the window has no message of its own to show.
  }
  offTarget_->Flush();
  drawnView_ = {sx, sy, client, OffCanvas->ZoomPercent()};
  setWindowTitle(QStringLiteral("Worksheet - ") + FromText(Sheet->Title()) +
                 QStringLiteral(" (%1%)").arg(OffCanvas->ZoomPercent()));
  paintTarget_.Attach(*offTarget_, QPoint(sx - 1, sy - 1));
  PutBackOverlays();
  PB_Sheet->Show(&OffImage, QPoint(sx - 1, sy - 1));
  if (!painting_) PB_Sheet->update();
  UpdatePopupMenu();
  if (notify) {
    Notifications().NotifyNavigators(nullptr);
    Notifications().RefreshSheetWindows();
  }
}

void TDrawSheet::AfterZoom() { Sheet->SetZoom(OffCanvas->ZoomPercent()); }

void TDrawSheet::ZoomInSheet() {
  if (!View) return;
  CancelBeforeZoom();
  OffCanvas->ZoomIn();
  PaintCanvas->ZoomIn();
  AfterZoom();
  SyncZoomSelector();
  Refresh(true);
}

void TDrawSheet::ZoomOutSheet() {
  if (!View) return;
  CancelBeforeZoom();
  OffCanvas->ZoomOut();
  PaintCanvas->ZoomOut();
  AfterZoom();
  Refresh(true);
  SyncZoomSelector();
}

void TDrawSheet::ZoomSheetTo(std::int32_t percent) {
  if (!View) return;
  CancelBeforeZoom();
  SetBothZooms(percent);
  AfterZoom();
  Refresh(true);
  SyncZoomSelector();
}

void TDrawSheet::CancelBeforeZoom() {
  if (Banding || Resizing || HandleDragging) CancelPointerAction();
}

std::optional<int> TDrawSheet::ZoomSelectorIndex(std::int32_t zoom) {
  if (zoom > 200 || zoom < 0) return std::nullopt;
  if (zoom > 100) return 0;
  if (zoom > 80) return 1;
  if (zoom > 60) return 2;
  if (zoom > 40) return 3;
  if (zoom > 20) return 4;
  return 5;
}

void TDrawSheet::SyncZoomSelector() {
  if (!ZoomSelector || !Sheet) return;
  const std::optional<int> index = ZoomSelectorIndex(Sheet->Zoom());
  if (!index) return;
  // Setting the entry is no choice of the user's: it must not zoom again.
  const QSignalBlocker quiet(ZoomSelector);
  ZoomSelector->setCurrentIndex(*index);
}

void TDrawSheet::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    FormKeyDown(event->key());
    return;
  }
  if (event->key() == Qt::Key_Escape && (Banding || Resizing || HandleDragging)) {
    CancelPointerAction();
    return;
  }
  QWidget::keyPressEvent(event);
}

// Delete takes the selected notes off this sheet (the notes and their
// links stay in the project), or, with no note selected, the selected link.
void TDrawSheet::FormKeyDown(int key) {
  if (key != Qt::Key_Delete || !View) return;
  std::vector<TPosItem*> positions;
  for (TNoteItem* note : View->SelectedNotes()) {
    if (TPosItem* position = Container->PositionOf(note, Sheet)) positions.push_back(position);
  }
  if (positions.empty()) {
    if (TLinkItem* link = View->SelectedLink()) {
      link->Delete();
      View->ClearSelectedLink();
      Refresh(true);
    }
    return;
  }
  if (Dialogs().Message(this, QStringLiteral("Are you sure about deleting the selected notes ?"),
                        TMessageIcon::Confirmation,
                        TMessageButtons::YesNo) != TMessageAnswer::Yes) {
    return;
  }
  for (TPosItem* position : positions) position->Delete();
  View->ClearSelection();
  Refresh(true);
}

void TDrawSheet::UpdatePopupMenu() {
  if (!View) return;
  const std::vector<TNoteItem*> selected = View->SelectedNotes();
  MI_Expand->setEnabled(selected.size() == 1 && !selected.front()->IsAggregation());
  const TLinkItem* link = View->SelectedLink();
  MI_LineStyle->setVisible(link != nullptr);
  MI_LineStyle->setChecked(link && link->LineStyle() == 0);
}

void TDrawSheet::MI_AllLinksClick() {
  if (!View) return;
  View->SetShowAllRelations(MI_AllLinks->isChecked());
  Refresh(false);
}

void TDrawSheet::MI_LineStyleClick() {
  if (!View || !View->SelectedLink()) return;
  TLinkItem* link = View->SelectedLink();
  link->SetLineStyle(link->LineStyle() == 0 ? 1 : 0);
  Refresh(false);
}

// The notes at the other ends of the selected note's links that are not yet
// placed here land in a staircase below it, kept inside the sheet.
void TDrawSheet::MI_ExpandClick() {
  if (!View) return;
  const std::vector<TNoteItem*> selected = View->SelectedNotes();
  if (selected.size() != 1 || selected.front()->IsAggregation()) return;
  TNoteItem* note = selected.front();
  const TPosItem* position = Container->PositionOf(note, Sheet);
  if (!position) return;
  const std::int32_t rowY = CheckedAdd(CheckedAdd(position->Y(), note->Height()), kBelowNote);
  const std::int32_t centreX = CheckedAdd(position->X(), Nearest(note->Width() / 2.0L));
  const std::int32_t width = Container->OffSheetLinkedWidth(note, Sheet);
  const std::int32_t count = Container->OffSheetLinkedCount(note, Sheet);
  std::int32_t x = CheckedSub(CheckedSub(centreX, Nearest(width / 2.0L)),
                              Nearest((count - 1) * static_cast<long double>(kStairX) / 2));
  x = std::max(x, 0);
  const auto place = [&](const std::vector<TNoteItem*>& others) {
    std::int32_t m = 0;
    for (TNoteItem* other : others) {
      if (!other->IsPlacedOn(Sheet)) {
        Container->PlaceNote(other, Sheet, CheckedAdd(x, kStairX * m),
                             CheckedAdd(rowY, kStairY * m));
        x = CheckedAdd(x, other->Width());
      }
      ++m;
    }
  };
  std::vector<TNoteItem*> sources;
  note->LinksIn().ForEach(
      [&](TPoolItem* item) { sources.push_back(static_cast<TLinkItem*>(item)->FromNote()); });
  std::vector<TNoteItem*> targets;
  note->LinksOut().ForEach(
      [&](TPoolItem* item) { targets.push_back(static_cast<TLinkItem*>(item)->ToNote()); });
  place(sources);
  place(targets);
  Refresh(true);
}

// Ctrl with the wheel zooms, as the zoom commands do; the wheel alone
// scrolls, and every scroll redraws through the paint event.
bool TDrawSheet::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PB_Sheet && FilterSurfaceEvent(event)) return true;
  if (watched == SB_Sheet->viewport() && event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      if (wheel->angleDelta().y() > 0) ZoomInSheet();
      if (wheel->angleDelta().y() < 0) ZoomOutSheet();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Pointer input

namespace {

constexpr int kDragDistance = 5;
constexpr int kHintWidth = 110;
constexpr int kHintHeight = 15;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kBlack = 0x000000;

QPoint PointOf(const QMouseEvent* event) { return event->position().toPoint(); }

}  // namespace

bool TDrawSheet::ImageOutOfDate() const {
  const TDrawnView now{SB_Sheet->horizontalScrollBar()->value(),
                       SB_Sheet->verticalScrollBar()->value(), SB_Sheet->viewport()->size(),
                       OffCanvas ? OffCanvas->ZoomPercent() : 0};
  return !(now == drawnView_);
}

bool TDrawSheet::FilterSurfaceEvent(QEvent* event) {
  return FilterPointerEvent(event) || FilterDragEvent(event);
}

// Qt reports a release and then the click it makes; the handlers expect the
// click first. A double click takes the place of the second press, after
// which comes the press itself.
bool TDrawSheet::FilterPointerEvent(QEvent* event) {
  const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
  if (!mouse) return false;
  const QPoint at = PointOf(mouse);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() != Qt::LeftButton) return false;
      clickPending_ = true;
      pressRecorded_ = true;
      PB_SheetMouseDown(mouse->button(), mouse->modifiers(), at.x(), at.y());
      return true;
    case QEvent::MouseButtonDblClick:
      if (mouse->button() != Qt::LeftButton) return false;
      clickPending_ = false;
      modalShown_ = false;
      PB_SheetDblClick();
      if (modalShown_) {
        // The button went up in the modal window: this press has ended.
        pressRecorded_ = false;
        EndPress();
        return true;
      }
      pressRecorded_ = true;
      PB_SheetMouseDown(mouse->button(), mouse->modifiers(), at.x(), at.y());
      return true;
    case QEvent::MouseButtonRelease:
      if (mouse->button() != Qt::LeftButton) return false;
      if (!pressRecorded_) return true;
      pressRecorded_ = false;
      if (clickPending_ && PB_Sheet->rect().contains(at)) PB_SheetClick();
      clickPending_ = false;
      PB_SheetMouseUp(mouse->button(), mouse->modifiers(), at.x(), at.y());
      return true;
    case QEvent::MouseMove:
      PB_SheetMouseMove(mouse->buttons(), mouse->modifiers(), at.x(), at.y());
      return true;
    default:
      return false;
  }
}

// Qt sends no leave before a drop; the handlers expect one, and its answer
// decides whether the drop happens.
bool TDrawSheet::FilterDragEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      const QPoint at = drag->position().toPoint();
      dragSource_ = TDragMimeData::ObjectOf(drag->mimeData());
      dragPoint_ = at;
      const TDragState state =
          event->type() == QEvent::DragEnter ? TDragState::Enter : TDragState::Move;
      if (PB_SheetDragOver(dragSource_, at.x(), at.y(), state)) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::DragLeave:
      PB_SheetDragOver(dragSource_, dragPoint_.x(), dragPoint_.y(), TDragState::Leave);
      dragSource_ = nullptr;
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QPoint at = drop->position().toPoint();
      TDragObject* source = TDragMimeData::ObjectOf(drop->mimeData());
      dragSource_ = nullptr;
      if (PB_SheetDragOver(source, at.x(), at.y(), TDragState::Leave)) {
        drop->acceptProposedAction();
        PB_SheetDragDrop(source, at.x(), at.y());
      } else {
        drop->ignore();
      }
      return true;
    }
    default:
      return false;
  }
}

void TDrawSheet::PB_SheetMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  if (button != Qt::LeftButton || !View) return;
  pressCancelled_ = false;
  // A corner or handle whose note or link has gone since the hover is reset
  // by its press, which then goes on as a plain one.
  if (CornerHandle != TSheetView::kNoCorner) PressCorner();
  if (!Resizing && LinkHandle != TQOZSpline::kNoHandle) PressHandle(x, y);
  if (!Resizing && !HandleDragging) PressPlain(x, y);
}

void TDrawSheet::PressPlain(int x, int y) {
  TNoteItem* note = View->NoteAt(x, y);
  TLinkItem* link = View->LinkAt(x, y);
  if (note) {
    const std::vector<TNoteItem*> selected = View->SelectedNotes();
    const bool newSelection =
        std::find(selected.begin(), selected.end(), note) == selected.end() || View->SelectedLink();
    if (std::find(selected.begin(), selected.end(), note) == selected.end()) {
      View->ClearSelection();
    }
    View->SelectNote(note);
    View->ClearSelectedLink();
    PressX = x;
    PressY = y;
    PressedOnNote = true;
    SelectionBot->Begin(View->SelectedNotes(), PaintCanvas->ToWorld(x), PaintCanvas->ToWorld(y));
    // The selection shows at once, also when the press goes on into a drag.
    if (newSelection) Refresh(false);
  } else if (link) {
    View->SelectLink(link);
    Refresh(true);
  } else {
    selectionBeforeBand_ = View->SelectedNotes();
    linkBeforeBand_ = View->SelectedLink();
    View->ClearSelection();
    View->ClearSelectedLink();
    Banding = true;
    BandFixedX = BandMoveX = x;
    BandFixedY = BandMoveY = y;
    NoDrag = false;
  }
}

// The band starts as the note's box, its grabbed corner moving.
void TDrawSheet::PressCorner() {
  const std::vector<TNoteItem*> selected = View->SelectedNotes();
  const TPosItem* position =
      selected.empty() ? nullptr : Container->PositionOf(selected.front(), Sheet);
  if (!position) {
    // The selection changed since the pointer was over the corner.
    CornerHandle = TSheetView::kNoCorner;
    return;
  }
  const TNoteItem& note = *selected.front();
  const TVCanvas& canvas = *PaintCanvas;
  const std::int32_t w = canvas.Scaled(note.Width());
  const std::int32_t h = canvas.Scaled(note.Height());
  const bool right = CornerHandle == 1 || CornerHandle == 3;
  const bool bottom = CornerHandle == 2 || CornerHandle == 3;
  BandMoveX = canvas.Scaled(right ? CheckedAdd(position->X(), note.Width()) : position->X());
  BandMoveY = canvas.Scaled(bottom ? CheckedAdd(position->Y(), note.Height()) : position->Y());
  BandFixedX = right ? CheckedSub(BandMoveX, w) : CheckedAdd(BandMoveX, w);
  BandFixedY = bottom ? CheckedSub(BandMoveY, h) : CheckedAdd(BandMoveY, h);
  Resizing = true;
  XorBand();
}

void TDrawSheet::PressHandle(int x, int y) {
  const TLinkItem* link = View->SelectedLink();
  if (!link) {
    LinkHandle = TQOZSpline::kNoHandle;
    return;
  }
  HandleDragging = true;
  FirstMove = true;
  PressX = x;
  PressY = y;
  const bool toHandle = LinkHandle == TQOZSpline::kToHandle;
  SavedCtrlX = toHandle ? link->Ctrl1X() : link->Ctrl2X();
  SavedCtrlY = toHandle ? link->Ctrl1Y() : link->Ctrl2Y();
}

void TDrawSheet::PB_SheetMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
  if (!View) return;
  if (Banding || Resizing) {
    XorBand();
    BandMoveX = x;
    BandMoveY = y;
    XorBand();
  } else if (HandleDragging) {
    if (!FirstMove) GhostLink(PointerX, PointerY);
    FirstMove = false;
    GhostLink(x, y);
  }
  UpdateHover(buttons, x, y);
  const bool farEnough =
      std::abs(x - PressX) > kDragDistance || std::abs(y - PressY) > kDragDistance;
  PointerX = x;
  PointerY = y;
  if (farEnough && !dragRunning_ && PressedOnNote && !NoDrag) StartNoteDrag();
}

// What the next press does depends on what the pointer is over.
void TDrawSheet::UpdateHover(Qt::MouseButtons buttons, int x, int y) {
  const std::vector<TNoteItem*> selected = View->SelectedNotes();
  const bool onlyLeftHeld = buttons == Qt::LeftButton;
  if (!Banding && selected.size() == 1 && View->NoteAt(x, y) == selected.front() && !Resizing &&
      !HandleDragging) {
    CornerHandle = View->CornerAt(x, y);
    if (CornerHandle == 0 || CornerHandle == 3) {
      PB_Sheet->setCursor(Qt::SizeFDiagCursor);
    } else if (CornerHandle == 1 || CornerHandle == 2) {
      PB_Sheet->setCursor(Qt::SizeBDiagCursor);
    } else {
      PB_Sheet->setCursor(Qt::ArrowCursor);
    }
  } else if (!Banding && View->SelectedLink() && !HandleDragging) {
    LinkHandle = View->LinkHandleAt(x, y);
    PB_Sheet->setCursor(LinkHandle == TQOZSpline::kNoHandle ? Qt::ArrowCursor : Qt::CrossCursor);
    if (!onlyLeftHeld) CornerHandle = TSheetView::kNoCorner;
  } else {
    PB_Sheet->setCursor(Qt::ArrowCursor);
    if (!onlyLeftHeld) CornerHandle = TSheetView::kNoCorner;
  }
}

void TDrawSheet::StartNoteDrag() {
  std::unique_ptr<TDragObject> drag = PB_SheetStartDrag();
  if (!drag) return;
  const QPointer<TDrawSheet> alive(this);
  dragRunning_ = true;
  // The drag takes the release: no click and no release of this press follow.
  pressRecorded_ = false;
  clickPending_ = false;
  DragLauncher().Run(PB_Sheet, std::move(drag));
  if (!alive) return;
  dragRunning_ = false;
  // However the drag ended, nothing of it stays on the surface.
  ClearRelateMode();
  if (boxShown_) ToggleSelectionBox();
  EndPress();
}

void TDrawSheet::EndPress() {
  PressedOnNote = false;
  NoDrag = false;
}

void TDrawSheet::PB_SheetMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                 int y) {
  if (button != Qt::LeftButton || !View) return;
  if (pressCancelled_) {
    pressCancelled_ = false;
    EndPress();
    return;
  }
  if (Resizing) {
    ReleaseResize(x, y);
  } else if (HandleDragging) {
    LinkHandle = TQOZSpline::kNoHandle;
    HandleDragging = false;
    ghostShown_ = false;  // the redraw shows the curve where it now runs
    Refresh(false);
  } else {
    ReleasePlain(shift, x, y);
  }
}

void TDrawSheet::ReleasePlain(Qt::KeyboardModifiers shift, int x, int y) {
  if ((shift & Qt::ControlModifier) && View->NoteAt(x, y)) {
    if (!dragRunning_) Refresh(true);
  } else if (!dragRunning_) {
    View->ClearSelectedLink();
  }
  TLinkItem* link = View->LinkAt(x, y);
  TNoteItem* note = View->NoteAt(x, y);
  if (note) {
    View->SelectNote(note);
  } else if (link && (View->ShowAllRelations() || link->Sheet() == Sheet)) {
    View->SelectLink(link);
  }
  if ((note || link) && !dragRunning_) Refresh(false);
  if (Banding) {
    if (bandShown_) XorBand();
    View->SelectInRect(BandFixedX, BandFixedY, x, y);
    Banding = false;
    Refresh(false);
  }
  EndPress();
}

// The new box runs from the fixed corner to the release point.
void TDrawSheet::ReleaseResize(int x, int y) {
  if (bandShown_) XorBand();
  const TVCanvas& canvas = *PaintCanvas;
  const std::int32_t fx = BandFixedX;
  const std::int32_t fy = BandFixedY;
  const bool right = CornerHandle == 1 || CornerHandle == 3;
  const bool bottom = CornerHandle == 2 || CornerHandle == 3;
  const std::int32_t left = canvas.ToWorld(right ? fx : x);
  const std::int32_t top = canvas.ToWorld(bottom ? fy : y);
  const std::int32_t width = canvas.ToWorld(right ? CheckedSub(x, fx) : CheckedSub(fx, x));
  const std::int32_t height = canvas.ToWorld(bottom ? CheckedSub(y, fy) : CheckedSub(fy, y));
  const std::vector<TNoteItem*> selected = View->SelectedNotes();
  if (!selected.empty()) Container->SetNoteBox(left, top, width, height, selected.front(), Sheet);
  Resizing = false;
  CornerHandle = TSheetView::kNoCorner;
  Refresh(false);
}

// Shows the clicked note in the note property window, which comes with the
// property windows; until then a click changes nothing.
void TDrawSheet::PB_SheetClick() {}

void TDrawSheet::PB_SheetDblClick() {
  if (!View) return;
  TNoteItem* note = View->NoteAt(PointerX, PointerY);
  if (!note) {
    TLinkItem* link = View->LinkAt(PointerX, PointerY);
    if (!link || (!View->ShowAllRelations() && link->Sheet() != Sheet)) return;
    if (!EditLink(link)) return;
  }
  // A note's own double click opens its property window, which comes with
  // the property windows.
  NoDrag = true;
  Refresh(true);
}

bool TDrawSheet::EditLink(TLinkItem* link) {
  modalShown_ = true;  // the editor or its error message
  try {
    LinkEditor->Setup(Container, link);
  } catch (const std::exception& error) {
    // A link whose type is not the project's cannot be edited here.
    Dialogs().Message(this, QString::fromLocal8Bit(error.what()), TMessageIcon::Error,
                      TMessageButtons::Ok);
    return false;
  }
  if (Dialogs().ShowModal(*LinkEditor) != QDialog::Accepted) return true;
  link->SetArrowStyle(LinkEditor->ArrowStyle);
  link->SetColor(LinkEditor->Color);
  link->SetWidth(LinkEditor->Width);
  const bool selected = View->SelectedLink() == link;
  // A new type replaces the link; the selection follows it.
  TLinkItem* changed = Container->ChangeLinkRelation(link, LinkEditor->Relation);
  if (selected) {
    View->ClearSelectedLink();
    View->SelectLink(changed);
  }
  return true;
}

void TDrawSheet::CancelPointerAction() {
  if (Banding) {
    if (bandShown_) XorBand();
    Banding = false;
    RestoreSelectionBeforeBand();
    Refresh(false);
  }
  if (Resizing) {
    if (bandShown_) XorBand();
    Resizing = false;
    CornerHandle = TSheetView::kNoCorner;
  }
  if (HandleDragging) {
    if (ghostShown_) XorGhostCurve();
    TLinkItem* link = View->SelectedLink();
    if (link && !FirstMove) {
      if (LinkHandle == TQOZSpline::kToHandle) {
        link->SetCtrl1X(SavedCtrlX);
        link->SetCtrl1Y(SavedCtrlY);
      } else {
        link->SetCtrl2X(SavedCtrlX);
        link->SetCtrl2Y(SavedCtrlY);
      }
    }
    HandleDragging = false;
    LinkHandle = TQOZSpline::kNoHandle;
    Refresh(false);
  }
  pressCancelled_ = true;
  clickPending_ = false;
}

// Nothing can be deleted while the button is held for the band, so what was
// selected is still there.
void TDrawSheet::RestoreSelectionBeforeBand() {
  for (TNoteItem* note : selectionBeforeBand_) View->SelectNote(note);
  if (linkBeforeBand_) View->SelectLink(linkBeforeBand_);
  selectionBeforeBand_.clear();
  linkBeforeBand_ = nullptr;
}

void TDrawSheet::GhostLink(int x, int y) {
  MoveHandle(x, y);
  XorGhostCurve();
}

void TDrawSheet::MoveHandle(int x, int y) {
  TLinkItem* link = View ? View->SelectedLink() : nullptr;
  if (!link) return;
  const TVCanvas& canvas = *PaintCanvas;
  const auto clamp = [&](int value, std::int32_t extent) {
    if (canvas.ToWorld(value) >= extent) return canvas.Scaled(CheckedSub(extent, 1));
    if (canvas.ToWorld(value) <= 0) return 1;
    return value;
  };
  x = clamp(x, Sheet->Width());
  y = clamp(y, Sheet->Height());
  const std::int32_t dx = canvas.ToWorld(CheckedSub(x, PressX));
  const std::int32_t dy = canvas.ToWorld(CheckedSub(y, PressY));
  if (LinkHandle == TQOZSpline::kToHandle) {
    link->SetCtrl1X(CheckedAdd(SavedCtrlX, dx));
    link->SetCtrl1Y(CheckedAdd(SavedCtrlY, dy));
  } else {
    link->SetCtrl2X(CheckedAdd(SavedCtrlX, dx));
    link->SetCtrl2Y(CheckedAdd(SavedCtrlY, dy));
  }
}

// ---------------------------------------------------------------------------
// Xor pictures on the surface

// A band without width or height draws nothing, and so erases nothing.
void TDrawSheet::XorBand() {
  if (BandFixedX == BandMoveX || BandFixedY == BandMoveY) return;
  TPlatformCanvas& surface = paintTarget_;
  surface.Pen() = TPlatformPen{kWhite, 0, kPenStyleDot, kPenModeXor};
  surface.Brush().Style = kBrushStyleClear;
  surface.Rectangle(std::min(BandFixedX, BandMoveX), std::min(BandFixedY, BandMoveY),
                    std::max(BandFixedX, BandMoveX), std::max(BandFixedY, BandMoveY));
  surface.Pen() = TPlatformPen{kBlack, 1, kPenStyleSolid, kPenModeCopy};
  surface.Brush().Style = kBrushStyleSolid;
  surface.Flush();
  bandShown_ = !bandShown_;
  ShowSurfaceChange();
}

// The selected link's curve alone, white with the xor pen.
void TDrawSheet::XorGhostCurve() {
  TLinkItem* link = View->SelectedLink();
  if (!link || !Container->LinkEndsPlaced(link, Sheet)) return;
  TLinkDrawBot ghost(*PaintCanvas);
  ghost.SetNormalMode();
  ghost.Setup(link, Sheet);
  ghost.SetGhostMode();
  ghost.Draw();
  ghostShown_ = !ghostShown_;
  ShowSurfaceChange();
}

void TDrawSheet::ToggleSelectionBox() {
  SelectionBot->DrawAtLast();
  paintTarget_.Flush();
  boxShown_ = !boxShown_;
  ShowSurfaceChange();
}

void TDrawSheet::ShowSurfaceChange() {
  if (!painting_) PB_Sheet->update();
}

// A redraw has wiped the xor pictures: the ones showing are drawn again, so
// that the next drawing of each still erases it.
void TDrawSheet::PutBackOverlays() {
  if (bandShown_) {
    bandShown_ = false;
    XorBand();
  }
  if (ghostShown_) {
    ghostShown_ = false;
    XorGhostCurve();
  }
  if (boxShown_) {
    boxShown_ = false;
    ToggleSelectionBox();
  }
}

// ---------------------------------------------------------------------------
// Dragging and dropping

std::unique_ptr<TDragObject> TDrawSheet::PB_SheetStartDrag() {
  if (!View) return nullptr;
  const std::vector<TNoteItem*> notes = View->SelectedNotes();
  if (notes.empty()) return nullptr;
  auto drag = std::make_unique<TDragNotes>(this);
  drag->AssignItems(std::vector<TPoolItem*>(notes.begin(), notes.end()));
  drag->SetOffsets(Sheet, PaintCanvas->ToWorld(PressX), PaintCanvas->ToWorld(PressY));
  return drag;
}

// Decided by the first note alone: one not yet on this sheet is placed here;
// one placed here moves when the drag started here; one with a position here
// may come from a window that places notes (the navigator, the property
// windows), never from another sheet window or the search results.
bool TDrawSheet::CanDropNotes(const TDragNotes& drag) const {
  const TNoteItem* first = drag.Note(0);
  if (!first || !Container) return false;
  if (!Container->PositionOf(first, Sheet)) return true;
  if (first->IsPlacedOn(Sheet) && drag.SourceForm == this) return true;
  return dynamic_cast<const TPlacingDragSource*>(drag.SourceForm) != nullptr;
}

bool TDrawSheet::PB_SheetDragOver(TDragObject* source, int x, int y, TDragState state) {
  if (!View || !source) return false;
  if (dynamic_cast<const TDragNewNote*>(source)) return true;
  const auto* notes = dynamic_cast<const TDragNotes*>(source);
  if (!notes) return false;
  const bool accept = CanDropNotes(*notes);
  DragOverNotes(*notes, x, y, state);
  return accept;
}

void TDrawSheet::DragOverNotes(const TDragNotes& drag, int x, int y, TDragState state) {
  const bool fromHere = drag.SourceForm == this;
  switch (state) {
    case TDragState::Leave:
      // DropRelates stays: the drop that may follow must know it relates.
      if (fromHere && !RelateMode && boxShown_) ToggleSelectionBox();
      if (RelateMode) {
        RelateHint->hide();
        RelateMode = false;
      }
      break;
    case TDragState::Enter:
      DropRelates = false;
      if (fromHere && !RelateMode && !boxShown_) ToggleSelectionBox();
      break;
    case TDragState::Move:
      if (!fromHere) break;
      if (!RelateMode) {
        SelectionBot->SetBoxLeft(PaintCanvas->ToWorld(x));
        SelectionBot->SetBoxTop(PaintCanvas->ToWorld(y));
        SelectionBot->Draw();
        paintTarget_.Flush();
        ShowSurfaceChange();
      }
      UpdateRelateMode(drag, x, y);
      break;
  }
}

// One note dragged over another ordinary note offers to relate the two.
void TDrawSheet::UpdateRelateMode(const TDragNotes& drag, int x, int y) {
  TNoteItem* target = View->NoteAt(x, y);
  const TNoteItem* dragged = drag.ItemCount() == 1 ? drag.Note(0) : nullptr;
  const bool relates = target && dragged && dragged != target && Container->RelationCount() > 0 &&
                       !target->IsAggregation() && !dragged->IsAggregation();
  if (!relates) {
    if (RelateMode) EndRelateMode();
    return;
  }
  if (!RelateMode) {
    RelateMode = true;
    if (boxShown_) ToggleSelectionBox();
  }
  if (const TPosItem* position = Container->PositionOf(target, Sheet)) {
    const QPoint corner(PaintCanvas->Scaled(position->X()), PaintCanvas->Scaled(position->Y()));
    // At least the hint's own size, so that its whole text shows in any font.
    const QSize size = QSize(kHintWidth, kHintHeight).expandedTo(RelateHint->sizeHint());
    RelateHint->setGeometry(QRect(PB_Sheet->mapToGlobal(corner), size));
  }
  RelateHint->show();
  DropRelates = true;
}

void TDrawSheet::ClearRelateMode() {
  RelateHint->hide();
  RelateMode = false;
  DropRelates = false;
}

void TDrawSheet::EndRelateMode() {
  ClearRelateMode();
  if (!boxShown_) ToggleSelectionBox();
}

void TDrawSheet::PB_SheetDragDrop(TDragObject* source, int x, int y) {
  if (!View || !source) return;
  if (const auto* notes = dynamic_cast<const TDragNotes*>(source)) {
    if (DropRelates) {
      DropLink(*notes, x, y);
    } else {
      DropNotes(*notes, x, y);
    }
  } else if (dynamic_cast<const TDragNewNote*>(source)) {
    DropNewNote(x, y);
  }
}

// Each note keeps its place relative to the grab point; notes from other
// windows, whose offsets were never set, land one unit left of and above it.
void TDrawSheet::DropNotes(const TDragNotes& drag, int x, int y) {
  const std::int32_t wx = PaintCanvas->ToWorld(x);
  const std::int32_t wy = PaintCanvas->ToWorld(y);
  for (std::size_t i = 0; i < drag.ItemCount(); ++i) {
    Container->PlaceNote(drag.Note(i), Sheet, CheckedAdd(wx, drag.OffsetX(i)),
                         CheckedAdd(wy, drag.OffsetY(i)));
  }
  Refresh(true);
}

void TDrawSheet::DropLink(const TDragNotes& drag, int x, int y) {
  ClearRelateMode();
  TNoteItem* from = drag.Note(0);
  TNoteItem* to = View->NoteAt(x, y);
  if (!from || !to || from == to) return;
  TNewLinkForm form(this);
  form.Setup(Container, from, Sheet, to);
  if (Dialogs().ShowModal(form) != QDialog::Accepted) return;
  TLinkItem* link = Container->AddLink(from, to, Sheet, form.Relation);
  if (!link) return;
  link->SetWidth(form.Width);
  link->SetColor(form.Color);
  link->SetArrowStyle(form.ArrowStyle);
  Refresh(true);
}

void TDrawSheet::DropNewNote(int x, int y) {
  TNoteItem* note = Container->AddNote(DefaultNote);
  if (!note) return;
  Container->PlaceNote(note, Sheet, PaintCanvas->ToWorld(x), PaintCanvas->ToWorld(y));
  // The new note's property window opens here once the property windows exist.
  Refresh(true);
}
