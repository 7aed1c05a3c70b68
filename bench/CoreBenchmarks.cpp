// Load, save and delete on generated projects of 1,000, 10,000 and 100,000
// notes, each beside a baseline that does the same file work without items:
// reading the six data files and splitting them into lines and fields, and
// writing the saved bytes with the save's own flush to the disk. The ratios
// between them measure our parsing and serialisation, not the disk.
//
// The projects are generated and saved once into a temporary folder, which
// is removed at exit. A summary of the ratios, computed from the medians,
// follows the table.

#include "bench/ProjectGenerator.h"

#include "base/MemoryTuning.h"

#include "model/NoteItem.h"
#include "model/RelationItem.h"
#include "model/SheetItem.h"
#include "project/Container.h"
#include "project/DataFileSet.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Joins texts. (GCC 12 at -O3 warns falsely about "literal" + std::string.)
std::string Cat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

constexpr const char* kSuffixes[] = {"_Att", "_Not", "_Pos", "_Lnk", "_Sht", "_Rel"};
constexpr std::int32_t kLargest = 100000;
constexpr int kRepetitions = 5;

// The special cases live in the largest project only; they change its
// record counts by about one percent.
TProjectShape ShapeFor(std::int32_t notes) {
  TProjectShape shape;
  shape.Notes = notes;
  if (notes == kLargest) {
    shape.HubNoteLinks = 1000;
    shape.CrowdedSheetPositions = 10000;
    shape.BusyRelationLinks = 50000;
  }
  return shape;
}

// ---------------------------------------------------------------------------
// The generated projects

