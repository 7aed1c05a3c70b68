#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"
#include "sheetwindow/DragAttach.h"
#include "sheetwindow/DragNewNote.h"
#include "sheetwindow/DragNotes.h"
#include "sheetwindow/DragSheets.h"
#include "sheetwindow/NewLinkForm.h"
#include "sheetwindow/PaintBox.h"
#include "sheetwindow/PlacingDragSource.h"
#include "sheetwindow/SheetForm.h"
#include "support/RecordingDragLauncher.h"
#include "support/ScriptedDialogs.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using ::testing::IsEmpty;

namespace {

using TState = TDrawSheet::TDragState;

// Stands in for the navigator: a window whose drags may place notes that
// already stand on the sheet.
class TPlacingWindow : public QWidget, public TPlacingDragSource {};

// A sheet window on a 1000 x 800 sheet at the zoom of the parameter, with
// notes of 80 x 50: A at (100, 100), B at (300, 100), C at (100, 400); one
// relation type. World units in the tests, device pixels to the handlers.
class SheetDropTest : public ::testing::TestWithParam<int> {
 protected:
  SheetDropTest() {
    sheet = projecttest::NewSheet(project, "Plan", 1000, 800);
    sheet->SetZoom(GetParam());
    a = Place("A", 100, 100);
    b = Place("B", 300, 100);
    c = Place("C", 100, 400);
    projecttest::NewRelation(project, "leads to");
    window.resize(400, 300);
    window.OpenSheet(&project, sheet);
    window.show();
    window.Refresh(false);
  }

  TNoteItem* Place(const char* title, std::int32_t x, std::int32_t y, TSheetItem* on = nullptr) {
    TNoteItem* note = projecttest::NewNote(project, title);
    projecttest::NewPosition(project, note, on ? on : sheet, x, y);
    return note;
  }

  int D(std::int32_t world) const { return window.PaintCanvas->Scaled(world); }
  bool Over(TDragObject& drag, std::int32_t x, std::int32_t y, TState state) {
    return window.PB_SheetDragOver(&drag, D(x), D(y), state);
  }
  // What the platform delivers for a drop at (x, y): a leave, whose answer
  // decides, then the drop.
  bool DropAt(TDragObject& drag, std::int32_t x, std::int32_t y) {
    if (!Over(drag, x, y, TState::Leave)) return false;
    window.PB_SheetDragDrop(&drag, D(x), D(y));
    return true;
  }
  // Presses on (x, y) and moves far enough for the window to start its drag
  // of the selected notes, during which play runs.
  void DragFrom(std::int32_t x, std::int32_t y, std::function<void(TDragObject&)> play) {
    drags.During = std::move(play);
    window.PB_SheetMouseMove(Qt::NoButton, Qt::NoModifier, D(x), D(y));
    window.PB_SheetMouseDown(Qt::LeftButton, Qt::NoModifier, D(x), D(y));
    window.PB_SheetMouseMove(Qt::LeftButton, Qt::NoModifier, D(x) + 10, D(y));
    ASSERT_FALSE(drags.Sources.empty()) << "no drag started";
  }

  TPosItem* PositionOf(TNoteItem* note, TSheetItem* on = nullptr) {
    return project.PositionOf(note, on ? on : sheet);
  }
  QPoint At(TNoteItem* note, TSheetItem* on = nullptr) {
    const TPosItem* position = PositionOf(note, on);
    return position ? QPoint(position->X(), position->Y()) : QPoint(-99, -99);
  }
  QImage Shown() { return window.PB_Sheet->grab().toImage(); }

