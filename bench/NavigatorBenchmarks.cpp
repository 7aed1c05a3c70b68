// The navigator's tree for the generated projects of 10,000 and 100,000
// notes: building it whole (Rebuild, which first deletes the previous build
// with its records), and renaming and deleting one item, which touch only
// that item's nodes.

#include "bench/ProjectGenerator.h"

#include "bench/QtBenchmarkMain.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/TreeNodePool.h"
#include "navigator/NavTree.h"
#include "platform/ImageList.h"
#include "project/Container.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

TProjectShape ShapeFor(std::int32_t notes) {
  TProjectShape shape;
  shape.Notes = notes;
  if (notes == 100000) {
    shape.HubNoteLinks = 1000;
    shape.CrowdedSheetPositions = 10000;
    shape.BusyRelationLinks = 50000;
  }
  return shape;
}

TContainer& Project(std::int32_t notes) {
  static std::map<std::int32_t, std::unique_ptr<TContainer>> projects;
  std::unique_ptr<TContainer>& project = projects[notes];
  if (!project) {
    project = std::make_unique<TContainer>();
    project->SetFileName("/bench/Generated.qoz");
    TProjectGenerator(ShapeFor(notes)).Build(*project);
  }
  return *project;
}

const TImageList& Icons() {
  static const TImageList icons = [] {
    TImageList list;
    for (int i = 0; i < 9; ++i) {
      QPixmap pixmap(16, 16);
      pixmap.fill(QColor(25 * i, 100, 100));
      list.Add(QIcon(pixmap));
    }
    return list;
  }();
  return icons;
}

void BM_NavTreeRebuild(benchmark::State& state) {
  TContainer& project = Project(static_cast<std::int32_t>(state.range(0)));
  QTreeWidget view;
  view.resize(300, 800);
  view.show();
  TNavTree tree(Icons());
  tree.Load(&project, &view);
  for (auto _ : state) tree.Rebuild();
  state.counters["nodes"] =
      static_cast<double>(project.SheetTreePool().Count() + project.NoteTreePool().Count() +
                          project.PosTreePool().Count() + project.AttachTreePool().Count());
}
BENCHMARK(BM_NavTreeRebuild)
    ->ArgName("notes")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MinWarmUpTime(0.5);

// A note placed on a sheet: its node under "Notes" and its node under the
// sheet are renamed.
void BM_NavTreeRenameNote(benchmark::State& state) {
  TContainer& project = Project(static_cast<std::int32_t>(state.range(0)));
  QTreeWidget view;
  TNavTree tree(Icons());
  tree.Load(&project, &view);
  TNoteItem* note = project.GetNote(project.NoteCount() / 2);
  const std::string title = note->Title();
  int round = 0;
  for (auto _ : state) note->SetTitle(title + ((++round % 2) ? " (renamed)" : ""));
  note->SetTitle(title);
}
BENCHMARK(BM_NavTreeRenameNote)
    ->ArgName("notes")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

// Taking a note off a sheet and putting it back: its node under the sheet
// goes through its record and comes back through AddPositionNode.
void BM_NavTreeDeleteAndAddPosition(benchmark::State& state) {
  TContainer& project = Project(static_cast<std::int32_t>(state.range(0)));
  QTreeWidget view;
  TNavTree tree(Icons());
  tree.Load(&project, &view);
  TNoteItem* note = project.GetNote(project.NoteCount() / 2);
  for (auto _ : state) {
    TPosItem* position = static_cast<TPosItem*>(note->Positions().GetMember(0));
    TPosition record = position->Record();
    position->Delete();
    tree.AddPositionNode(project.AddPosition(record));
  }
}
BENCHMARK(BM_NavTreeDeleteAndAddPosition)
    ->ArgName("notes")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QApplication>(argc, argv); }
