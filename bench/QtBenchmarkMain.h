#pragma once

#include "base/MemoryTuning.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

// The whole main of a benchmark program that draws or builds windows: the
// programs' allocator settings, Qt on its offscreen platform (TApplication is
// QGuiApplication or QApplication), then the benchmarks the arguments ask for.
template <typename TApplication>
int RunQtBenchmarks(int argc, char** argv) {
  StartWithHugePageHeap(argv);
  KeepFreedMemoryForReuse();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
