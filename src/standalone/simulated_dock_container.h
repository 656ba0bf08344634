// The dock container of the embedded default: answers the control's call of its eighth
// member and reports the activated document to the bound sinks.
//   container Member8(20480)                              the call, argument as given
//   container Member8(20480) -> error <number> "<text>"   a planned fault ("container.Member8")
#pragma once

#include <cstdint>

#include "host/dock_container.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/simulated_event_sinks.h"

namespace nimbo::standalone {

class SimulatedDockContainer : public host::DockContainer {
 public:
  // Both borrowed; they must outlive the container.
  SimulatedDockContainer(Journal& journal, FaultPlan& faults)
      : journal_(journal), faults_(faults) {}

  void Member8(int32_t value) override;
  int32_t Advise(host::DockContainerEvents* sink) override { return sinks_.Advise(sink); }
  void Unadvise(int32_t cookie) override { sinks_.Unadvise(cookie); }

  // Raises OnDocumentActivated to every bound sink; with none bound nothing happens.
  void ReportDocumentActivated(const host::DocumentRef& document);
  size_t BoundSinks() const { return sinks_.Count(); }

 private:
  Journal& journal_;   // borrowed
  FaultPlan& faults_;  // borrowed
  SimulatedEventSinks<host::DockContainerEvents> sinks_;
};

}  // namespace nimbo::standalone
