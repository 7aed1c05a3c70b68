#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"
#include "sheetwindow/PaintBox.h"
#include "sheetwindow/SheetForm.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::ElementsAre;

namespace {

// A sheet window 400 x 300 on a 1000 x 800 sheet at zoom 100.
class SheetFormTest : public ::testing::Test {
 protected:
  SheetFormTest() {
    sheet = projecttest::NewSheet(project, "Plan", 1000, 800);
    sheet->SetZoom(100);
    sheet->SetColor(0xF0E0D0);  // blue F0, green E0, red D0
  }

  TDrawSheet& Open() {
    window.resize(400, 300);
    window.OpenSheet(&project, sheet);
    window.show();
    window.Refresh(false);
    return window;
  }

  TNoteItem* Place(const char* title, std::int32_t x, std::int32_t y) {
    TNoteItem* note = projecttest::NewNote(project, title);
    projecttest::NewPosition(project, note, sheet, x, y);
    return note;
  }

  // What the paint surface shows.
  QImage Shown() { return window.PB_Sheet->grab().toImage(); }

  TContainer project;
  TSheetItem* sheet = nullptr;
  qoztest::TScriptedDialogs dialogs;
  TDrawSheet window;
};

TEST_F(SheetFormTest, RefreshPaintsTheSheetItsGridAndItsNotesWhereTheyBelong) {
  TNoteItem* note = Place("Budget", 100, 60);
  note->SetColor(0x00FFFF);  // yellow
  sheet->SetGridSize(10);
  project.SetShowGrid(true);
  Open();
  const QImage shown = Shown();
  // The picture is shown one pixel up and to the left: world (x, y) is at
  // (x - 1, y - 1) of the surface.
  EXPECT_EQ(shown.pixel(300, 200), qRgb(0xD0, 0xE0, 0xF0));
  EXPECT_EQ(shown.pixel(9, 9), qRgb(0, 0, 0));  // the grid dot at (10, 10)
  EXPECT_EQ(shown.pixel(10, 9), qRgb(0xD0, 0xE0, 0xF0));
  EXPECT_EQ(shown.pixel(99, 59), qRgb(0, 0, 0));       // the note's outline
  EXPECT_EQ(shown.pixel(170, 95), qRgb(255, 255, 0));  // inside it, right of the title
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Worksheet - Plan (100%)"));
  EXPECT_EQ(window.PB_Sheet->size(), QSize(1000, 800));
}

// A grid of no size or a negative one has no dots to draw, and must not be
// walked for ever either.
TEST_F(SheetFormTest, AGridOfNoSizeDrawsNoDots) {
  project.SetShowGrid(true);
  for (const std::int32_t size : {0, -5}) {
    sheet->SetGridSize(size);
    Open();
    const QImage shown = Shown();
    const QSize visible = window.SB_Sheet->viewport()->size();
    QPoint other(-1, -1);
    for (int y = 0; y < visible.height() && other.x() < 0; ++y) {
      for (int x = 0; x < visible.width() && other.x() < 0; ++x) {
        if (shown.pixel(x, y) != qRgb(0xD0, 0xE0, 0xF0)) other = QPoint(x, y);
      }
    }
    EXPECT_EQ(other, QPoint(-1, -1)) << "grid size " << size;
  }
}

// Ctrl with the wheel zooms by the zoom commands' step; the wheel alone scrolls.
TEST_F(SheetFormTest, CtrlWithTheWheelZooms) {
  Open();
  const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at(50, 50);
    QWheelEvent event(at, window.SB_Sheet->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.SB_Sheet->viewport(), &event);
  };
  wheel(120, Qt::ControlModifier);
  EXPECT_EQ(sheet->Zoom(), 110);
  wheel(-120, Qt::ControlModifier);
  wheel(-120, Qt::ControlModifier);
  EXPECT_EQ(sheet->Zoom(), 90);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Worksheet - Plan (90%)"));
  wheel(-120, Qt::NoModifier);
  EXPECT_EQ(sheet->Zoom(), 90);
  EXPECT_GT(window.SB_Sheet->verticalScrollBar()->value(), 0);
}