class TBenchFolder {
 public:
  TBenchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qoz-bench-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
      throw std::runtime_error(Cat({"cannot create a temporary folder: ", std::strerror(errno)}));
    }
    path_ = pattern;
  }
  ~TBenchFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
  }
  TBenchFolder(const TBenchFolder&) = delete;
  TBenchFolder& operator=(const TBenchFolder&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::unique_ptr<TBenchFolder> benchFolder;

const fs::path& Folder() {
  if (!benchFolder) benchFolder = std::make_unique<TBenchFolder>();
  return benchFolder->Path();
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(Cat({"cannot read ", path.string()}));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct TSavedFile {
  std::string Name;  // without directory
  std::string Bytes;
};

struct TGeneratedProject {
  std::int32_t Notes = 0;
  std::string FileName;                // the project file
  std::vector<std::string> DataFiles;  // the six data files
  std::vector<TSavedFile> Saved;       // every file the save wrote, project file first
  std::int64_t DataBytes = 0;          // the six data files together
  std::int32_t Positions = 0;
  std::int32_t Links = 0;
  std::int32_t Attachments = 0;
};

const TGeneratedProject& Project(std::int32_t notes) {
  static std::map<std::int32_t, TGeneratedProject> projects;
  auto found = projects.find(notes);
  if (found != projects.end()) return found->second;

  TGeneratedProject project;
  project.Notes = notes;
  const fs::path dir = Folder() / Cat({"p", std::to_string(notes)});
  fs::create_directories(dir);
  project.FileName = (dir / Cat({"Bench", std::to_string(notes), ".qoz"})).string();
  {
    TContainer container;
    TProjectGenerator generator(ShapeFor(notes));
    generator.Build(container);
    container.SaveProject(project.FileName);
    project.Positions = container.PositionCount();
    project.Links = container.LinkCount();
    project.Attachments = container.AttachmentCount();
  }
  const TDataFileSet files(project.FileName);
  project.Saved.push_back(
      {fs::path(project.FileName).filename().string(), ReadWhole(project.FileName)});
  for (const char* suffix : kSuffixes) {
    const std::string name = files.NameFor(suffix);
    project.DataFiles.push_back(name);
    project.Saved.push_back({fs::path(name).filename().string(), ReadWhole(name)});
    project.DataBytes += static_cast<std::int64_t>(project.Saved.back().Bytes.size());
  }
  return projects.emplace(notes, std::move(project)).first->second;
}

void SetProjectCounters(benchmark::State& state, const TGeneratedProject& project) {
  state.counters["data_MiB"] = static_cast<double>(project.DataBytes) / (1024.0 * 1024.0);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * project.DataBytes);
  state.SetItemsProcessed(
      static_cast<std::int64_t>(state.iterations()) *
      (project.Notes + project.Positions + project.Links + project.Attachments));
}

// ---------------------------------------------------------------------------
// Load and its baseline

long MinorFaults() {
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

void BM_Load(benchmark::State& state) {
  const TGeneratedProject& project = Project(static_cast<std::int32_t>(state.range(0)));
  long faults = 0;
  for (auto _ : state) {
    const long faultsBefore = MinorFaults();
    auto container = std::make_unique<TContainer>();
    container->OpenProject(project.FileName);
    benchmark::DoNotOptimize(container->NoteCount());
    // Discarding a project is not part of loading it.
    state.PauseTiming();
    faults += MinorFaults() - faultsBefore;
    container.reset();
    state.ResumeTiming();
  }
  SetProjectCounters(state, project);
  // Pages the load touched for the first time (the allocator hands memory
  // back between iterations); each costs a trip into the kernel.
  state.counters["page_faults"] =
      benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

// Reads a file through a 1 MiB buffer as the data-file reader does, splits it
// into lines (CR LF or LF) and the lines into fields at 0xFF, and touches
// every field.
std::int64_t SplitFile(const std::string& fileName) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) throw std::runtime_error(Cat({"cannot open ", fileName}));
  std::string buffer(1 << 20, '\0');
  std::size_t start = 0;
  std::size_t end = 0;
  std::int64_t touched = 0;
  auto line = [&touched](std::string_view text) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    for (;;) {
      const std::size_t separator = text.find('\xFF');
      const std::string_view field = text.substr(0, separator);
      touched += static_cast<std::int64_t>(field.size()) + 1;
      benchmark::DoNotOptimize(field.data());
      if (separator == std::string_view::npos) break;
      text.remove_prefix(separator + 1);
    }
  };
  for (;;) {
    if (start > 0) {
      std::memmove(buffer.data(), buffer.data() + start, end - start);
      end -= start;
      start = 0;
    }
    if (buffer.size() - end < buffer.size() / 2) buffer.resize(buffer.size() * 2);
    const std::size_t got = std::fread(buffer.data() + end, 1, buffer.size() - end, file);
    end += got;
    for (;;) {
      const void* newline = std::memchr(buffer.data() + start, '\n', end - start);
      if (!newline) break;
      const auto stop = static_cast<std::size_t>(static_cast<const char*>(newline) - buffer.data());
      line(std::string_view(buffer.data() + start, stop - start));
      start = stop + 1;
    }
    if (got == 0) break;
  }
  if (start < end) line(std::string_view(buffer.data() + start, end - start));
  std::fclose(file);
  return touched;
}

void BM_BaselineRead(benchmark::State& state) {
  const TGeneratedProject& project = Project(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    std::int64_t touched = 0;
    for (const std::string& fileName : project.DataFiles) touched += SplitFile(fileName);
    benchmark::DoNotOptimize(touched);
  }
  SetProjectCounters(state, project);
}

// ---------------------------------------------------------------------------
// Save and its baseline

TContainer& LoadedProject(std::int32_t notes) {
  static std::map<std::int32_t, std::unique_ptr<TContainer>> loaded;
  std::unique_ptr<TContainer>& container = loaded[notes];
  if (!container) {
    container = std::make_unique<TContainer>();
    container->OpenProject(Project(notes).FileName);
  }
  return *container;
}

void BM_Save(benchmark::State& state) {
  const auto notes = static_cast<std::int32_t>(state.range(0));
  const TGeneratedProject& project = Project(notes);
  TContainer& container = LoadedProject(notes);
  const fs::path dir = Folder() / Cat({"save", std::to_string(notes)});
  fs::create_directories(dir);
  const std::string target = (dir / fs::path(project.FileName).filename()).string();
  // Every timed save replaces files, as a user's save does.
  container.SaveProject(target);
  for (auto _ : state) {
    container.SaveProject(target);
  }
  SetProjectCounters(state, project);
}

