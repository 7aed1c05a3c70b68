#include "sheetwindow/SheetForm.h"

#include "base/Convert.h"
#include "base/Nearest.h"
#include "base/Notifications.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "platform/Dialogs.h"
#include "platform/PainterCanvas.h"
#include "platform/QtText.h"
#include "project/Container.h"
#include "render/SelDrawBot.h"
#include "render/SheetBackground.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"
#include "sheetwindow/EditLinkForm.h"
#include "sheetwindow/PaintBox.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <exception>
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
  PB_Sheet->OnPaint = [this] {
    painting_ = true;
    Refresh(false);
    painting_ = false;
  };
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
  setWindowTitle(QStringLiteral("Worksheet - ") + FromText(Sheet->Title()) +
                 QStringLiteral(" (%1%)").arg(OffCanvas->ZoomPercent()));
  paintTarget_.Attach(*offTarget_, QPoint(sx - 1, sy - 1));
  PB_Sheet->Show(&OffImage, QPoint(sx - 1, sy - 1));
  if (!painting_) PB_Sheet->update();
  UpdatePopupMenu();
  if (notify) {
    Notifications().NotifyNavigators(nullptr);
    Notifications().RefreshSheetWindows();
  }
}

void TDrawSheet::AfterZoom() {
  Sheet->SetZoom(OffCanvas->ZoomPercent());
}

void TDrawSheet::ZoomInSheet() {
  if (!View) return;
  OffCanvas->ZoomIn();
  PaintCanvas->ZoomIn();
  AfterZoom();
  SyncZoomSelector();
  Refresh(true);
}

void TDrawSheet::ZoomOutSheet() {
  if (!View) return;
  OffCanvas->ZoomOut();
  PaintCanvas->ZoomOut();
  AfterZoom();
  Refresh(true);
  SyncZoomSelector();
}

void TDrawSheet::ZoomSheetTo(std::int32_t percent) {
  if (!View) return;
  SetBothZooms(percent);
  AfterZoom();
  Refresh(true);
  SyncZoomSelector();
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
