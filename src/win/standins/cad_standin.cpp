#include "win/standins/cad_standin.h"

#include "host/platform.h"
#include "win/com/error_from_call.h"
#include "win/standins/cad_objects.h"
#include "win/standins/nimbo_cad_standin_ids.h"

namespace nimbo::win::standins {

CadStandin::CadStandin(host::ApplicationRef application)
    : objects_(CadObjects::Create()), object_(objects_->Application(application)) {
  progId_ = std::make_unique<com::ProcessProgId>(CLSID_AcadApplication, host::kCadProgId);
  // Strong, as a running application holds itself there until it exits.
  HRESULT result =
      RegisterActiveObject(static_cast<IDispatch*>(object_.Get()), CLSID_AcadApplication,
                           ACTIVEOBJECT_STRONG, &runningCookie_);
  if (FAILED(result)) {
    objects_->Shutdown();
    throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  }
}

automation::Variant CadStandin::DocumentObject(const host::DocumentRef& document) {
  return objects_->Document(document);
}

CadStandin::~CadStandin() {
  RevokeActiveObject(runningCookie_, nullptr);
  progId_.reset();
  objects_->Shutdown();
}

}  // namespace nimbo::win::standins
