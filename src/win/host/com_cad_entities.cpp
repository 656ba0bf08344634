#include "win/host/com_cad_entities.h"

#include <string_view>

namespace nimbo::win::host {

using automation::VarType;

automation::DoubleArray ComLightweightPolyline::Coordinates() {
  const Variant value = Get("Coordinates").Value();
  if (value.Type() == VarType::DoubleArray) return value.AsDoubleArray();
  if (value.Type() != VarType::VariantArray) {
    throw automation::errors::Standard(automation::errors::kTypeMismatch);
  }
  const automation::VariantArray& elements = value.AsVariantArray();
  automation::DoubleArray coordinates{elements.lowerBound, {}};
  coordinates.values.reserve(elements.values.size());
  for (const Variant& element : elements.values) {
    coordinates.values.push_back(automation::ToDouble(element));
  }
  return coordinates;
}

nimbo::host::EntityRef AdaptEntity(const Variant& value) {
  com::ComPtr<IDispatch> dispatch = DispatchOf(value);
  if (!dispatch) return nullptr;
  // The interfaces of the automation model that the control reads members of; every
  // dimension interface has the dimension's members.
  const std::string name = InterfaceNameOf(dispatch.Get());
  const std::string_view kind(name);
  if (kind == "IAcadLWPolyline") return std::make_shared<ComLightweightPolyline>(dispatch);
  if (kind == "IAcadLine") return std::make_shared<ComLine>(dispatch);
  if (kind == "IAcadPoint") return std::make_shared<ComPointEntity>(dispatch);
  if (kind == "IAcadRegion") return std::make_shared<ComRegion>(dispatch);
  if (kind == "IAcadText") return std::make_shared<ComText>(dispatch);
  if (kind == "IAcad3DSolid") return std::make_shared<ComSolid3d>(dispatch);
  if (kind == "IAcadBlockReference") return std::make_shared<ComBlockReference>(dispatch);
  if (kind == "IAcadAttribute") return std::make_shared<ComAttributeDefinition>(dispatch);
  if (kind.starts_with("IAcadDim")) return std::make_shared<ComDimension>(dispatch);
  return std::make_shared<ComEntity>(dispatch);
}

}  // namespace nimbo::win::host
