#include "standalone/cad/running_objects.h"

#include "automation/error.h"
#include "standalone/cad/memory_drawing.h"
#include "standalone/cad/memory_host.h"

namespace nimbo::standalone {

automation::ObjectRef MemoryRunningObjects::GetActiveObject(const std::string& progId) {
  faults_.Check("drawing.RunningObjects.GetActiveObject");
  if (running_ && application_ && NameKey(progId) == NameKey(host::kCadProgId)) {
    return application_;
  }
  throw automation::errors::Standard(automation::errors::kCannotCreateObject);
}

}  // namespace nimbo::standalone
