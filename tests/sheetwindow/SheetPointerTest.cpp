#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "render/QOZSpline.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"
#include "sheetwindow/DragNotes.h"
#include "sheetwindow/EditLinkForm.h"
#include "sheetwindow/PaintBox.h"
#include "sheetwindow/SheetForm.h"
#include "support/RecordingDragLauncher.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSpinBox>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

// Even world coordinates are whole device pixels at zoom 50 too.
std::int32_t EvenCentre(std::int32_t low, std::int32_t high) { return (low + high) / 4 * 2; }

// A sheet window on a 1000 x 800 sheet at the zoom of the parameter, with
// three notes of 80 x 50: A at (100, 100), B at (300, 100), C at (100, 400).
// The tests speak in world units; the handlers get device pixels.
class SheetPointerTest : public ::testing::TestWithParam<int> {
 protected:
  SheetPointerTest() {
    sheet = projecttest::NewSheet(project, "Plan", 1000, 800);
    sheet->SetZoom(GetParam());
    a = Place("A", 100, 100);
    b = Place("B", 300, 100);
    c = Place("C", 100, 400);
    window.resize(400, 300);
    window.OpenSheet(&project, sheet);
    window.show();
    window.Refresh(false);
  }

  TNoteItem* Place(const char* title, std::int32_t x, std::int32_t y) {
    TNoteItem* note = projecttest::NewNote(project, title);
    projecttest::NewPosition(project, note, sheet, x, y);
    return note;
  }

  int D(std::int32_t world) const { return window.PaintCanvas->Scaled(world); }
  void Press(std::int32_t x, std::int32_t y) {
    window.PB_SheetMouseDown(Qt::LeftButton, Qt::NoModifier, D(x), D(y));
  }
  void Move(std::int32_t x, std::int32_t y, Qt::MouseButtons buttons = Qt::LeftButton) {
    window.PB_SheetMouseMove(buttons, Qt::NoModifier, D(x), D(y));
  }
  void Hover(std::int32_t x, std::int32_t y) { Move(x, y, Qt::NoButton); }
  void Release(std::int32_t x, std::int32_t y) {
    window.PB_SheetClick();
    window.PB_SheetMouseUp(Qt::LeftButton, Qt::NoModifier, D(x), D(y));
  }
  void ClickAt(std::int32_t x, std::int32_t y) {
    Hover(x, y);
    Press(x, y);
    Release(x, y);
  }
  // The platform's order: press, click, release, double click, second press,
  // its release.
  void DoubleClickAt(std::int32_t x, std::int32_t y) {
    ClickAt(x, y);
    window.PB_SheetDblClick();
    Press(x, y);
  }

