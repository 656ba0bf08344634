#include "host/viewer_events.h"

namespace nimbo::host {

bool ArgumentsFitEvent(const ViewerEvent& event,
                       const std::vector<automation::Variant>& arguments) {
  if (arguments.size() != event.parameters.size()) return false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i].IsByRef() || arguments[i].Type() != event.parameters[i].type) return false;
  }
  return true;
}

}  // namespace nimbo::host
