#include "replay/sweep/fault_sweep_rules.h"

#include <initializer_list>
#include <string_view>

namespace nimbo::replay::sweep {

namespace {

// Patterns name a target exactly, or end in '*' for every target that starts so.
using Patterns = std::initializer_list<std::string_view>;

bool Matches(std::string_view target, std::string_view pattern) {
  if (!pattern.empty() && pattern.back() == '*') {
    return target.substr(0, pattern.size() - 1) == pattern.substr(0, pattern.size() - 1);
  }
  return target == pattern;
}

bool MatchesAny(std::string_view target, Patterns patterns) {
  for (std::string_view pattern : patterns) {
    if (Matches(target, pattern)) return true;
  }
  return false;
}

// Walks the calls of one step, procedure by procedure, giving each call the delivery of
// the procedure that makes it. A call that the walk does not reach keeps no expectation.
class Walk {
 public:
  Walk(const std::vector<std::string>& targets, Delivery delivery, std::string entry)
      : targets_(targets), delivery_(delivery), entry_(std::move(entry)), result_(targets.size()) {}

  bool More() const { return next_ < targets_.size(); }
  bool NextIs(Patterns patterns) const { return More() && MatchesAny(targets_[next_], patterns); }

  // The next call fails out of a procedure that re-raises under `source`.
  void Take(const std::string& source) {
    result_[next_++] = Expectation{delivery_, entry_, source};
  }
  // The next call is made by the entry point itself: its error keeps the source it came with.
  void TakeDirect() { Take(targets_[next_]); }
  // The next call is made by a procedure that swallows every error.
  void TakeSilent() { result_[next_++] = Expectation{Delivery::Silent, entry_, ""}; }

  void TakeWhile(Patterns patterns, const std::string& source) {
    while (NextIs(patterns)) Take(source);
  }
  void TakeDirectWhile(Patterns patterns) {
    while (NextIs(patterns)) TakeDirect();
  }
  void TakeSilentWhile(Patterns patterns) {
    while (NextIs(patterns)) TakeSilent();
  }
  void TakeRest(const std::string& source) {
    while (More()) Take(source);
  }
  void TakeRestDirect() {
    while (More()) TakeDirect();
  }
  void TakeRestSilent() {
    while (More()) TakeSilent();
  }

  // The handler's own message box, the last call of a step whose handler reported.
  void HandlerBoxFailsToCaller() {
    if (targets_.empty() || targets_.back() != "dialogs.MessageBox") return;
    result_.back() = Expectation{Delivery::Caller, entry_, "dialogs.MessageBox"};
  }

  std::vector<std::optional<Expectation>> Result() && { return std::move(result_); }

