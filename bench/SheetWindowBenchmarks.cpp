// A sheet window of 1920 x 1080 showing the drawing benchmark's sheet
// (20,000 x 20,000 units, 2,000 notes, 3,000 links): one repaint of its
// surface, which redraws the visible part into the window's image and puts
// it on the surface, at zoom 100 (the middle of the sheet) and at zoom 10.

#include "bench/ProjectGenerator.h"

#include "bench/QtBenchmarkMain.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "sheetwindow/PaintBox.h"
#include "sheetwindow/SheetForm.h"

#include <QApplication>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TDrawing {
  fs::path Folder;
  std::unique_ptr<TContainer> Project;
  ~TDrawing() {
    Project.reset();
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }
};

TDrawing& Drawing() {
  static const std::unique_ptr<TDrawing> drawing = [] {
    auto made = std::make_unique<TDrawing>();
    made->Folder = fs::temp_directory_path() / ("qoz-bench-window-" + std::to_string(::getpid()));
    fs::create_directories(made->Folder);
    QImage picture(240, 160, QImage::Format_RGB32);
    picture.fill(QColor(70, 130, 180));
    picture.save(QString::fromStdString((made->Folder / "picture.png").string()));
    picture.save(QString::fromStdString((made->Folder / "logo.png").string()));
    TDrawingShape shape;
    shape.PictureFile = (made->Folder / "picture.png").string();
    shape.LogoFile = (made->Folder / "logo.png").string();
    made->Project = std::make_unique<TContainer>();
    TProjectGenerator(TProjectShape{}).BuildDrawing(*made->Project, shape);
    return made;
  }();
  return *drawing;
}

// Shows the drawing's sheet at the benchmark's zoom in a 1920 x 1080 window.
void ShowSheet(TDrawSheet& window, const benchmark::State& state) {
  TDrawing& drawing = Drawing();
  TSheetItem* sheet = drawing.Project->GetSheet(0);
  sheet->SetZoom(static_cast<std::int32_t>(state.range(0)));
  window.resize(1920, 1080);
  window.OpenSheet(drawing.Project.get(), sheet);
  window.show();
  QApplication::processEvents();
}

void BM_SheetWindowRepaint(benchmark::State& state) {
  TDrawSheet window;
  ShowSheet(window, state);
  window.SB_Sheet->horizontalScrollBar()->setValue(
      window.SB_Sheet->horizontalScrollBar()->maximum() / 2);
  window.SB_Sheet->verticalScrollBar()->setValue(window.SB_Sheet->verticalScrollBar()->maximum() /
                                                 2);
  state.counters["visible"] = window.OffImage.width() * 1.0;
  for (auto _ : state) {
    window.Refresh(false);
    window.PB_Sheet->repaint();
  }
}
BENCHMARK(BM_SheetWindowRepaint)
    ->ArgName("zoom")
    ->Arg(100)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.2);

// Scrolling by a pixel to and fro: each repaint has a new origin, so no
// curve's device points can be reused.
void BM_SheetWindowScroll(benchmark::State& state) {
  TDrawSheet window;
  ShowSheet(window, state);
  QScrollBar* bar = window.SB_Sheet->verticalScrollBar();
  const int middle = bar->maximum() / 2;
  int step = 0;
  for (auto _ : state) {
    // The paint event draws the image again: it shows another part now.
    bar->setValue(middle + (step++ % 2));
    window.PB_Sheet->repaint();
  }
}
BENCHMARK(BM_SheetWindowScroll)
    ->ArgName("zoom")
    ->Arg(100)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.2);

// A new window's first picture, with nothing measured or laid out yet (the
// decoded pictures are shared and stay).
void BM_SheetWindowFirstPicture(benchmark::State& state) {
  for (auto _ : state) {
    TDrawSheet window;
    ShowSheet(window, state);
  }
}
BENCHMARK(BM_SheetWindowFirstPicture)
    ->ArgName("zoom")
    ->Arg(100)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.2);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QApplication>(argc, argv); }