  TContainer project;
  TSheetItem* sheet = nullptr;
  TNoteItem* a = nullptr;
  TNoteItem* b = nullptr;
  TNoteItem* c = nullptr;
  qoztest::TScriptedDialogs dialogs;
  qoztest::TRecordingDragLauncher drags;
  TDrawSheet window;
};

// Both move by the pointer's travel, each keeping its place relative to the
// other; the box that follows the pointer is gone afterwards.
TEST_P(SheetDropTest, TwoNotesDraggedTogetherMoveByTheSameAmountInsideTheSheet) {
  window.View->SelectNote(a);
  window.View->SelectNote(b);
  const QImage before = Shown();
  bool boxShown = false;
  DragFrom(140, 120, [&](TDragObject& drag) {
    EXPECT_TRUE(Over(drag, 145, 120, TState::Enter));
    EXPECT_TRUE(Over(drag, 190, 120, TState::Move));
    boxShown = Shown() != before;
    EXPECT_TRUE(DropAt(drag, 190, 120));
  });
  EXPECT_TRUE(boxShown);
  EXPECT_EQ(At(a), QPoint(150, 100));
  EXPECT_EQ(At(b), QPoint(350, 100));
  EXPECT_FALSE(window.PressedOnNote);

  DragFrom(190, 120, [&](TDragObject& drag) {
    Over(drag, 190, 120, TState::Enter);
    Over(drag, 790, 120, TState::Move);
    DropAt(drag, 790, 120);
  });
  EXPECT_EQ(At(a), QPoint(750, 100));
  EXPECT_EQ(At(b), QPoint(919, 100)) << "kept inside the sheet";
}

// Notes from a window that never set offsets land one unit left of and
// above the pointer; a note from another sheet window is placed here too and
// stays on its own sheet, but one already standing here is refused.
TEST_P(SheetDropTest, NotesFromOtherWindowsArePlacedUnlessAnotherSheetWindowSendsOnesStandingHere) {
  TSheetItem* other = projecttest::NewSheet(project, "Other");
  TNoteItem* elsewhere = Place("Elsewhere", 50, 50, other);
  projecttest::NewPosition(project, a, other, 60, 60);
  TDrawSheet otherWindow;
  otherWindow.OpenSheet(&project, other);
  TPlacingWindow navigator;

  TDragNotes fromNavigator(&navigator);
  fromNavigator.AddItem(projecttest::NewNote(project, "New"));
  EXPECT_TRUE(Over(fromNavigator, 500, 400, TState::Enter));
  EXPECT_TRUE(DropAt(fromNavigator, 500, 400));
  EXPECT_EQ(At(fromNavigator.Note(0)), QPoint(499, 399));

  TDragNotes standingHere(&otherWindow);
  standingHere.AddItem(a);
  EXPECT_FALSE(Over(standingHere, 500, 400, TState::Enter));
  EXPECT_FALSE(Over(standingHere, 510, 400, TState::Move));
  TDragNotes placedHereFromNavigator(&navigator);
  placedHereFromNavigator.AddItem(a);
  EXPECT_TRUE(Over(placedHereFromNavigator, 500, 400, TState::Enter));

  TDragNotes newHere(&otherWindow);
  newHere.AddItem(elsewhere);
  EXPECT_TRUE(Over(newHere, 600, 300, TState::Enter));
  EXPECT_TRUE(DropAt(newHere, 600, 300));
  EXPECT_EQ(At(elsewhere), QPoint(599, 299));
  EXPECT_EQ(At(elsewhere, other), QPoint(50, 50));
}

TEST_P(SheetDropTest, SheetsAttachmentsAndForeignDragsAreRefused) {
  TPlacingWindow navigator;
  TDragSheets sheets(&navigator);
  sheets.AddItem(sheet);
  TDragAttach attachments(&navigator);
  EXPECT_FALSE(Over(sheets, 500, 400, TState::Enter));
  EXPECT_FALSE(Over(attachments, 500, 400, TState::Enter));
  EXPECT_FALSE(window.PB_SheetDragOver(nullptr, D(500), D(400), TState::Enter));
  TDragNotes none(&navigator);
  EXPECT_FALSE(Over(none, 500, 400, TState::Enter));
}

// One note dragged over another ordinary note offers to relate them; over an
// aggregation note, with two notes, or off the note again, it does not.
TEST_P(SheetDropTest, RelateModeNeedsOneDraggedNoteOverAnotherOrdinaryNote) {
  TSheetItem* inner = projecttest::NewSheet(project, "Inner");
  TNoteItem* aggregation = projecttest::NewAggregationNote(project, inner);
  projecttest::NewPosition(project, aggregation, sheet, 500, 100);
  window.Refresh(false);
  window.View->SelectNote(a);
  DragFrom(140, 120, [&](TDragObject& drag) {
    Over(drag, 150, 120, TState::Enter);
    Over(drag, 340, 120, TState::Move);
    EXPECT_TRUE(window.RelateMode);
    EXPECT_TRUE(window.DropRelates);
    EXPECT_TRUE(window.RelateHint->isVisible());
    EXPECT_EQ(window.RelateHint->text(), QStringLiteral("Relate to this note..."));
    Over(drag, 540, 120, TState::Move);
    EXPECT_FALSE(window.RelateMode) << "over an aggregation note";
    EXPECT_FALSE(window.DropRelates);
    Over(drag, 340, 120, TState::Move);
    Over(drag, 340, 120, TState::Leave);
    EXPECT_FALSE(window.RelateMode) << "out of the window";
    EXPECT_FALSE(window.RelateHint->isVisible());
    Over(drag, 700, 600, TState::Enter);
    EXPECT_FALSE(window.DropRelates) << "entering again";
    Over(drag, 700, 600, TState::Move);
    EXPECT_FALSE(window.RelateMode) << "off the note";
    EXPECT_TRUE(DropAt(drag, 700, 600));
  });
  EXPECT_EQ(At(a), QPoint(660, 580)) << "a drop off every note moves it";
  EXPECT_EQ(project.LinkCount(), 0);

  window.View->SelectNote(c);
  DragFrom(690, 600, [&](TDragObject& drag) {
    Over(drag, 690, 600, TState::Enter);
    Over(drag, 340, 120, TState::Move);
    EXPECT_FALSE(window.RelateMode) << "two notes";
    Over(drag, 340, 120, TState::Leave);
  });
}

// A drag may end without a leave (cancelled with Escape over a note): relate
// mode ends, and neither the hint nor the moving box stays.
TEST_P(SheetDropTest, ADragEndingInRelateModeLeavesNothingBehind) {
  window.View->SelectNote(a);
  window.Refresh(false);
  const QImage before = Shown();
  DragFrom(140, 120, [&](TDragObject& drag) {
    Over(drag, 150, 120, TState::Enter);
    Over(drag, 340, 120, TState::Move);
    ASSERT_TRUE(window.RelateMode);
  });
  EXPECT_FALSE(window.RelateMode);
  EXPECT_FALSE(window.DropRelates);
  EXPECT_FALSE(window.RelateHint->isVisible());
  EXPECT_EQ(Shown(), before);
}

TEST_P(SheetDropTest, DroppingANoteOnAnotherAsksForTheLinkAndCancelChangesNothing) {
  window.View->SelectNote(a);
  const auto dropOnB = [&](TDragObject& drag) {
    Over(drag, 150, 120, TState::Enter);
    Over(drag, 340, 120, TState::Move);
    EXPECT_TRUE(DropAt(drag, 340, 120));
    EXPECT_FALSE(window.RelateMode);
    EXPECT_FALSE(window.RelateHint->isVisible());
  };
  dialogs.ExpectModal([](QDialog& dialog) {
    dialog.reject();
    return dialog.result();
  });
  DragFrom(140, 120, dropOnB);
  EXPECT_EQ(project.LinkCount(), 0);
  EXPECT_EQ(At(a), QPoint(100, 100));
  EXPECT_EQ(At(b), QPoint(300, 100));

  dialogs.ExpectModal([](QDialog& dialog) {
    auto& form = dynamic_cast<TNewLinkForm&>(dialog);
    EXPECT_EQ(form.FromNote->Title(), "A");
    EXPECT_EQ(form.ToNote->Title(), "B");
    form.SP_LinkWidth->setValue(3);
    form.SetPanelColor(0x00FF00);
    form.BTN_OkClick();
    return dialog.result();
  });
  DragFrom(140, 120, dropOnB);
  EXPECT_TRUE(dialogs.Done());
  ASSERT_EQ(project.LinkCount(), 1);
  const TLinkItem* link = project.GetLink(0);
  EXPECT_EQ(link->FromNote(), a);
  EXPECT_EQ(link->ToNote(), b);
  EXPECT_EQ(link->Sheet(), sheet);
  EXPECT_EQ(link->Width(), 3);
  EXPECT_EQ(link->Color(), 0x00FF00);
  EXPECT_EQ(link->ArrowStyle(), 2);
  EXPECT_EQ(At(a), QPoint(100, 100)) << "the dragged note stays";
}

TEST_P(SheetDropTest, TheNewNoteTileMakesANoteWhereItIsDropped) {
  TDragNewNote tile;
  const std::int32_t notes = project.NoteCount();
  EXPECT_TRUE(Over(tile, 600, 500, TState::Enter));
  EXPECT_TRUE(DropAt(tile, 600, 500));
  ASSERT_EQ(project.NoteCount(), notes + 1);
  TNoteItem* made = project.GetNote(notes);
  EXPECT_EQ(At(made), QPoint(600, 500));
  EXPECT_TRUE(made->IsPlacedOn(sheet));
}

INSTANTIATE_TEST_SUITE_P(Zooms, SheetDropTest, ::testing::Values(100, 50),
                         [](const auto& info) { return "Zoom" + std::to_string(info.param); });

TEST(DragObjects, ListsAndOffsetsKeepToTheirBounds) {
  TContainer project;
  TSheetItem* sheet = projecttest::NewSheet(project, "S");
  TNoteItem* placed = projecttest::NewNote(project, "P");
  TNoteItem* loose = projecttest::NewNote(project, "L");
  projecttest::NewPosition(project, placed, sheet, 40, 70);
  TDragNotes drag(nullptr);
  drag.AssignItems({placed, loose});
  EXPECT_EQ(drag.ItemCount(), 2u);
  EXPECT_EQ(drag.ItemAt(2), nullptr);
  drag.InsertItem(3, placed);
  EXPECT_EQ(drag.ItemCount(), 2u) << "beyond the end nothing is inserted";
  drag.InsertItem(2, placed);
  EXPECT_EQ(drag.ItemAt(2), placed);
  drag.AssignItems({placed, loose});
  EXPECT_EQ(drag.ItemCount(), 2u) << "assigning empties the list first";
  EXPECT_EQ(drag.OffsetX(0), -1) << "offsets never set";
  drag.SetOffsets(sheet, 50, 50);
  EXPECT_EQ(drag.OffsetX(0), -10);
  EXPECT_EQ(drag.OffsetY(0), 20);
  EXPECT_EQ(drag.OffsetX(1), 0) << "no position on the sheet";
  EXPECT_EQ(drag.OffsetY(1), 0);
  EXPECT_EQ(drag.OffsetX(2), -1);
}

}  // namespace
