#include "win/host/com_map.h"

namespace nimbo::win::host {

void ComODRecord::SetField(const std::string& fieldName, const Variant& value) {
  com::ComPtr<IDispatch> field = DispatchOf(Call("Item", {Variant(fieldName)}));
  if (!field) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  com::DispatchObject(std::move(field)).Put("Value", value);
}

std::shared_ptr<nimbo::host::MapProject> ComMapApplication::Project(
    const nimbo::host::DocumentRef& document) {
  com::ComPtr<IDispatch> projects = DispatchOf(Get("Projects"));
  if (!projects) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  return Adapt<ComMapProject>(com::DispatchObject(std::move(projects))
                                  .Call("Item", {Variant(automation::ObjectRef(document))}));
}

}  // namespace nimbo::win::host
