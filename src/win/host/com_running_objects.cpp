#include "win/host/com_running_objects.h"

#include <windows.h>

#include <oleauto.h>

#include <memory>

#include "automation/convert.h"
#include "automation/error.h"
#include "win/com/com_ptr.h"
#include "win/com/dispatch_object.h"
#include "win/com/process_classes.h"
#include "win/host/com_cad_document.h"

namespace nimbo::win::host {

namespace errors = automation::errors;

automation::ObjectRef ComRunningObjects::GetActiveObject(const std::string& progId) {
  const CLSID classId = com::ClassIdFromProgId(progId);
  com::ComPtr<IUnknown> running;
  if (FAILED(::GetActiveObject(classId, nullptr, running.Put()))) {
    throw errors::Standard(errors::kCannotCreateObject);
  }
  com::ComPtr<IDispatch> dispatch = running.As<IDispatch>();
  if (!dispatch) throw errors::Standard(errors::kCannotCreateObject);
  if (automation::SameUCase(progId, nimbo::host::kCadProgId)) {
    return std::make_shared<ComApplication>(std::move(dispatch));
  }
  return std::make_shared<com::DispatchObject>(std::move(dispatch));
}

}  // namespace nimbo::win::host
