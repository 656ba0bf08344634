#include "control/control_state.h"

#include "automation/error.h"

namespace nimbo::control {

using automation::errors::kObjectNotSet;
using automation::errors::Standard;

ControlState::ControlState(host::ControlEnvironment environment) : env(environment) {
  if (env.viewer != nullptr) viewer = std::make_unique<host::Viewer>(*env.viewer, *env.locale);
}

host::Viewer& ControlState::Viewer() {
  if (!viewer) throw Standard(kObjectNotSet);
  return *viewer;
}

const automation::Clock& ControlState::Clock() const {
  if (env.clock == nullptr) throw Standard(kObjectNotSet);
  return *env.clock;
}

host::Dialogs& ControlState::Dialogs() {
  if (env.dialogs == nullptr) throw Standard(kObjectNotSet);
  return *env.dialogs;
}

host::DocumentRef BindActiveDocument(ControlState& state) {
  if (!state.activeDoc) {
    if (!state.acadApp) throw Standard(kObjectNotSet);
    state.activeDoc = state.acadApp->ActiveDocument();
  }
  return state.activeDoc;
}

namespace {

std::string NowText(const ControlState& state) {
  return state.Locale().GeneralDate(state.Clock().Now());
}

}  // namespace

std::string TemporarySelectionSetName(const ControlState& state) {
  return "Vesk" + NowText(state);
}

std::string LayerDeletionSetName(const ControlState& state) {
  return "VeskDeleteAll" + NowText(state);
}

TemporarySelectionSet::TemporarySelectionSet(host::SelectionSets& sets, const std::string& name)
    : set_(sets.Add(name)) {
  if (!set_) throw Standard(kObjectNotSet);
}

TemporarySelectionSet::~TemporarySelectionSet() {
  if (!set_) return;
  try {
    set_->Delete();
  } catch (...) {
    // Leaving by an error already: that error is the one the person must see.
  }
}

void TemporarySelectionSet::Finish() {
  // Finished once already: the set is gone, as a deleted set's reference is.
  if (!set_) throw Standard(kObjectNotSet);
  // A deletion the host refuses raises, and the set stays held: leaving by that error,
  // the destructor asks once more, so that a passing refusal leaves no set behind.
  set_->Delete();
  set_ = nullptr;
}

}  // namespace nimbo::control
