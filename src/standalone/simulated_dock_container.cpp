#include "standalone/simulated_dock_container.h"

#include <string>

#include "automation/error.h"

namespace nimbo::standalone {

void SimulatedDockContainer::Member8(int32_t value) {
  const std::string line = "container Member8(" + std::to_string(value) + ")";
  try {
    faults_.Check("container.Member8");
  } catch (const automation::AutomationError& error) {
    journal_.Write(line + " -> error " + std::to_string(error.number()) + " " +
                   TranscriptString(error.description()));
    throw;
  }
  journal_.Write(line);
}

void SimulatedDockContainer::ReportDocumentActivated(const host::DocumentRef& document) {
  sinks_.Raise([&](host::DockContainerEvents& sink) { sink.OnDocumentActivated(document); });
}

}  // namespace nimbo::standalone
