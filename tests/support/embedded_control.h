// The control as the platform runs it, on the embedded default: the in-memory CAD host
// with one drawing, the simulated viewer, scripted dialogs answered by a scripted person,
// a fixed clock and a locale, all writing to one journal. Tests create it as they need it
// (HarnessOptions), drive the control through it and read back the journal, the viewer
// and the drawing.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/clock.h"
#include "automation/locale.h"
#include "automation/variant.h"
#include "host/platform.h"
#include "shell/dock_control.h"
#include "standalone/embedded_default.h"
#include "support/strict_fakes.h"
#include "support/strict_viewer.h"

namespace nimbo::testing {

using Lines = std::vector<std::string>;
using standalone::ButtonAnswer;
using standalone::InputAnswer;
using standalone::PointAnswer;
using standalone::SelectAnswer;

inline constexpr const char* kDrawingName = "Site.dwg";
// 7 December 2026, 10:15:30: the temporary selection sets are named after it.
inline constexpr automation::DateTime kNow{2026, 12, 7, 10, 15, 30};

// Corners in the viewer's order: ULx, ULy, URx, URy, LLx, LLy, LRx, LRy.
using ViewerCorners = std::array<double, 8>;

// An axis-aligned footprint from (minX, minY) to (maxX, maxY), in the viewer's order.
inline ViewerCorners Footprint(double minX, double minY, double maxX, double maxY) {
  return {minX, maxY, maxX, maxY, minX, minY, maxX, minY};
}

// How far the control has got when a test takes over.
enum class Start {
  // Created in its palette, never shown; the drawing is open but not active.
  Created,
  // Shown and docked, the drawing opened, made active and reported through the dock
  // container; the journal then emptied, so that a test reads only what its own events did.
  Docked,
};

struct HarnessOptions {
  // The drawing the application has open; empty: none, and the control never sees one.
  std::string drawing = kDrawingName;
  Start start = Start::Docked;
  automation::DateTime now = kNow;
  const automation::Locale* locale = &automation::Locale::EnUs();
  // The lookup the control finds the CAD application with, in place of the in-memory
  // one. Borrowed; must outlive the harness.
  host::RunningObjects* runningObjects = nullptr;
  // While the harness lives, the fakes are strict and the viewer checks every call
  // against its contract (strict_viewer.h): the control traps what they raise.
  bool strict = true;
};

// The start of the overlay and view tests: the control created in its palette over
// "Survey.dwg", not yet shown.
inline HarnessOptions PaletteOptions() {
  HarnessOptions options;
  options.drawing = "Survey.dwg";
  options.start = Start::Created;
  return options;
}

class EmbeddedControl : public standalone::EmbeddedDefault {
 public:
  explicit EmbeddedControl(HarnessOptions options = {});
  // Every answer a test gives is meant to be taken, and no interaction may go unanswered.
  ~EmbeddedControl();

  control::ControlState& State() { return control->State(); }
  // The open drawing; the harness must have been given one.
  standalone::Drawing& Drawing() { return *drawing; }

  // Shown, with the drawing active and reported to the control directly (no container).
  void ShowWithDrawing();

  // The viewer's state, changed silently.
  void SetView(int view, bool active, const ViewerCorners& total, const ViewerCorners& visible,
               std::string mode = "MOSAIC", bool mapSync = false);
  void SetOptions(bool showTotal, bool showVisible, bool mapFollowsViewer = false);

  // The viewer raises one of its measurement events.
  void Measure(std::string_view event, double value, const std::string& method,
               const std::string& subOption);
  // The person ends a command in the drawing, the view centred where given.
  void RunCommand(const std::string& name, std::optional<standalone::spatial::Vec2> centre = {});

  // The journal from a mark on: everything, the lines with a prefix (the viewer's calls by
  // default), how many there are, the message boxes.
  void Mark() { mark_ = journal.Mark(); }
  Lines SinceMark() const { return journal.Since(mark_); }
  Lines ViewerCallsSinceMark(std::string_view prefix = "viewer ") const {
    return journal.StartingWith(prefix, mark_);
  }
  size_t CountSinceMark(std::string_view prefix) const {
    return ViewerCallsSinceMark(prefix).size();
  }
  Lines MessagesSinceMark() const { return ViewerCallsSinceMark("dialog message "); }

  // The whole journal's dialog lines, and the changes made to the drawing.
  Lines Dialogs() const { return journal.StartingWith("dialog "); }
  Lines DrawingChanges() const { return journal.StartingWith("drawing " + drawingName + " "); }

