// The control in its palette on the embedded default, over a generated drawing, set up as
// the benchmarks measure it: five active views in mosaic mode, each looking at about 1%
// of the drawing; both display options on; the drawing following view 3, whose extent
// changes also move the selected point; overlays permitted, so that the three layers are
// offered and every extent change sends each view its features again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/generated_drawing.h"
#include "bench/quiet_viewer.h"
#include "shell/dock_control.h"
#include "standalone/embedded_default.h"

namespace nimbo::bench {

inline constexpr const char* kDrawingName = "Generated.dwg";
// The view whose extent changes the benchmarks raise: it moves the selected point and
// the drawing follows it.
inline constexpr int32_t kPanningView = 3;

// The viewer as the benchmarks set it up over a drawing (see the top of this file).
standalone::ViewerStatePatch BenchViewerState(const GeneratedDrawing& generated);
// The arguments of the k-th extent change of a pan of view 3 that goes back and forth
// around the view's middle; the point moves at every change.
std::vector<automation::Variant> PanArguments(const GeneratedDrawing& generated, int64_t k);

// Which viewer the control talks to: the simulated one of the embedded default, which
// keeps every overlay feature and writes every call to the journal as the replay does, or
// one that only answers (quiet_viewer.h), to show the control's and the host's own cost.
enum class ViewerKind { Simulated, Quiet };

// Calls that left the control, as the embedded default counts them.
struct OutsideCalls {
  int64_t viewer = 0;
  int64_t host = 0;
};

class BenchPalette {
 public:
  // Builds the drawing, shows the control with it, sets the viewer up and permits the
  // overlays (one full rebuild). Throws std::runtime_error when the control showed a
  // message on the way: a benchmark of a failing path would measure nothing useful.
  BenchPalette(const GeneratedDrawing& generated, ViewerKind kind);
  BenchPalette(const BenchPalette&) = delete;
  BenchPalette& operator=(const BenchPalette&) = delete;

  // What the viewer raises while the user pans view 3: the k-th change of a pan that goes
  // back and forth around the view's middle.
  void RaiseExtentChanged(int64_t k);
  void RaiseOverlaysPermissionChanged(bool accept);
  // Moves view `view`'s total extent to `corners`, silently.
  void SetTotalExtent(int view, const ViewerCorners& corners);

  OutsideCalls Calls() const;
  int64_t FeaturesSent() const;  // BeginFeature calls so far
  // Drops the journal's lines (between timed runs: it only grows).
  void ForgetJournal() { world.journal.Clear(); }
  // Throws std::runtime_error when the journal holds a message box or a failed call.
  void ExpectNoFailure(const std::string& what) const;

  control::ControlState& State() { return control->State(); }
  host::DocumentRef Document() { return world.application->DocumentObject(kDrawingName); }

  const GeneratedDrawing& generated;  // borrowed
  const ViewerKind kind;
  QuietViewer quiet{BenchViewerState(generated)};
  // With the quiet viewer in place of the simulated one when `kind` asks for it.
  standalone::EmbeddedDefault world;
  standalone::Drawing* drawing = nullptr;  // owned by the application
  std::unique_ptr<shell::DockControl> control;
};

// The palette of the drawing of `entities` entities, built on first use and kept for the
// program's run, so that the benchmarks of one size share it.
BenchPalette& PaletteOf(int64_t entities, ViewerKind kind = ViewerKind::Simulated);
const GeneratedDrawing& DrawingOf(int64_t entities);

}  // namespace nimbo::bench