TEST_F(SheetFormTest, ScrollingShowsTheSheetFurtherOn) {
  Place("Far", 700, 500);
  project.SetShowGrid(false);
  Open();
  window.SB_Sheet->horizontalScrollBar()->setValue(500);
  window.SB_Sheet->verticalScrollBar()->setValue(400);
  window.Refresh(false);
  EXPECT_EQ(window.OffCanvas->OriginX(), -500);
  EXPECT_EQ(window.OffCanvas->OriginY(), -400);
  // The note's top-left corner (700, 500) is 200, 100 into the visible part.
  const QImage part = window.OffImage;
  EXPECT_EQ(part.pixel(200, 100), qRgb(0, 0, 0));
  EXPECT_EQ(part.pixel(199, 99), qRgb(0xD0, 0xE0, 0xF0));
}

TEST_F(SheetFormTest, ZoomStopsAtItsLimitsAndTheCaptionFollows) {
  Open();
  window.ZoomSheetTo(10000);
  window.ZoomInSheet();
  EXPECT_EQ(sheet->Zoom(), 10000);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Worksheet - Plan (10000%)"));
  window.ZoomSheetTo(10);
  window.ZoomOutSheet();
  EXPECT_EQ(sheet->Zoom(), 10);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Worksheet - Plan (10%)"));
  EXPECT_EQ(window.PaintCanvas->ZoomPercent(), 10);
  EXPECT_EQ(window.PB_Sheet->size(), QSize(100, 80));
}

TEST_F(SheetFormTest, TheZoomSelectorFollowsTheRangesAndIgnoresWhatLiesBeyond) {
  const std::pair<int, int> cases[] = {{200, 0}, {101, 0}, {100, 1}, {81, 1}, {80, 2}, {61, 2},
                                       {60, 3},  {41, 3},  {40, 4},  {21, 4}, {20, 5}, {0, 5}};
  for (const auto& [zoom, index] : cases) {
    EXPECT_EQ(TDrawSheet::ZoomSelectorIndex(zoom), index) << zoom;
  }
  EXPECT_EQ(TDrawSheet::ZoomSelectorIndex(201), std::nullopt);
  EXPECT_EQ(TDrawSheet::ZoomSelectorIndex(-1), std::nullopt);
  QComboBox selector;
  for (const char* entry : {"200%", "100%", "80%", "60%", "40%", "20%"}) {
    selector.addItem(QString::fromUtf8(entry));
  }
  selector.setCurrentIndex(3);
  int changes = 0;
  QObject::connect(&selector, &QComboBox::currentIndexChanged, [&] { ++changes; });
  window.ZoomSelector = &selector;
  Open();
  window.ZoomSheetTo(250);
  EXPECT_EQ(selector.currentIndex(), 3);
  window.ZoomSheetTo(40);
  EXPECT_EQ(selector.currentIndex(), 4);
  EXPECT_EQ(changes, 0);  // set quietly, so that it does not zoom again
}

TEST_F(SheetFormTest, DeleteTakesALinkWithoutAskingAndNotesOffThisSheetAfterOneQuestion) {
  TNoteItem* a = Place("A", 10, 10);
  TNoteItem* b = Place("B", 300, 10);
  TRelationItem* relation = projecttest::NewRelation(project, "leads to");
  TLinkItem* link = projecttest::NewLink(project, a, b, sheet, relation);
  projecttest::NewLink(project, b, a, sheet, relation);
  Open();
  window.View->SelectLink(link);
  window.FormKeyDown(Qt::Key_Delete);
  EXPECT_EQ(project.LinkCount(), 1);
  EXPECT_EQ(window.View->SelectedLink(), nullptr);
  EXPECT_TRUE(dialogs.Transcript().empty());

  window.View->SelectNote(a);
  window.View->SelectNote(b);
  dialogs.ExpectMessage(TMessageAnswer::No);
  window.FormKeyDown(Qt::Key_Delete);
  EXPECT_EQ(project.PositionCount(), 2);
  dialogs.ExpectMessage(TMessageAnswer::Yes);
  window.FormKeyDown(Qt::Key_Delete);
  EXPECT_THAT(dialogs.Messages(),
              ElementsAre(QStringLiteral("Are you sure about deleting the selected notes ?"),
                          QStringLiteral("Are you sure about deleting the selected notes ?")));
  EXPECT_EQ(dialogs.Transcript()[0].Buttons, TMessageButtons::YesNo);
  EXPECT_EQ(project.PositionCount(), 0);
  EXPECT_EQ(project.NoteCount(), 2);
  EXPECT_EQ(project.LinkCount(), 1);
  EXPECT_TRUE(window.View->SelectedNotes().empty());
}

