// The control in its palette on the embedded default: the simulated viewer, the in-memory
// CAD application with one drawing, scripted dialogs, a fixed clock and a locale, all
// writing to one journal. Tests of the view synchronisation and of the feature export
// drive the control through it and read back the journal, the viewer and the drawing.
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/clock.h"
#include "shell/dock_control.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/running_objects.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/scripted_dialogs.h"
#include "standalone/scripted_person.h"
#include "standalone/viewer/simulated_extender.h"
#include "standalone/viewer/simulated_viewer.h"

namespace nimbo::testing {

using Lines = std::vector<std::string>;

inline constexpr const char* kDrawingName = "Survey.dwg";

// Corners in the viewer's order: ULx, ULy, URx, URy, LLx, LLy, LRx, LRy.
using ViewerCorners = std::array<double, 8>;

// An axis-aligned footprint from (minX, minY) to (maxX, maxY), in the viewer's order.
inline ViewerCorners Footprint(double minX, double minY, double maxX, double maxY) {
  return {minX, maxY, maxX, maxY, minX, minY, maxX, minY};
}

class EmbeddedPalette {
 public:
  EmbeddedPalette() {
    drawing = &application->AddDocument(kDrawingName);
    control = std::make_unique<shell::DockControl>(Environment());
  }

  host::ControlEnvironment Environment() {
    host::ControlEnvironment env;
    env.viewer = &viewer;
    env.viewerExtender = &viewerExtender;
    env.button = &button;
    env.runningObjects = &running;
    env.dialogs = &dialogs;
    env.clock = &clock;
    env.locale = &automation::Locale::EnUs();
    return env;
  }

  // Shown, with the drawing active and reported to the control.
  void ShowWithDrawing() {
    application->Activate(kDrawingName);
    control->UserControl_Show();
    control->dockContainer_OnDocumentActivated(application->DocumentObject(kDrawingName));
  }

  control::ControlState& State() { return control->State(); }

  // The viewer's state, changed silently.
  void SetView(int view, bool active, const ViewerCorners& total, const ViewerCorners& visible,
               std::string mode = "MOSAIC", bool mapSync = false) {
    standalone::ViewerStatePatch patch;
    standalone::ViewerViewPatch& v = patch.views[view];
    v.active = active;
    v.total = total;
    v.visible = visible;
    v.mode = std::move(mode);
    v.mapSync = mapSync;
    viewer.ApplyState(patch);
  }
  void SetOptions(bool showTotal, bool showVisible, bool mapFollowsViewer = false) {
    standalone::ViewerStatePatch patch;
    patch.showTotalExtent = showTotal;
    patch.showVisibleExtent = showVisible;
    patch.mapFollowsViewer = mapFollowsViewer;
    viewer.ApplyState(patch);
  }

  // Everything written to the journal from now on.
  void Mark() { mark_ = journal.Lines().size(); }
  Lines SinceMark() const {
    const Lines& lines = journal.Lines();
    return Lines(lines.begin() + static_cast<std::ptrdiff_t>(mark_), lines.end());
  }
  // The viewer lines since the mark, or those that start with `prefix`.
  Lines ViewerCallsSinceMark(std::string_view prefix = "viewer ") const {
    Lines out;
    for (const std::string& line : SinceMark()) {
      if (line.rfind(prefix, 0) == 0) out.push_back(line);
    }
    return out;
  }
  size_t CountSinceMark(std::string_view prefix) const {
    return ViewerCallsSinceMark(prefix).size();
  }

  // The message boxes shown since the mark.
  Lines MessagesSinceMark() const { return ViewerCallsSinceMark("dialog message "); }

  // The model-space entities on a layer (compared exactly).
  std::vector<standalone::EntityData> EntitiesOn(
      const std::string& layer, standalone::Space space = standalone::Space::Model()) const {
    std::vector<standalone::EntityData> out;
    for (const standalone::EntityData& e : drawing->Entities(space)) {
      if (e.layer == layer) out.push_back(e);
    }
    return out;
  }
  const standalone::LayerData* LayerNamed(const std::string& name) {
    layersCache_ = drawing->Layers();
    for (const standalone::LayerData& layer : layersCache_) {
      if (layer.name == name) return &layer;
    }
    return nullptr;
  }

  standalone::Journal journal;
  standalone::FaultPlan faults;
  standalone::ScriptedPerson person;
  standalone::ScriptedDialogs dialogs{person, journal, faults, shell::kLibraryName};
  standalone::SimulatedViewer viewer{journal, faults};
  standalone::SimulatedExtender viewerExtender = standalone::SimulatedExtender::ForViewer(journal);
  standalone::SimulatedExtender button = standalone::SimulatedExtender::ForButton(journal);
  automation::FixedClock clock{automation::DateTime{2026, 12, 7, 10, 15, 30}};
  std::shared_ptr<standalone::MemoryApplication> application =
      standalone::MemoryApplication::Create(faults, journal, person);
  standalone::MemoryRunningObjects running{application, faults};
  standalone::Drawing* drawing = nullptr;  // owned by the application
  std::unique_ptr<shell::DockControl> control;

 private:
  size_t mark_ = 0;
  std::vector<standalone::LayerData> layersCache_;
};

}  // namespace nimbo::testing