  // The model-space entities on a layer (compared exactly).
  std::vector<standalone::EntityData> EntitiesOn(
      const std::string& layer, standalone::Space space = standalone::Space::Model()) const;
  // The drawing's layer of that name (exact), or null; valid until the next call.
  const standalone::LayerData* LayerNamed(const std::string& name);

  const std::string drawingName;
  standalone::Drawing* drawing = nullptr;  // owned by the application; null without one

 private:
  std::optional<StrictFakes> strict_;
  // What the control calls: the simulated viewer, each call checked on the way.
  StrictViewer strictViewer_{viewer};
  size_t mark_ = 0;
  std::vector<standalone::LayerData> layersCache_;

 public:
  // The last member, so that it goes before everything it borrows from.
  std::unique_ptr<shell::DockControl> control;
};

namespace harness_detail {

// `viewer`: the strict viewer, not yet built; only its address is taken.
inline standalone::EmbeddedOverrides OverridesOf(const HarnessOptions& options,
                                                 host::ViewerControl* viewer) {
  standalone::EmbeddedOverrides overrides;
  overrides.viewer = viewer;
  overrides.runningObjects = options.runningObjects;
  overrides.clock = std::make_unique<automation::FixedClock>(options.now);
  overrides.locale = options.locale;
  return overrides;
}

}  // namespace harness_detail

inline EmbeddedControl::EmbeddedControl(HarnessOptions options)
    : EmbeddedDefault(shell::kLibraryName, harness_detail::OverridesOf(options, &strictViewer_)),
      drawingName(options.drawing) {
  if (options.strict) strict_.emplace();
  if (options.start == Start::Created) {
    if (!drawingName.empty()) drawing = &application->AddDocument(drawingName);
    control = std::make_unique<shell::DockControl>(Environment());
    return;
  }
  control = std::make_unique<shell::DockControl>(Environment());
  control->UserControl_Show();
  control->IRetrieveDockableContainer_SetDockContainer(container);
  if (!drawingName.empty()) {
    drawing = &application->AddDocument(drawingName);
    application->Activate(drawingName);
    container->ReportDocumentActivated(application->DocumentObject(drawingName));
  }
  journal.Clear();
}

inline EmbeddedControl::~EmbeddedControl() {
  EXPECT_EQ(person.Remaining(), 0u) << "answers left over";
  EXPECT_EQ(person.Disagreement(), std::nullopt);
}

inline void EmbeddedControl::ShowWithDrawing() {
  application->Activate(drawingName);
  control->UserControl_Show();
  control->dockContainer_OnDocumentActivated(application->DocumentObject(drawingName));
}

inline void EmbeddedControl::SetView(int view, bool active, const ViewerCorners& total,
                                     const ViewerCorners& visible, std::string mode, bool mapSync) {
  standalone::ViewerStatePatch patch;
  standalone::ViewerViewPatch& v = patch.views[view];
  v.active = active;
  v.total = total;
  v.visible = visible;
  v.mode = std::move(mode);
  v.mapSync = mapSync;
  viewer.ApplyState(patch);
}

inline void EmbeddedControl::SetOptions(bool showTotal, bool showVisible, bool mapFollowsViewer) {
  standalone::ViewerStatePatch patch;
  patch.showTotalExtent = showTotal;
  patch.showVisibleExtent = showVisible;
  patch.mapFollowsViewer = mapFollowsViewer;
  viewer.ApplyState(patch);
}

inline void EmbeddedControl::Measure(std::string_view event, double value,
                                     const std::string& method, const std::string& subOption) {
  viewer.RaiseEvent(event, {automation::Variant(value), automation::Variant(method),
                            automation::Variant(subOption)});
}

inline void EmbeddedControl::RunCommand(const std::string& name,
                                        std::optional<standalone::spatial::Vec2> centre) {
  application->RunCommand(drawingName, name, centre);
}

inline std::vector<standalone::EntityData> EmbeddedControl::EntitiesOn(
    const std::string& layer, standalone::Space space) const {
  std::vector<standalone::EntityData> out;
  for (const standalone::EntityData& e : drawing->Entities(space)) {
    if (e.layer == layer) out.push_back(e);
  }
  return out;
}

inline const standalone::LayerData* EmbeddedControl::LayerNamed(const std::string& name) {
  layersCache_ = drawing->Layers();
  for (const standalone::LayerData& layer : layersCache_) {
    if (layer.name == name) return &layer;
  }
  return nullptr;
}

}  // namespace nimbo::testing