// The related notes that are not placed here land below the note, 20 units
// apart plus their widths and 25 lower each, in the order of its links.
TEST_F(SheetFormTest, ExpandPlacesTheRelatedNotesInAStaircaseOnce) {
  TNoteItem* centre = Place("Centre", 400, 100);  // 80 x 50
  TSheetItem* other = projecttest::NewSheet(project, "Other");
  TRelationItem* relation = projecttest::NewRelation(project, "leads to");
  TNoteItem* source = projecttest::NewNote(project, "Source", 100, 40);
  TNoteItem* target = projecttest::NewNote(project, "Target", 60, 40);
  TNoteItem* unplaced = projecttest::NewNote(project, "Unplaced", 80, 40);
  projecttest::NewPosition(project, unplaced, sheet, -1, -1);
  projecttest::NewLink(project, source, centre, other, relation);
  projecttest::NewLink(project, centre, target, other, relation);
  projecttest::NewLink(project, centre, unplaced, other, relation);
  Open();
  window.View->SelectNote(centre);
  window.UpdatePopupMenu();
  EXPECT_TRUE(window.MI_Expand->isEnabled());
  window.MI_ExpandClick();
  // f = 100 + 60 = 160 (the unplaced note has a position here), g = 2:
  // x = 440 - 80 - 10 = 350; row 200.
  const auto at = [&](TNoteItem* note) {
    const TPosItem* position = project.PositionOf(note, sheet);
    return std::make_pair(position->X(), position->Y());
  };
  EXPECT_EQ(at(source), std::make_pair(350, 200));
  EXPECT_EQ(at(target), std::make_pair(450, 200));    // m = 0 again, x moved by 100
  EXPECT_EQ(at(unplaced), std::make_pair(530, 225));  // m = 1, x moved by 60
  const std::int32_t positions = project.PositionCount();
  window.MI_ExpandClick();  // all placed now: nothing moves or is added
  EXPECT_EQ(project.PositionCount(), positions);
  EXPECT_EQ(at(source), std::make_pair(350, 200));
}

TEST_F(SheetFormTest, ThePopupMenuFollowsTheSelection) {
  TNoteItem* a = Place("A", 10, 10);
  TNoteItem* b = Place("B", 300, 10);
  TSheetItem* inner = projecttest::NewSheet(project, "Inner");
  TNoteItem* aggregation = projecttest::NewAggregationNote(project, inner);
  projecttest::NewPosition(project, aggregation, sheet, 10, 300);
  TLinkItem* link =
      projecttest::NewLink(project, a, b, sheet, projecttest::NewRelation(project, "x"));
  Open();
  EXPECT_TRUE(window.MI_AllLinks->isChecked());
  EXPECT_FALSE(window.MI_Expand->isEnabled());
  EXPECT_FALSE(window.MI_LineStyle->isVisible());
  window.View->SelectNote(a);
  window.Refresh(false);
  EXPECT_TRUE(window.MI_Expand->isEnabled());
  window.View->SelectNote(b);
  window.Refresh(false);
  EXPECT_FALSE(window.MI_Expand->isEnabled());  // two notes
  window.View->ClearSelection();
  window.View->SelectNote(aggregation);
  window.Refresh(false);
  EXPECT_FALSE(window.MI_Expand->isEnabled());  // not an ordinary note
  window.View->SelectLink(link);
  window.Refresh(false);
  EXPECT_TRUE(window.MI_LineStyle->isVisible());
  EXPECT_FALSE(window.MI_LineStyle->isChecked());  // links start straight
  window.MI_LineStyleClick();
  EXPECT_EQ(link->LineStyle(), 0);
  EXPECT_TRUE(window.MI_LineStyle->isChecked());
  window.MI_AllLinks->setChecked(false);
  window.MI_AllLinksClick();
  EXPECT_FALSE(window.View->ShowAllRelations());
}

}  // namespace
