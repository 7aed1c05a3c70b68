#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "platform/PainterCanvas.h"
#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "render/SheetBackground.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace {

// A sheet whose items stand where a window's edge cuts them: a title that
// overflows from a note left of the window, a long link that crosses the
// window with both notes outside it, a label whose curve lies outside, a
// logo in an odd place outside its box, a selected note and a selected link.
class SheetViewDrawingTest : public ::testing::Test {
 protected:
  SheetViewDrawingTest() {
    sheet = projecttest::NewSheet(project, "Edges", 1600, 1200);
    const std::string picture = (folder.Path() / "picture.png").string();
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(30, 120, 200));
    image.save(QString::fromStdString(picture));
    TRelationItem* relation = projecttest::NewRelation(project, "a rather long relation name");
    TNoteItem* overflowing = Note("Left " + std::string(60, 'w'), 20, 300, 40, 60);
    TNoteItem* farLeft = Note("Far left", 10, 1000);
    TNoteItem* farRight = Note("Far right", 1500, 100);
    TNoteItem* pictured = Note("Pictured", 700, 500, 120, 80);
    pictured->SetImageFile(picture);
    TNoteItem* logo = Note("Odd logo", 380, 700, 60, 60);
    logo->SetLogoFile(picture);
    logo->SetLogoPos(29);  // ten rows down: below its box
    Note("Selected", 900, 650);
    projecttest::NewLink(project, farLeft, farRight, sheet, relation)->SetWidth(3);
    TLinkItem* curved = projecttest::NewLink(project, pictured, overflowing, sheet, relation);
    curved->SetLineStyle(0);
    projecttest::NewLink(project, logo, pictured, sheet, relation);
  }

  TNoteItem* Note(const std::string& title, std::int32_t x, std::int32_t y, std::int32_t w = 80,
                  std::int32_t h = 50) {
    TNoteItem* note = projecttest::NewNote(project, title, w, h);
    projecttest::NewPosition(project, note, sheet, x, y);
    return note;
  }

  // The sheet drawn into an image of the given size with the canvas origin
  // at minus (left, top) world units, as a sheet window draws what it shows.
  QImage Draw(int width, int height, std::int32_t zoom, std::int32_t left, std::int32_t top) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      TPainterCanvas target(image);
      TVCanvas canvas(target);
      canvas.SetZoom(zoom);
      canvas.SetOriginX(-left);
      canvas.SetOriginY(-top);
      TSheetBackground::DrawGrid(canvas, *sheet);
      TSheetView view(project, sheet, canvas);
      view.SelectNote(project.GetNote(5));
      view.SelectLink(project.GetLink(1));
      view.DrawSheet();
    }
    return image;
  }

  qoztest::TTempDir folder;
  TContainer project;
  TSheetItem* sheet = nullptr;
};

// Windows in world units (left, top; multiples of 4) with their size in
// pixels at zoom 50, each cutting through one of the items above.
struct TWindow {
  std::int32_t Left, Top;
  int Width, Height;
  const char* Cuts;
};
const TWindow kWindows[] = {
    {200, 280, 90, 90, "the overflowing title"}, {1100, 300, 100, 100, "the long link alone"},
    {400, 800, 40, 40, "the logo below its box"}, {640, 628, 20, 10, "the label's end alone"},
    {952, 680, 40, 40, "the selected note's corner"}, {600, 300, 300, 300, "the pictured note"},
};

QImage GridOnly(const TSheetItem& sheet) {
  QImage image(800, 600, QImage::Format_RGB32);
  image.fill(Qt::white);
  TPainterCanvas target(image);
  TVCanvas canvas(target);
  canvas.SetZoom(50);
  TSheetBackground::DrawGrid(canvas, sheet);
  return image;
}

// Items wholly outside the image are skipped; the picture must not change for
// it. At zoom 50 with origins that are multiples of 4 units (an even number
// of pixels, so that halves still round to the same even neighbours) a
// window's pixels are exactly those of the whole sheet's picture there.
TEST_F(SheetViewDrawingTest, AWindowShowsExactlyItsPartOfTheWholeSheet) {
  const QImage whole = Draw(800, 600, 50, 0, 0);
  const QImage grid = GridOnly(*sheet);
  for (const TWindow& w : kWindows) {
    const QRect part(w.Left / 2, w.Top / 2, w.Width, w.Height);
    EXPECT_NE(whole.copy(part), grid.copy(part)) << "nothing drawn at " << w.Cuts;
    EXPECT_EQ(Draw(w.Width, w.Height, 50, w.Left, w.Top), whole.copy(part)) << w.Cuts;
  }
}

}  // namespace
