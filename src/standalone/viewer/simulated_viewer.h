// The simulated imagery viewer: the viewer control of the embedded default, called by
// DISPID like the real one and keeping its state in a ViewerModel.
//
// Every call is one journal line, written when the call ends:
//   viewer <Operation>(<arguments>)                 an operation without a result
//   viewer <Operation>(<arguments>) -> <result>     an operation with one
//   viewer <Operation>(<arguments>) -> error <number> "<description>"
// The last form, for a call that failed (a planned fault, a bad argument, an index the
// viewer refuses), extends the transcript; the error is raised to the caller as well.
// A DISPID the viewer does not know is written `viewer DISPID <n>(...)` and raises 438.
// Arguments are written as the caller passed them, so a by-reference one shows as `&2`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/viewer.h"
#include "host/viewer_operations.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/line_text.h"
#include "standalone/simulated_event_sinks.h"
#include "standalone/viewer/simulated_viewer_dispatch.h"
#include "standalone/viewer/simulated_viewer_events.h"
#include "standalone/viewer/viewer_model.h"

namespace nimbo::standalone {

class SimulatedViewer : public host::ViewerControl {
 public:
  // Both borrowed, shared with the rest of the embedded default; they must outlive the
  // viewer.
  SimulatedViewer(Journal& journal, FaultPlan& faults) : journal_(journal), faults_(faults) {}

  // host::ViewerControl. Checks the arguments against the operation table (count 5,
  // type 13), asks the fault plan under "viewer.<Operation>", performs the operation and
  // writes every by-reference argument back, as the platform's marshalling does.
  automation::Variant Invoke(int32_t dispid, std::span<automation::Variant> arguments) override;
  int32_t Advise(host::ViewerEvents* sink) override { return sinks_.Advise(sink); }
  void Unadvise(int32_t cookie) override { sinks_.Unadvise(cookie); }

  // Raises one of the fourteen events by name, with its arguments in the contract's
  // order; see RaiseViewerEvent. Raises ViewerEventError for a request that does not fit.
  void RaiseEvent(std::string_view name, const std::vector<automation::Variant>& arguments) {
    RaiseViewerEvent(sinks_, name, arguments);
  }
  size_t BoundSinks() const { return sinks_.Count(); }

  // Changes the state silently (no journal line); views are merged key by key.
  void ApplyState(const ViewerStatePatch& patch) { model_.Apply(patch); }
  const ViewerModel& Model() const { return model_; }

  // Calls of an operation so far, failed ones included.
  int CallCount(std::string_view operation) const;

  // Runs inside every call that passed its checks, before the operation, with the
  // converted arguments. A test stands in with it for a viewer that writes into its
  // by-reference arguments, or that raises an event while a call is in progress.
  using CallHook =
      std::function<void(const host::ViewerOperation&, std::span<automation::Variant> values)>;
  void SetCallHook(CallHook hook) { hook_ = std::move(hook); }
  // Runs after the operation succeeded, before the by-reference arguments are written
  // back: a viewer that answers and then changes the caller's variable.
  void SetWriteBackHook(CallHook hook) { writeBackHook_ = std::move(hook); }

 private:
  // The operation on the caller's own arguments, all of their parameters' types; or on
  // converted copies, with the hooks, the by-reference ones written back after it.
  automation::Variant PerformInPlace(const host::ViewerOperation& operation,
                                     std::span<automation::Variant> arguments);
  automation::Variant PerformConverted(const host::ViewerOperation& operation,
                                       std::span<automation::Variant> arguments);

  Journal& journal_;   // borrowed
  FaultPlan& faults_;  // borrowed
  ViewerModel model_;
  SimulatedEventSinks<host::ViewerEvents> sinks_;
  std::vector<int> callCounts_;  // by DISPID
  CallHook hook_;
  CallHook writeBackHook_;
  std::vector<std::unique_ptr<LineText>> lineBuffers_;  // by depth of nested calls
  size_t depth_ = 0;                                    // calls in progress
};

}  // namespace nimbo::standalone
