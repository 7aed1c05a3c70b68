// Drawing and hit tests on one generated sheet of 20,000 x 20,000 units with
// 2,000 notes (one in ten with a picture or a logo) and 3,000 links:
//   - DrawSheet of a window-sized view (1920 x 1080) at zoom 100, at four
//     places of the sheet in turn;
//   - DrawSheet of the whole sheet at zoom 10, into a 1920 x 1080 image and
//     into a 2000 x 2000 one that shows every item;
//   - NoteAt and LinkAt at zoom 100, at points that hit and points that miss.
// Pictures are decoded on the first drawing and kept; the first iteration's
// cost is part of the warm-up, not of the figures.

#include "bench/ProjectGenerator.h"

#include "bench/QtBenchmarkMain.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "platform/PainterCanvas.h"
#include "project/Container.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TDrawingProject {
  fs::path Folder;
  std::unique_ptr<TContainer> Project;
  TSheetItem* Sheet = nullptr;

  ~TDrawingProject() {
    Project.reset();
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }
};

void WritePictures(const fs::path& folder) {
  QImage picture(240, 160, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.fillRect(picture.rect(), QColor(70, 130, 180));
  painter.fillRect(QRect(20, 20, 200, 60), QColor(250, 220, 120));
  painter.end();
  picture.save(QString::fromStdString((folder / "picture.png").string()));
  QImage logo(32, 32, QImage::Format_ARGB32);
  logo.fill(QColor(200, 30, 30));
  logo.save(QString::fromStdString((folder / "logo.png").string()));
}

TDrawingProject& Drawing() {
  static const std::unique_ptr<TDrawingProject> drawing = [] {
    auto made = std::make_unique<TDrawingProject>();
    TDrawingProject& m = *made;
    m.Folder = fs::temp_directory_path() / ("qoz-bench-render-" + std::to_string(::getpid()));
    fs::create_directories(m.Folder);
    WritePictures(m.Folder);
    TDrawingShape shape;
    shape.PictureFile = (m.Folder / "picture.png").string();
    shape.LogoFile = (m.Folder / "logo.png").string();
    m.Project = std::make_unique<TContainer>();
    TProjectGenerator(TProjectShape{}).BuildDrawing(*m.Project, shape);
    m.Sheet = m.Project->GetSheet(0);
    return made;
  }();
  return *drawing;
}

// One image with its canvases, as a sheet window keeps them.
struct TSurface {
  TSurface(int width, int height, std::int32_t zoom)
      : Image(width, height, QImage::Format_RGB32), Target(Image), Canvas(Target) {
    Image.fill(Qt::white);
    Canvas.SetZoom(zoom);
  }
  QImage Image;
  TPainterCanvas Target;
  TVCanvas Canvas;
};

void BM_DrawSheetWindowView(benchmark::State& state) {
  TDrawingProject& drawing = Drawing();
  TSurface surface(1920, 1080, 100);
  TSheetView view(*drawing.Project, drawing.Sheet, surface.Canvas);
  const std::int32_t origins[][2] = {{0, 0}, {-9000, -9000}, {-15000, -4000}, {-3000, -17000}};
  std::size_t next = 0;
  for (auto _ : state) {
    surface.Canvas.SetOriginX(origins[next][0]);
    surface.Canvas.SetOriginY(origins[next][1]);
    next = (next + 1) % std::size(origins);
    view.DrawSheet();
  }
}
BENCHMARK(BM_DrawSheetWindowView)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.2);

void BM_DrawWholeSheetAtZoom10(benchmark::State& state) {
  TDrawingProject& drawing = Drawing();
  TSurface surface(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 10);
  TSheetView view(*drawing.Project, drawing.Sheet, surface.Canvas);
  for (auto _ : state) view.DrawSheet();
}
BENCHMARK(BM_DrawWholeSheetAtZoom10)
    ->Args({1920, 1080})
    ->Args({2000, 2000})
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.2);

enum TProbe { kSpread, kInNotes, kOnLinks };

// Points spread over the sheet on a fixed diagonal mostly miss, which walks
// every position and every link; points just inside notes hit those notes,
// and the centres of links' source notes hit those links.
std::vector<std::pair<std::int32_t, std::int32_t>> ProbePoints(std::int64_t probe) {
  std::vector<std::pair<std::int32_t, std::int32_t>> points;
  TDrawingProject& drawing = Drawing();
  for (std::int32_t i = 0; i < 64; ++i) {
    if (probe == kInNotes) {
      const TPosItem* position = drawing.Project->GetPosition(i * 31);
      points.emplace_back(position->X() + 2, position->Y() + 2);
    } else if (probe == kOnLinks) {
      const TNoteItem* from = drawing.Project->GetLink(i * 46)->FromNote();
      const TPosItem* position = from->LastPositionOn(drawing.Sheet);
      points.emplace_back(position->X() + from->Width() / 2, position->Y() + from->Height() / 2);
    } else {
      points.emplace_back(137 + i * 311, 19871 - i * 297);
    }
  }
  return points;
}

void BM_NoteAt(benchmark::State& state) {
  TDrawingProject& drawing = Drawing();
  TSurface surface(16, 16, 100);
  const TSheetView view(*drawing.Project, drawing.Sheet, surface.Canvas);
  const auto points = ProbePoints(state.range(0));
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(view.NoteAt(points[next].first, points[next].second));
    next = (next + 1) % points.size();
  }
}
BENCHMARK(BM_NoteAt)->ArgName("probe")->Arg(kSpread)->Arg(kInNotes)->Unit(benchmark::kMicrosecond);

void BM_LinkAt(benchmark::State& state) {
  TDrawingProject& drawing = Drawing();
  TSurface surface(16, 16, 100);
  const TSheetView view(*drawing.Project, drawing.Sheet, surface.Canvas);
  const auto points = ProbePoints(state.range(0));
  std::size_t next = 0;
  std::int64_t found = 0;
  for (auto _ : state) {
    found += view.LinkAt(points[next].first, points[next].second) != nullptr;
    next = (next + 1) % points.size();
  }
  state.counters["found"] =
      benchmark::Counter(static_cast<double>(found) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_LinkAt)->ArgName("probe")->Arg(kSpread)->Arg(kOnLinks)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QGuiApplication>(argc, argv); }
