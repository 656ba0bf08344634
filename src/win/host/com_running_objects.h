// The running-object lookup over COM, as the run-time's GetObject(, progId) does it: the
// class of the ProgID, then the object registered for it in the running-object table.
// The CAD application comes back adapted to the host's interfaces; any other object as
// the outside object it is.
#pragma once

#include <string>

#include "host/platform.h"

namespace nimbo::win::host {

class ComRunningObjects final : public nimbo::host::RunningObjects {
 public:
  // 429 when the ProgID is unknown or nothing of its class is running.
  automation::ObjectRef GetActiveObject(const std::string& progId) override;
};

}  // namespace nimbo::win::host
