// The simulated viewer's events (host/viewer_events.h), raised by name with positional
// arguments (as a replay session or a test gives them) and delivered to the bound sinks
// converted to the types of the event table.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "host/viewer_events.h"
#include "standalone/simulated_event_sinks.h"

namespace nimbo::standalone {

// An event that cannot be raised as asked: an unknown name, a wrong number of arguments
// or an argument of the wrong type. The message says which, e.g.
// `ModeChanged: argument 2 (viewIndex) must be a whole number, got 2.5`.
class ViewerEventError : public std::invalid_argument {
 public:
  ViewerEventError(const std::string& message, std::optional<size_t> argument)
      : std::invalid_argument(message), argument_(argument) {}
  // The position (from 0) of the offending argument, when one is to blame.
  std::optional<size_t> argument() const { return argument_; }

 private:
  std::optional<size_t> argument_;
};

// The events' names, in the order the contract lists them.
const std::vector<std::string_view>& ViewerEventNames();

// Converts the arguments (a Double parameter takes any number, a Long one a whole number
// in range, a String one a string, a Boolean one a Boolean) and delivers the event to
// every sink bound; with none bound nothing happens. Raises ViewerEventError before
// anything is delivered.
void RaiseViewerEvent(SimulatedEventSinks<host::ViewerEvents>& sinks, std::string_view name,
                      const std::vector<automation::Variant>& arguments);

}  // namespace nimbo::standalone
