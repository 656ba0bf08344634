// The document's connection point: its events go to the sinks through the one
// connection-point implementation of the embedded default.
#include "automation/error.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

void DocumentState::RaiseBeginDocClose(automation::VBool& cancel) {
  sinks.Raise([&](host::DocumentEvents& sink) {
    if (closed) return;
    try {
      sink.BeginDocClose(cancel);
    } catch (const automation::AutomationError&) {
      // A connection point ignores its sinks' failures.
    }
  });
}

void DocumentState::RaiseEndCommand(const std::string& commandName) {
  sinks.Raise([&](host::DocumentEvents& sink) {
    if (closed) return;
    try {
      sink.EndCommand(commandName);
    } catch (const automation::AutomationError&) {
    }
  });
}

}  // namespace nimbo::standalone
