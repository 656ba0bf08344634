#include "win/server/public_object.h"

#include "shell/dock_control.h"
#include "win/com/dispatch_object.h"
#include "win/host/com_cad_document.h"
#include "win/host/com_cad_entities.h"

namespace nimbo::win::server {

using automation::Variant;

namespace {

// The adapter of the CAD application's interface `name` over the caller's object; an
// object of an interface not named here passes as it came.
automation::ObjectRef Adapted(const automation::ObjectRef& object, const std::string& name) {
  auto* outside = dynamic_cast<const com::HoldsDispatch*>(object.get());
  if (outside == nullptr || name.empty()) return object;
  com::ComPtr<IDispatch> dispatch(outside->Dispatch());
  if (name == "IAcadDocument") return std::make_shared<host::ComDocument>(dispatch);
  if (name == "IAcadAcCmColor") return std::make_shared<host::ComColor>(dispatch);
  if (name == "IAcadEntity") return host::AdaptEntity(Variant(object));
  return object;
}

}  // namespace

void AdaptObjectArguments(const automation::MemberSignature& signature,
                          std::span<Variant> arguments) {
  for (size_t i = 0; i < arguments.size() && i < signature.parameters.size(); ++i) {
    const automation::MemberParameter& parameter = signature.parameters[i];
    if (parameter.type != automation::MemberType::Object) continue;
    const Variant value = arguments[i].Value();
    if (value.Type() != automation::VarType::Object) continue;
    // The core never sets an object parameter, so the caller's variable is left as it is.
    arguments[i] = Variant(Adapted(value.AsObject(), parameter.objectInterface));
  }
}

automation::AutomationError ErrorOfClass(const std::string& className) {
  automation::AutomationError error = automation::CurrentError();
  if (!error.source().empty()) return error;
  return error.WithSource(std::string(shell::kLibraryName) + "." + className);
}

}  // namespace nimbo::win::server