void WriteFlushed(const std::string& fileName, const std::string& bytes) {
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) throw std::runtime_error(Cat({"cannot create ", fileName}));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                       std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
  if (std::fclose(file) != 0 || !written)
    throw std::runtime_error(Cat({"cannot write ", fileName}));
}

// Writes the bytes of every file the save wrote (the project file and the six
// data files) the way the save does: each to a temporary name, flushed to the
// disk, then all renamed over their targets.
void BaselineWrite(const std::vector<TSavedFile>& saved, const fs::path& dir) {
  std::vector<std::pair<std::string, std::string>> renames;
  for (const TSavedFile& file : saved) {
    const std::string target = (dir / file.Name).string();
    const std::string staged = target + ".saving";
    WriteFlushed(staged, file.Bytes);
    renames.emplace_back(staged, target);
  }
  for (const auto& [staged, target] : renames) {
    if (std::rename(staged.c_str(), target.c_str()) != 0) {
      throw std::runtime_error(Cat({"cannot rename ", staged}));
    }
  }
}

void BM_BaselineWrite(benchmark::State& state) {
  const auto notes = static_cast<std::int32_t>(state.range(0));
  const TGeneratedProject& project = Project(notes);
  const fs::path dir = Folder() / Cat({"base", std::to_string(notes)});
  fs::create_directories(dir);
  BaselineWrite(project.Saved, dir);
  for (auto _ : state) {
    BaselineWrite(project.Saved, dir);
  }
  SetProjectCounters(state, project);
}

// ---------------------------------------------------------------------------
// Deleting from the largest project. Every iteration deletes from a freshly
// loaded copy; only the delete and the indexed accesses after it are timed,
// so that the lazy closing of holes in the pools is paid inside.

template <typename Pick, typename Check>
void DeleteFromFreshProject(benchmark::State& state, Pick pick, Check check) {
  const TGeneratedProject& project = Project(kLargest);
  std::int64_t linksRemoved = 0;
  std::int64_t positionsRemoved = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto container = std::make_unique<TContainer>();
    container->OpenProject(project.FileName);
    TPoolItem* victim = pick(*container);
    if (const char* problem = check(victim)) {
      state.SkipWithError(problem);
      break;
    }
    const std::int32_t linksBefore = container->LinkCount();
    const std::int32_t positionsBefore = container->PositionCount();
    state.ResumeTiming();

    victim->Delete();
    benchmark::DoNotOptimize(container->LinkCount());
    benchmark::DoNotOptimize(container->GetLink(0));
    benchmark::DoNotOptimize(container->PositionCount());
    benchmark::DoNotOptimize(container->GetPosition(0));
    benchmark::DoNotOptimize(container->NoteCount());
    benchmark::DoNotOptimize(container->GetNote(0));
    benchmark::DoNotOptimize(container->SheetCount());
    benchmark::DoNotOptimize(container->GetSheet(0));
    benchmark::DoNotOptimize(container->AttachmentCount());
    benchmark::DoNotOptimize(container->GetAttachment(0));
    benchmark::DoNotOptimize(container->RelationCount());
    benchmark::DoNotOptimize(container->GetRelation(0));

    state.PauseTiming();
    linksRemoved = linksBefore - container->LinkCount();
    positionsRemoved = positionsBefore - container->PositionCount();
    container.reset();
    state.ResumeTiming();
  }
  state.counters["links_removed"] = static_cast<double>(linksRemoved);
  state.counters["positions_removed"] = static_cast<double>(positionsRemoved);
}

void BM_DeleteHubNote(benchmark::State& state) {
  DeleteFromFreshProject(
      state, [](TContainer& c) -> TPoolItem* { return c.GetNote(TProjectGenerator::kHubNote); },
      [](TPoolItem* item) -> const char* {
        auto* note = static_cast<TNoteItem*>(item);
        return note->LinkInCount() + note->LinkOutCount() == 1000
                   ? nullptr
                   : "the hub note lacks its 1,000 links";
      });
}

