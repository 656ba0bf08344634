// The dock control's data members and the environment it was created in. The control
// (shell/) owns one ControlState; the subsystems above it (overlay/, measure/, sync/)
// work on it by reference, so that no subsystem reaches up into shell/.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/bound_slots.h"
#include "host/cad.h"
#include "host/map.h"
#include "host/platform.h"
#include "host/viewer.h"

namespace nimbo::overlay {
// Built and used by the overlay lifecycle only; the state holds it by reference.
class AcadColors;
}  // namespace nimbo::overlay

namespace nimbo::control {

struct ControlState {
  explicit ControlState(host::ControlEnvironment environment);

  // The environment: borrowed from the platform for the control's lifetime.
  host::ControlEnvironment env;
  // The typed face of NimboViewer1; null when the viewer child is absent.
  std::unique_ptr<host::Viewer> viewer;

  // Data members, in declaration order. References are shared: the member holds one.
  geometry::BoundSlots visibleBounds;
  geometry::BoundSlots totalBounds;
  double selectedPointX = 0;
  double selectedPointY = 0;
  host::ApplicationRef acadApp;
  host::DocumentRef activeDoc;
  host::MapApplicationRef mapApp;
  bool overlaysPermitted = false;
  std::shared_ptr<overlay::AcadColors> colors;
  // Absent until the first overlay rebuild, then replaced by a new list at each one.
  std::optional<std::vector<std::string>> layerNames;

  // NimboViewer1; raises error 91 when the viewer child is absent.
  host::Viewer& Viewer();
  const automation::Locale& Locale() const { return *env.locale; }
  const automation::Clock& Clock() const;
  host::Dialogs& Dialogs();
};

// None of the control's selected-point coordinates.
inline constexpr double kNoSelectedPoint = -999;

// The document binding: when activeDoc is null, take acadApp's active document and keep
// it. Answers activeDoc, which may still be null (then the caller does nothing). A null
// acadApp when the document is needed raises error 91.
host::DocumentRef BindActiveDocument(ControlState& state);

// "Vesk" and the current date and time in the locale's general date format: the name of
// a temporary selection set.
std::string TemporarySelectionSetName(const ControlState& state);
// "VeskDeleteAll" and the same date text: the temporary set of DeleteAll, whose name
// cannot be the export's set's even when both are made in the same second.
std::string LayerDeletionSetName(const ControlState& state);

// Deletes a temporary selection set when it leaves scope, on every path, failure
// included; a failure of the deletion itself is swallowed on a failing path (the first
// error is the one that counts) and raised on a normal one by Finish().
class TemporarySelectionSet {
 public:
  TemporarySelectionSet(host::SelectionSets& sets, const std::string& name);
  ~TemporarySelectionSet();
  TemporarySelectionSet(const TemporarySelectionSet&) = delete;
  TemporarySelectionSet& operator=(const TemporarySelectionSet&) = delete;

  host::SelectionSet& operator*() { return *set_; }
  host::SelectionSet* operator->() { return set_.get(); }
  // Deletes the set now; its failure raises (and the destructor tries once more).
  void Finish();

 private:
  std::shared_ptr<host::SelectionSet> set_;
};

}  // namespace nimbo::control
