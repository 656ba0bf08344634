// A replay of a session with 1,000 extent changes: the user pans view 3 back and forth
// (a `viewer` step moves its footprint, then the viewer raises ExtentChanged) in the set-up
// of the other benchmarks. Timed from the session in memory (reading the session file is
// not included) to the transcript's text: the world built, every step run, the transcript
// joined.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "bench/allocation_meter.h"
#include "bench/bench_counters.h"
#include "bench/bench_palette.h"
#include "replay/output/staged_file.h"
#include "replay/replayer.h"

namespace nimbo::bench {
namespace {

constexpr int kExtentChanges = 1000;

ViewerCorners Shifted(ViewerCorners corners, double by) {
  for (double& c : corners) c += by;
  return corners;
}

replay::Session PanningSession(const GeneratedDrawing& generated) {
  replay::Session session;
  session.now = automation::DateTime{2026, 12, 7, 10, 15, 30};
  session.documents.push_back(generated.AsSessionDocument(kDrawingName));
  session.activeDocument = kDrawingName;
  session.viewer = BenchViewerState(generated);
  auto step = [&session](replay::StepAction action) {
    session.steps.push_back(replay::Step{std::move(action), {}});
  };
  step(replay::ShowStep{});
  step(replay::DockStep{});
  step(replay::ActivateStep{kDrawingName});
  step(replay::EventStep{"OverlaysPermissionChanged", {automation::Variant::Bool(true)}});
  for (int k = 1; k <= kExtentChanges; ++k) {
    const std::vector<automation::Variant> args = PanArguments(generated, k);
    const double by =
        args[8].AsDouble() - GeneratedDrawing::Middle(generated.TotalExtent(kPanningView))[0];
    replay::ViewerStep pan;
    pan.change.views[kPanningView].total = Shifted(generated.TotalExtent(kPanningView), by);
    pan.change.views[kPanningView].visible = Shifted(generated.VisibleExtent(kPanningView), by);
    step(std::move(pan));
    step(replay::EventStep{"ExtentChanged", args});
  }
  return session;
}

void BM_Replay(benchmark::State& state) {
  const replay::Session session = PanningSession(DrawingOf(state.range(0)));
  size_t lines = 0;
  size_t bytes = 0;
  const HeapCount heap = Heap();
  for (auto _ : state) {
    replay::ReplayWorld world(session);
    if (const auto disagreement = replay::RunSteps(world, session)) {
      throw std::runtime_error(disagreement->message);
    }
    const std::string transcript = replay::TranscriptText(world.journal);
    lines = world.journal.Lines().size();
    bytes = transcript.size();
    if (transcript.find("\ndialog ") != std::string::npos) {
      throw std::runtime_error("the replay showed a message");
    }
  }
  const auto perIteration = benchmark::Counter::kAvgIterations;
  state.counters["allocs"] =
      benchmark::Counter(static_cast<double>(Heap().allocations - heap.allocations), perIteration);
  state.counters["transcript_lines"] = static_cast<double>(lines);
  state.counters["transcript_MB"] = static_cast<double>(bytes) / 1e6;
}
// As `nimbodock replay --transcript` runs it: the journal forwards each step's lines to a
// staged file in the temporary folder, renamed into place at the end (and removed after).
void BM_ReplayStreamed(benchmark::State& state) {
  const replay::Session session = PanningSession(DrawingOf(state.range(0)));
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("nimbo-bench-transcript-" + std::to_string(getpid()) + ".txt"))
                               .string();
  size_t lines = 0;
  size_t bytes = 0;
  const HeapCount heap = Heap();
  for (auto _ : state) {
    replay::ReplayWorld world(session);
    replay::StagedFile file(path);
    bool dialog = false;
    lines = 0;
    bytes = 0;
    world.journal.SetSink([&](const std::string& line) {
      dialog = dialog || line.starts_with("dialog ");
      ++lines;
      bytes += line.size() + 1;
      file.AppendLine(line);
    });
    if (const auto disagreement = replay::RunSteps(world, session)) {
      throw std::runtime_error(disagreement->message);
    }
    file.Rename();
    if (dialog) throw std::runtime_error("the replay showed a message");
  }
  std::filesystem::remove(path);
  const auto perIteration = benchmark::Counter::kAvgIterations;
  state.counters["allocs"] =
      benchmark::Counter(static_cast<double>(Heap().allocations - heap.allocations), perIteration);
  state.counters["transcript_lines"] = static_cast<double>(lines);
  state.counters["transcript_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ReplayStreamed)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Not the largest drawing: the transcript keeps every viewer call, and 1,000 extent
// changes there write some 250 million lines, about 13 GB (see README.md).
BENCHMARK(BM_Replay)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nimbo::bench