void BM_DeleteCrowdedSheet(benchmark::State& state) {
  DeleteFromFreshProject(
      state,
      [](TContainer& c) -> TPoolItem* { return c.GetSheet(TProjectGenerator::kCrowdedSheet); },
      [](TPoolItem* item) -> const char* {
        return static_cast<TSheetItem*>(item)->PositionCount() == 10000
                   ? nullptr
                   : "the crowded sheet lacks its 10,000 positions";
      });
}

void BM_DeleteBusyRelation(benchmark::State& state) {
  DeleteFromFreshProject(
      state,
      [](TContainer& c) -> TPoolItem* { return c.GetRelation(TProjectGenerator::kBusyRelation); },
      [](TPoolItem* item) -> const char* {
        return static_cast<TRelationItem*>(item)->LinkCount() == 50000
                   ? nullptr
                   : "the busy relation type lacks its 50,000 links";
      });
}

// ---------------------------------------------------------------------------
// Peak memory and the first load: a process of its own loads the project and
// reports the peak resident size of the process that did the loading and the
// time the load took there. (The rusage that wait4 gives back is no use
// here: a child started from this large process inherits its peak across
// exec, which is why the loader forks once more before loading.)

void BM_LoadPeak(benchmark::State& state) {
  const TGeneratedProject& project = Project(static_cast<std::int32_t>(state.range(0)));
  long reportedKiB = 0;
  double firstLoadMs = 0;
  for (auto _ : state) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    std::string program = QOZ_LOADPEAK_PATH;
    std::string argument = project.FileName;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
      ::close(pipeEnds[0]);
      state.SkipWithError("cannot start qoz_bench_loadpeak");
      break;
    }
    std::string output;
    char chunk[256];
    for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
      output.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    struct rusage usage {};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError("qoz_bench_loadpeak failed");
      break;
    }
    char* rest = nullptr;
    reportedKiB = std::strtol(output.c_str(), &rest, 10);
    firstLoadMs = std::strtod(rest, nullptr);
  }
  const double dataKiB = static_cast<double>(project.DataBytes) / 1024.0;
  state.counters["peak_KiB"] = static_cast<double>(reportedKiB);
  state.counters["data_KiB"] = dataKiB;
  state.counters["allowed_KiB"] = 2.5 * dataKiB + 30.0 * 1024.0;
  state.counters["peak_per_data"] = static_cast<double>(reportedKiB) / dataKiB;
  // A first load in a fresh process, which pays for every page it touches.
  state.counters["first_load_ms"] = firstLoadMs;
}

void Sizes(benchmark::internal::Benchmark* b) { b->Arg(1000)->Arg(10000)->Arg(kLargest); }

BENCHMARK(BM_Load)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(kRepetitions)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_BaselineRead)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(kRepetitions)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_Save)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(kRepetitions)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_BaselineWrite)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(kRepetitions)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_DeleteHubNote)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2)
    ->Repetitions(kRepetitions)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_DeleteCrowdedSheet)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2)
    ->Repetitions(kRepetitions)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_DeleteBusyRelation)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2)
    ->Repetitions(kRepetitions)
    ->DisplayAggregatesOnly();