 private:
  const std::vector<std::string>& targets_;
  Delivery delivery_;
  std::string entry_;
  std::vector<std::optional<Expectation>> result_;
  size_t next_ = 0;
};

// ---- The procedures, each with the calls the rules give it -------------------------

// The viewer's activity and the sixteen corners of each active view.
void UpdateAllBounds(Walk& w) {
  w.TakeWhile({"viewer.IsViewActive", "viewer.Total*", "viewer.Visible*"}, "UpdateAllBounds");
}

// The two options, asked four times, and the three display layers, each redrawn or
// deleted through the layer service; RefreshLayer and the layer service re-raise, and
// RefreshMap re-raises last.
void RefreshMap(Walk& w) {
  w.TakeWhile({"viewer.ShowVisibleExtent", "viewer.ShowTotalExtent", "drawing.*"}, "RefreshMap");
}

// The drawing's layer lookup of the feature export answers none on any error. It binds
// the document at most once, as its first call: a second binding in a row is already the
// export's own (with no document, every lookup and the export each ask).
void GetLayer(Walk& w) {
  if (w.NextIs({"drawing.Application.ActiveDocument"})) w.TakeSilent();
  w.TakeSilentWhile({"drawing.Document.Layers", "drawing.Layers.*", "drawing.Layer.Name"});
}

// A layer's pen: its colour, its line weight and its name, then the viewer's style call;
// any error ends it silently.
void SendLayerStyle(Walk& w) {
  w.TakeSilentWhile({"drawing.Layer.TrueColor", "drawing.Layer.Lineweight", "drawing.Color.*",
                     "drawing.Layer.Name"});
  w.TakeSilentWhile({"viewer.SetOverlayLayerStyle"});
}

void AddFeatures(Walk& w) {
  const std::string source = "AddFeatures";
  // Step 1: each offered name is cleared, looked up, prepared and styled.
  while (w.NextIs({"viewer.ClearOverlayLayer"})) {
    w.Take(source);
    GetLayer(w);
    if (!w.NextIs({"viewer.PrepareLayerStepOne"})) continue;
    w.TakeWhile({"viewer.PrepareLayerStepOne", "viewer.PrepareLayerStepTwo",
                 "viewer.PrepareLayerStepThree"},
                source);
    SendLayerStyle(w);
  }
  // Steps 2 to 4: the document, the selection set and the crossing selection.
  w.TakeWhile(
      {"drawing.Application.ActiveDocument", "drawing.Document.SelectionSets",
       "drawing.SelectionSets.Add", "viewer.Total*", "drawing.SelectionSet.SelectByPolygon",
       "drawing.SelectionSet.ForEach", "drawing.SelectionSet.Count", "drawing.SelectionSet.Item"},
      source);
  // Step 5: each entity's style test, its own pen when it has one, and its feature.
  while (w.NextIs({"drawing.Entity.TrueColor"})) {
    for (int call = 0;
         call < 3 && w.NextIs({"drawing.Entity.TrueColor", "drawing.Color.ColorMethod",
                               "drawing.Entity.Lineweight"});
         ++call) {
      w.Take(source);  // HasLayerStyle passes its errors on
    }
    // SendEntityStyle ends silently at its first error.
    while (w.More() && !w.NextIs({"viewer.BeginFeature", "drawing.SelectionSet.Delete"})) {
      w.TakeSilent();
    }
    if (w.NextIs({"viewer.BeginFeature"})) w.Take(source);
    w.TakeWhile({"drawing.Entity.ObjectName", "drawing.Entity.Layer", "drawing.Entity.Coordinates",
                 "drawing.Entity.StartPoint", "drawing.Entity.EndPoint", "viewer.AddVertex",
                 "viewer.AddLineFeature", "viewer.AddPointFeature"},
                source);
  }
  // Step 6.
  w.TakeWhile({"drawing.SelectionSet.Delete"}, source);
}

// The overlay rebuild shared by three overlay events.
void RebuildOverlays(Walk& w) {
  w.TakeWhile({"drawing.*"}, "GetLayerNames");
  w.TakeWhile({"viewer.RegisterOverlayLayer"}, "AddLayers");
  while (w.NextIs({"viewer.IsViewActive"})) {
    w.TakeDirect();
    if (!w.More() || w.NextIs({"viewer.IsViewActive"})) continue;  // an inactive view
    AddFeatures(w);
    w.TakeDirectWhile({"viewer.GetViewMode"});
    w.TakeDirectWhile({"viewer.ActivateOverlayDiscrete", "viewer.ActivateOverlayMosaic"});
    w.TakeDirectWhile({"viewer.RefreshOverlays", "viewer.RefreshDiscreteOverlays"});
  }
}

// ---- The entry points ---------------------------------------------------------------

void ExtentChangedHandler(Walk& w) {
  UpdateAllBounds(w);
  RefreshMap(w);
  // The drawing following the viewer is the handler's own work.
  w.TakeDirectWhile({"viewer.IsMapSyncView", "viewer.MapFollowsViewer",
                     "drawing.Application.ActiveDocument", "drawing.Document.GetVariable",
                     "drawing.Document.Application", "drawing.Application.ZoomCenter"});
  // So is the overlay refresh of the mosaic views, around each view's export.
  while (w.NextIs({"viewer.GetViewMode"})) {
    w.TakeDirect();
    w.TakeDirectWhile({"viewer.IsViewActive"});
    if (!w.More() || w.NextIs({"viewer.GetViewMode"})) continue;
    AddFeatures(w);
    w.TakeDirectWhile({"viewer.ActivateOverlayMosaic"});
    w.TakeDirectWhile({"viewer.RefreshOverlays"});
  }
}

void ObliqueLoadedHandler(Walk& w) {
  UpdateAllBounds(w);
  RefreshMap(w);
  w.TakeDirectWhile({"viewer.GetViewMode"});
  w.TakeDirectWhile({"viewer.IsViewActive"});
  if (!w.More()) return;
  AddFeatures(w);
  w.TakeDirectWhile({"viewer.ActivateOverlayDiscrete"});
  w.TakeDirectWhile({"viewer.RefreshOverlays"});
}

void ViewerEventHandler(Walk& w, const std::string& event) {
  if (event == "ExtentChanged") {
    ExtentChangedHandler(w);
  } else if (event == "SelectedPointChanged") {
    RefreshMap(w);
  } else if (event == "ModeChanged") {
    UpdateAllBounds(w);
    RefreshMap(w);
  } else if (event == "LayoutChanged") {
    UpdateAllBounds(w);
    RefreshMap(w);
    w.TakeDirectWhile({"viewer.ResetOverlays"});
    RebuildOverlays(w);
  } else if (event == "ObliqueLoaded") {
    ObliqueLoadedHandler(w);
  } else if (event == "OverlaysPermissionChanged" || event == "ReloadOverlaysClicked") {
    w.TakeDirectWhile({"viewer.ResetOverlays"});
    RebuildOverlays(w);
  } else if (event.size() > 8 && event.substr(event.size() - 8) == "Measured") {
    // The seven measurement events: everything happens inside SaveMeasurement.
    w.TakeRest("SaveMeasurement");
  }
}

}  // namespace

std::vector<std::optional<Expectation>> ExpectedDeliveries(const StepAction& step,
                                                           const std::vector<std::string>& targets,
                                                           bool handlerReported) {
  if (const auto* event = std::get_if<EventStep>(&step)) {
    Walk w(targets, Delivery::HandlerMessage, "vnvEvents_" + event->event);
    ViewerEventHandler(w, event->event);
    if (handlerReported) w.HandlerBoxFailsToCaller();
    return std::move(w).Result();
  }
  if (std::holds_alternative<ClickStep>(step)) {
    Walk w(targets, Delivery::HandlerMessage, "Command1_Click");
    w.TakeWhile({"viewer.ClearTableInfo", "viewer.AddTableInfo", "map.*"}, "SetTableInfo");
    w.TakeRest("SearchImage");
    if (handlerReported) w.HandlerBoxFailsToCaller();
    return std::move(w).Result();
  }
  if (std::holds_alternative<ShowStep>(step)) {
    // Show has no re-raise of its own: its message names the failed call's own source.
    Walk w(targets, Delivery::ShowMessage, "UserControl_Show");
    w.TakeRestDirect();
    if (handlerReported) w.HandlerBoxFailsToCaller();
    return std::move(w).Result();
  }
  if (std::holds_alternative<CommandStep>(step)) {
    // DocEvents_EndCommand ends silently on any error.
    Walk w(targets, Delivery::Silent, "DocEvents_EndCommand");
    w.TakeRestSilent();
    return std::move(w).Result();
  }
  if (std::holds_alternative<CloseDocumentStep>(step)) {
    // DocEvents_BeginDocClose passes its failure to its caller, the document's connection
    // point, which ignores a sink's failure: nothing reaches the person.
    Walk w(targets, Delivery::Silent, "DocEvents_BeginDocClose");
    w.TakeRestSilent();
    return std::move(w).Result();
  }
  if (const auto* call = std::get_if<CallStep>(&step)) {
    // The layer service re-raises under the method's name; DeleteLayer re-raises what
    // its DeleteAll raised.
    Walk w(targets, Delivery::Caller, call->method);
    w.TakeRest(call->method);
    return std::move(w).Result();
  }
  // The lifecycle callbacks without a trap: the failure goes back to the caller as it came.
  std::string entry;
  if (std::holds_alternative<DockStep>(step)) entry = "IRetrieveDockableContainer_SetDockContainer";
  if (std::holds_alternative<ActivateStep>(step)) entry = "dockContainer_OnDocumentActivated";
  if (std::holds_alternative<TerminateStep>(step)) entry = "UserControl_Terminate";
  if (std::holds_alternative<ResizeStep>(step)) entry = "UserControl_Resize";
  Walk w(targets, Delivery::Caller, entry);
  if (!entry.empty()) w.TakeRestDirect();
  return std::move(w).Result();
}

}  // namespace nimbo::replay::sweep