  // A Qt mouse event on the surface, which goes through the window's filter.
  void Send(QEvent::Type type, std::int32_t x, std::int32_t y, Qt::MouseButton button,
            Qt::MouseButtons held) {
    const QPointF at(D(x), D(y));
    QMouseEvent event(type, at, window.PB_Sheet->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(window.PB_Sheet, &event);
  }
  void SendKey(int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
  }

  std::vector<TNoteItem*> Selected() const { return window.View->SelectedNotes(); }
  TPosItem* PositionOf(TNoteItem* note) { return project.PositionOf(note, sheet); }
  QImage Shown() { return window.PB_Sheet->grab().toImage(); }

  TLinkItem* LinkAB(TSheetItem* madeOn = nullptr) {
    TRelationItem* leads = projecttest::NewRelation(project, "leads to");
    projecttest::NewRelation(project, "assumes");
    TLinkItem* link = projecttest::NewLink(project, a, b, madeOn ? madeOn : sheet, leads);
    window.Refresh(false);
    return link;
  }
  // A point of the curve from A to B, found between their boxes.
  QPoint OnLink(const TLinkItem* link) {
    for (std::int32_t y = 100; y < 160; ++y) {
      if (window.View->LinkAt(D(240), D(y)) == link) return {240, y};
    }
    ADD_FAILURE() << "no point of the link found";
    return {};
  }

  TContainer project;
  TSheetItem* sheet = nullptr;
  TNoteItem* a = nullptr;
  TNoteItem* b = nullptr;
  TNoteItem* c = nullptr;
  qoztest::TScriptedDialogs dialogs;
  qoztest::TRecordingDragLauncher drags;
  TDrawSheet window;
};

TEST_P(SheetPointerTest, APressOnASelectedNoteKeepsTheSelectionAndOnAnotherSelectsItAlone) {
  window.View->SelectNote(a);
  window.View->SelectNote(b);
  Hover(140, 125);
  Press(140, 125);
  EXPECT_THAT(Selected(), UnorderedElementsAre(a, b));
  EXPECT_TRUE(window.PressedOnNote);
  Release(140, 125);
  EXPECT_THAT(Selected(), UnorderedElementsAre(a, b));
  EXPECT_FALSE(window.PressedOnNote);
  ClickAt(140, 420);
  EXPECT_THAT(Selected(), ElementsAre(c));
}

// Notes are taken by their top-left corners; the press has cleared the
// selection before.
TEST_P(SheetPointerTest, ABandSelectsTheSameNotesWhicheverWayItIsDragged) {
  const std::pair<QPoint, QPoint> bands[] = {{{50, 50}, {350, 300}}, {{350, 300}, {50, 50}}};
  for (const auto& [from, to] : bands) {
    window.View->ClearSelection();
    window.View->SelectNote(c);
    Hover(from.x(), from.y());
    Press(from.x(), from.y());
    EXPECT_TRUE(window.Banding);
    EXPECT_THAT(Selected(), IsEmpty());
    Move(200, 200);
    Move(to.x(), to.y());
    Release(to.x(), to.y());
    EXPECT_FALSE(window.Banding);
    EXPECT_THAT(Selected(), UnorderedElementsAre(a, b));
  }
}

// The band is drawn with the xor pen into the picture shown: it shows while
// dragged, and the picture is whole again when it goes.
TEST_P(SheetPointerTest, TheBandShowsOnThePictureAndLeavesItWhole) {
  const QImage before = Shown();
  Hover(20, 250);
  Press(20, 250);
  Move(60, 280);
  const QImage banded = Shown();
  EXPECT_NE(banded, before);
  EXPECT_NE(banded.pixel(D(20), D(250)), before.pixel(D(20), D(250)));
  Move(90, 290);
  window.CancelPointerAction();
  EXPECT_EQ(Shown(), before);
  Release(90, 290);
  EXPECT_THAT(Selected(), IsEmpty()) << "a cancelled band selects nothing";
  EXPECT_EQ(Shown(), before);
}

TEST_P(SheetPointerTest, ACornerResizesTheSingleSelectedNoteButNotBelowTwentyUnits) {
  window.View->SelectNote(a);
  Hover(178, 148);  // bottom-right corner
  EXPECT_EQ(window.CornerHandle, 3);
  EXPECT_EQ(window.PB_Sheet->cursor().shape(), Qt::SizeFDiagCursor);
  Press(178, 148);
  EXPECT_TRUE(window.Resizing);
  Move(240, 180);
  Release(240, 180);
  EXPECT_FALSE(window.Resizing);
  EXPECT_EQ(a->Width(), 140);
  EXPECT_EQ(a->Height(), 80);

  Hover(102, 102);  // top-left corner
  EXPECT_EQ(window.CornerHandle, 0);
  Press(102, 102);
  Move(230, 120);  // 10 units short of the right edge at 240
  Release(230, 120);
  EXPECT_EQ(a->Width(), 140);
  EXPECT_EQ(PositionOf(a)->X(), 100);

  Hover(102, 102);
  Press(102, 102);
  Move(150, 130);
  Release(150, 130);
  EXPECT_EQ(PositionOf(a)->X(), 150);
  EXPECT_EQ(PositionOf(a)->Y(), 130);
  EXPECT_EQ(a->Width(), 90);
  EXPECT_EQ(a->Height(), 50);
}

TEST_P(SheetPointerTest, AClickSelectsALinkAndAClickOnEmptySpaceClearsItForABand) {
  TLinkItem* link = LinkAB();
  const QPoint on = OnLink(link);
  ClickAt(on.x(), on.y());
  EXPECT_EQ(window.View->SelectedLink(), link);
  Hover(600, 600);
  Press(600, 600);
  EXPECT_EQ(window.View->SelectedLink(), nullptr);
  EXPECT_TRUE(window.Banding);
  Release(600, 600);
  EXPECT_THAT(Selected(), IsEmpty());
  EXPECT_EQ(window.View->SelectedLink(), nullptr);
}

// The to-handle sets the first control point, moved by the pointer's travel
// in world units and kept on the sheet.
TEST_P(SheetPointerTest, DraggingAHandleBendsTheLinkWithinTheSheet) {
  TLinkItem* link = LinkAB();
  window.View->SelectLink(link);
  window.Refresh(false);
  TQOZSpline spline;
  spline.BuildForLink(link, sheet);
  const TRect handle = spline.HandleRect(TQOZSpline::kToHandle);
  const QPoint grab(EvenCentre(handle.Left, handle.Right), EvenCentre(handle.Top, handle.Bottom));
  const std::int32_t ctrlX = link->Ctrl1X();
  const std::int32_t ctrlY = link->Ctrl1Y();
  Hover(grab.x(), grab.y());
  EXPECT_EQ(window.LinkHandle, TQOZSpline::kToHandle);
  EXPECT_EQ(window.PB_Sheet->cursor().shape(), Qt::CrossCursor);
  Press(grab.x(), grab.y());
  EXPECT_TRUE(window.HandleDragging);
  Move(grab.x() + 40, grab.y() + 60);
  Move(grab.x() + 80, grab.y() + 20);
  Release(grab.x() + 80, grab.y() + 20);
  EXPECT_FALSE(window.HandleDragging);
  EXPECT_EQ(window.LinkHandle, TQOZSpline::kNoHandle);
  EXPECT_EQ(link->Ctrl1X(), ctrlX + 80);
  EXPECT_EQ(link->Ctrl1Y(), ctrlY + 20);

  spline.BuildForLink(link, sheet);
  const TRect moved = spline.HandleRect(TQOZSpline::kToHandle);
  const QPoint again(EvenCentre(moved.Left, moved.Right), EvenCentre(moved.Top, moved.Bottom));
  Hover(again.x(), again.y());
  ASSERT_EQ(window.LinkHandle, TQOZSpline::kToHandle);
  Press(again.x(), again.y());
  window.PB_SheetMouseMove(Qt::LeftButton, Qt::NoModifier, D(again.x()), -50);
  window.PB_SheetMouseUp(Qt::LeftButton, Qt::NoModifier, D(again.x()), -50);
  EXPECT_EQ(link->Ctrl1Y(), ctrlY + 20 + window.PaintCanvas->ToWorld(1 - D(again.y())))
      << "above the sheet the handle stops at its top edge";
}

TEST_P(SheetPointerTest, EscapePutsABentLinkAndAResizedNoteBack) {
  TLinkItem* link = LinkAB();
  window.View->SelectLink(link);
  window.Refresh(false);
  const QImage before = Shown();
  TQOZSpline spline;
  spline.BuildForLink(link, sheet);
  const TRect handle = spline.HandleRect(TQOZSpline::kFromHandle);
  const QPoint grab(EvenCentre(handle.Left, handle.Right), EvenCentre(handle.Top, handle.Bottom));
  const std::int32_t ctrlX = link->Ctrl2X();
  Hover(grab.x(), grab.y());
  ASSERT_EQ(window.LinkHandle, TQOZSpline::kFromHandle);
  Press(grab.x(), grab.y());
  Move(grab.x() + 100, grab.y() + 100);
  EXPECT_NE(link->Ctrl2X(), ctrlX);
  window.CancelPointerAction();
  Release(grab.x() + 100, grab.y() + 100);
  EXPECT_EQ(link->Ctrl2X(), ctrlX);
  EXPECT_FALSE(window.HandleDragging);
  EXPECT_EQ(Shown(), before);
  EXPECT_EQ(window.View->SelectedLink(), link) << "the release after Escape selects nothing new";

  window.View->ClearSelectedLink();
  window.View->SelectNote(c);
  Hover(178, 448);
  Press(178, 448);
  Move(300, 500);
  window.CancelPointerAction();
  Release(300, 500);
  EXPECT_EQ(c->Width(), 80);
  EXPECT_FALSE(window.Resizing);
}

TEST_P(SheetPointerTest, DoubleClickingALinkEditsItUnlessItBelongsToAnotherSheetAndAllAreHidden) {
  TSheetItem* other = projecttest::NewSheet(project, "Other");
  TLinkItem* link = LinkAB(other);
  const QPoint on = OnLink(link);
  window.MI_AllLinks->setChecked(false);
  window.MI_AllLinksClick();
  DoubleClickAt(on.x(), on.y());
  EXPECT_THAT(dialogs.Transcript(), IsEmpty());

  window.MI_AllLinks->setChecked(true);
  window.MI_AllLinksClick();
  dialogs.ExpectModal([](QDialog& dialog) {
    auto& form = dynamic_cast<TEditLinkForm&>(dialog);
    form.SP_LinkWidth->setValue(4);
    form.SetPanelColor(0x0000FF);
    form.CB_LinkType->setCurrentIndex(1);
    form.BTN_OkClick();
    return dialog.result();
  });
  DoubleClickAt(on.x(), on.y());
  EXPECT_TRUE(dialogs.Done());
  ASSERT_EQ(project.LinkCount(), 1);
  TLinkItem* changed = project.GetLink(0);
  EXPECT_EQ(changed->Relation()->Name(), "assumes");
  EXPECT_EQ(changed->Width(), 4);
  EXPECT_EQ(changed->Color(), 0x0000FF);
  EXPECT_EQ(changed->Sheet(), other);
  EXPECT_TRUE(window.NoDrag);
}

// A move of more than five pixels with the button down on a note drags the
// selected notes, each with its corner's offset from the grab point; after a
// double click no drag starts until the button is up again.
TEST_P(SheetPointerTest, APressAndAMoveDragTheNotesButNotAfterADoubleClick) {
  window.View->SelectNote(a);
  window.View->SelectNote(b);
  Hover(150, 130);
  Press(150, 130);
  window.PB_SheetMouseMove(Qt::LeftButton, Qt::NoModifier, D(150) + 5, D(130));
  EXPECT_THAT(drags.Sources, IsEmpty()) << "five pixels are not yet a drag";
  window.PB_SheetMouseMove(Qt::LeftButton, Qt::NoModifier, D(150) + 6, D(130));
  ASSERT_THAT(drags.Sources, ElementsAre(window.PB_Sheet));
  const auto* dragged = dynamic_cast<const TDragNotes*>(drags.Last.get());
  ASSERT_NE(dragged, nullptr);
  EXPECT_EQ(dragged->SourceForm, &window);
  ASSERT_EQ(dragged->ItemCount(), 2u);
  EXPECT_EQ(dragged->Note(0), a);
  EXPECT_EQ(dragged->OffsetX(0), -50);
  EXPECT_EQ(dragged->OffsetY(0), -30);
  EXPECT_EQ(dragged->OffsetX(1), 150);
  EXPECT_FALSE(window.PressedOnNote) << "the press ends with the drag";

  DoubleClickAt(140, 420);
  Move(200, 500);
  EXPECT_EQ(drags.Sources.size(), 1u);
  Release(200, 500);
  Press(140, 420);
  Move(200, 500);
  EXPECT_EQ(drags.Sources.size(), 2u) << "after the release a drag may start again";
}

// The Qt events on the surface reach the handlers: a band made with real
// mouse events selects.
TEST_P(SheetPointerTest, MouseEventsOnTheSurfaceDriveTheHandlers) {
  Send(QEvent::MouseButtonPress, 50, 50, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(window.Banding);
  Send(QEvent::MouseMove, 350, 300, Qt::NoButton, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, 350, 300, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(window.Banding);
  EXPECT_THAT(Selected(), UnorderedElementsAre(a, b));
}

// Qt hands a drag's release back once the drag is over, and a modal window
// opened by a double click takes that click's release: neither may act as
// the release of a press on the surface.
TEST_P(SheetPointerTest, ReleasesThatNoPressOfTheSurfaceBeganChangeNothing) {
  window.View->SelectNote(a);
  window.View->SelectNote(b);
  Send(QEvent::MouseMove, 120, 120, Qt::NoButton, Qt::NoButton);
  Send(QEvent::MouseButtonPress, 120, 120, Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseMove, 160, 120, Qt::NoButton, Qt::LeftButton);
  ASSERT_EQ(drags.Sources.size(), 1u);
  Send(QEvent::MouseButtonRelease, 120, 420, Qt::LeftButton, Qt::NoButton);  // over C
  EXPECT_THAT(Selected(), UnorderedElementsAre(a, b)) << "the drag's release selects nothing";

  TLinkItem* link = LinkAB();
  const QPoint on = OnLink(link);
  dialogs.ExpectModal([](QDialog&) { return int(QDialog::Rejected); });
  Send(QEvent::MouseMove, on.x(), on.y(), Qt::NoButton, Qt::NoButton);
  Send(QEvent::MouseButtonPress, on.x(), on.y(), Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, on.x(), on.y(), Qt::LeftButton, Qt::NoButton);
  Send(QEvent::MouseButtonDblClick, on.x(), on.y(), Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(dialogs.Done());
  // The release went to the link editor; the next press and move on a note drag it.
  Send(QEvent::MouseMove, 120, 420, Qt::NoButton, Qt::NoButton);
  Send(QEvent::MouseButtonPress, 120, 420, Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseMove, 160, 420, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(drags.Sources.size(), 2u);
}

// Escape, and a zoom, take a band back: what was selected before it is
// selected and shown again.
TEST_P(SheetPointerTest, EscapeOrAZoomDuringABandPutsTheSelectionBack) {
  TLinkItem* link = LinkAB();
  window.View->SelectNote(c);
  window.View->SelectLink(link);
  window.Refresh(false);
  const QImage before = Shown();
  Hover(600, 600);
  Press(600, 600);
  Move(20, 20);
  SendKey(Qt::Key_Escape);
  EXPECT_FALSE(window.Banding);
  EXPECT_THAT(Selected(), ElementsAre(c));
  EXPECT_EQ(window.View->SelectedLink(), link);
  EXPECT_EQ(Shown(), before);
  Release(20, 20);
  EXPECT_THAT(Selected(), ElementsAre(c)) << "the release of a cancelled band selects nothing";

  Press(600, 600);
  Move(20, 20);
  window.ZoomInSheet();
  EXPECT_FALSE(window.Banding);
  EXPECT_THAT(Selected(), ElementsAre(c));
}

INSTANTIATE_TEST_SUITE_P(Zooms, SheetPointerTest, ::testing::Values(100, 50),
                         [](const auto& info) { return "Zoom" + std::to_string(info.param); });

}  // namespace