BENCHMARK(BM_LoadPeak)->Apply(Sizes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// ---------------------------------------------------------------------------
// The summary: the console table, then the figures the project aims at,
// computed from the medians (or from the single run when there is no
// repetition). Nothing here judges them.

class TSummaryReporter : public benchmark::ConsoleReporter {
 public:
  using benchmark::ConsoleReporter::ConsoleReporter;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (!median && !single) continue;
      // Keyed by function and argument, whatever repetitions or iterations say.
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += Cat({"/", run.run_name.args});
      milliseconds_[name] =
          run.GetAdjustedRealTime() * 1000.0 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      for (const auto& [counter, value] : run.counters) counters_[name][counter] = value.value;
    }
  }

  void PrintSummary(std::ostream& out) const {
    out << "\nFigures (medians; ratios of real time)\n";
    Ratio(out, "load 100k / read-and-split baseline", "BM_Load/100000", "BM_BaselineRead/100000",
          "at most 4");
    Ratio(out, "save 100k / write baseline", "BM_Save/100000", "BM_BaselineWrite/100000",
          "at most 4");
    Ratio(out, "load 100k / load 10k", "BM_Load/100000", "BM_Load/10000", "at most 12");
    Ratio(out, "load 10k / read-and-split baseline", "BM_Load/10000", "BM_BaselineRead/10000", "");
    Ratio(out, "save 10k / write baseline", "BM_Save/10000", "BM_BaselineWrite/10000", "");
    Ratio(out, "load 1k / read-and-split baseline", "BM_Load/1000", "BM_BaselineRead/1000", "");
    Ratio(out, "save 1k / write baseline", "BM_Save/1000", "BM_BaselineWrite/1000", "");
    Ratio(out, "load 10k / load 1k", "BM_Load/10000", "BM_Load/1000", "");
    Time(out, "delete note with 1,000 links", "BM_DeleteHubNote", "at most 20 ms");
    Time(out, "delete sheet with 10,000 positions", "BM_DeleteCrowdedSheet", "at most 100 ms");
    Time(out, "delete relation type with 50,000 links", "BM_DeleteBusyRelation", "at most 500 ms");
    const auto peak = counters_.find("BM_LoadPeak/100000");
    if (peak != counters_.end()) {
      const double peakKiB = peak->second.at("peak_KiB");
      const double dataKiB = peak->second.at("data_KiB");
      out << "  peak after loading 100k: " << Fixed(peakKiB / 1024.0) << " MiB; data files "
          << Fixed(dataKiB / 1024.0) << " MiB; peak / data = " << Fixed(peakKiB / dataKiB)
          << "; (peak - 30 MiB) / data = " << Fixed((peakKiB - 30.0 * 1024.0) / dataKiB)
          << " (at most 2.5 x data + 30 MiB = " << Fixed((2.5 * dataKiB + 30.0 * 1024.0) / 1024.0)
          << " MiB)\n";
      out << "  first load of 100k in a fresh process: " << Fixed(peak->second.at("first_load_ms"))
          << " ms\n";
    }
  }

 private:
  static std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
  }

  void Ratio(std::ostream& out, const char* label, const std::string& top,
             const std::string& bottom, const char* aim) const {
    const auto a = milliseconds_.find(top);
    const auto b = milliseconds_.find(bottom);
    if (a == milliseconds_.end() || b == milliseconds_.end()) return;
    out << "  " << label << ": " << Fixed(a->second) << " ms / " << Fixed(b->second)
        << " ms = " << Fixed(a->second / b->second);
    if (*aim) out << " (" << aim << ")";
    out << "\n";
  }

  void Time(std::ostream& out, const char* label, const std::string& name, const char* aim) const {
    const auto found = milliseconds_.find(name);
    if (found == milliseconds_.end()) return;
    out << "  " << label << ": " << Fixed(found->second) << " ms (" << aim << ")\n";
  }

  std::map<std::string, double> milliseconds_;
  std::map<std::string, std::map<std::string, double>> counters_;
};

}  // namespace

int main(int argc, char** argv) {
  // Measured as the programs run it. QOZ_DEFAULT_ALLOCATOR=1 measures the C
  // library's own settings instead, for comparison.
  const char* defaultAllocator = std::getenv("QOZ_DEFAULT_ALLOCATOR");
  if (!defaultAllocator || std::string_view(defaultAllocator) != "1") {
    StartWithHugePageHeap(argv);
    KeepFreedMemoryForReuse();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  int status = 0;
  {
    TSummaryReporter reporter(::isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                      : benchmark::ConsoleReporter::OO_None);
    try {
      benchmark::RunSpecifiedBenchmarks(&reporter);
      reporter.PrintSummary(std::cout);
    } catch (const std::exception& error) {
      std::cerr << "qoz_bench_core: " << error.what() << "\n";
      status = 1;
    }
  }
  benchFolder.reset();
  benchmark::Shutdown();
  return status;
}
