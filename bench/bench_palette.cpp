#include "bench/bench_palette.h"

#include <map>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/locale.h"
#include "host/viewer_operations.h"

namespace nimbo::bench {

namespace {

using automation::Variant;

// How far the pan moves the reported point from the view's middle: 0, 1.5, ..., 10.5, 0, ...
constexpr double kPanStep = 1.5;
constexpr int64_t kPanSteps = 8;

standalone::EmbeddedOverrides OverridesFor(ViewerKind kind, QuietViewer& quiet) {
  standalone::EmbeddedOverrides overrides;
  if (kind == ViewerKind::Quiet) overrides.viewer = &quiet;
  overrides.clock =
      std::make_unique<automation::FixedClock>(automation::DateTime{2026, 12, 7, 10, 15, 30});
  overrides.locale = &automation::Locale::EnUs();
  return overrides;
}

}  // namespace

BenchPalette::BenchPalette(const GeneratedDrawing& generatedDrawing, ViewerKind viewerKind)
    : generated(generatedDrawing),
      kind(viewerKind),
      world(shell::kLibraryName, OverridesFor(kind, quiet)) {
  drawing = &world.application->AddDocument(kDrawingName);
  generated.Fill(*drawing);
  world.application->Activate(kDrawingName);

  control = std::make_unique<shell::DockControl>(world.Environment());
  control->UserControl_Show();
  control->dockContainer_OnDocumentActivated(Document());

  world.viewer.ApplyState(BenchViewerState(generated));

  RaiseOverlaysPermissionChanged(true);
  ExpectNoFailure("permitting the overlays");
  RaiseExtentChanged(0);
  ExpectNoFailure("the first extent change");
  ForgetJournal();
}

void BenchPalette::RaiseExtentChanged(int64_t k) {
  if (kind == ViewerKind::Quiet) {
    quiet.RaiseExtentChanged(PanArguments(generated, k));
  } else {
    world.viewer.RaiseEvent("ExtentChanged", PanArguments(generated, k));
  }
}

void BenchPalette::RaiseOverlaysPermissionChanged(bool accept) {
  if (kind == ViewerKind::Quiet) {
    quiet.RaiseOverlaysPermissionChanged(accept);
  } else {
    world.viewer.RaiseEvent("OverlaysPermissionChanged", {Variant::Bool(accept)});
  }
}

void BenchPalette::SetTotalExtent(int view, const ViewerCorners& corners) {
  standalone::ViewerStatePatch patch;
  patch.views[view].total = corners;
  world.viewer.ApplyState(patch);
  quiet.SetTotalExtent(view, corners);
}

OutsideCalls BenchPalette::Calls() const {
  OutsideCalls calls;
  if (kind == ViewerKind::Quiet) {
    calls.viewer = quiet.Calls();
    calls.host = world.faults.CallCount();  // the quiet viewer asks no fault plan
    return calls;
  }
  for (const host::ViewerOperation& op : host::ViewerOperations()) {
    calls.viewer += world.viewer.CallCount(op.name);
  }
  // The fault plan counts every outside call, the simulated viewer's included.
  calls.host = world.faults.CallCount() - calls.viewer;
  return calls;
}

int64_t BenchPalette::FeaturesSent() const {
  return kind == ViewerKind::Quiet ? quiet.Features() : world.viewer.CallCount("BeginFeature");
}

void BenchPalette::ExpectNoFailure(const std::string& what) const {
  for (size_t i = 0; i < world.journal.Count(); ++i) {
    const std::string_view line = world.journal.Line(i);
    if (line.starts_with("dialog ") || line.find(" -> error ") != std::string_view::npos) {
      throw std::runtime_error(what + " failed: " + std::string(line));
    }
  }
}

standalone::ViewerStatePatch BenchViewerState(const GeneratedDrawing& generated) {
  standalone::ViewerStatePatch patch;
  for (int view = 1; view <= 5; ++view) {
    standalone::ViewerViewPatch& v = patch.views[view];
    v.active = true;
    v.mode = "MOSAIC";
    v.mapSync = view == kPanningView;
    v.total = generated.TotalExtent(view);
    v.visible = generated.VisibleExtent(view);
  }
  patch.showTotalExtent = true;
  patch.showVisibleExtent = true;
  patch.mapFollowsViewer = true;
  return patch;
}

std::vector<Variant> PanArguments(const GeneratedDrawing& generated, int64_t k) {
  const auto middle = GeneratedDrawing::Middle(generated.TotalExtent(kPanningView));
  const double offset = kPanStep * static_cast<double>(k % kPanSteps);
  std::vector<Variant> args;
  for (const double corner : generated.VisibleExtent(kPanningView)) args.emplace_back(corner);
  args.emplace_back(middle[0] + offset);
  args.emplace_back(middle[1] + offset);
  args.emplace_back(kPanningView);
  return args;
}

const GeneratedDrawing& DrawingOf(int64_t entities) {
  static std::map<int64_t, std::unique_ptr<GeneratedDrawing>> drawings;
  auto& slot = drawings[entities];
  if (!slot) slot = std::make_unique<GeneratedDrawing>(entities);
  return *slot;
}

BenchPalette& PaletteOf(int64_t entities, ViewerKind kind) {
  static std::map<std::pair<int64_t, ViewerKind>, std::unique_ptr<BenchPalette>> palettes;
  auto& slot = palettes[{entities, kind}];
  if (!slot) slot = std::make_unique<BenchPalette>(DrawingOf(entities), kind);
  return *slot;
}

}  // namespace nimbo::bench
