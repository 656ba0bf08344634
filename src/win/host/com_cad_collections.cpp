#include "win/host/com_cad_collections.h"

#include "win/com/enumerate_items.h"
#include "win/com/safe_array.h"
#include "win/com/unique_variant.h"
#include "win/com/variant_conversion.h"

namespace nimbo::win::host {

void ForEachEntity(com::DispatchObject& collection,
                   const std::function<void(const nimbo::host::EntityRef&)>& visit) {
  com::EnumerateItems(collection, [&](const Variant& item) { visit(AdaptEntity(item)); });
}

void ComLayers::ForEach(const std::function<void(const nimbo::host::LayerRef&)>& visit) {
  com::EnumerateItems(Outside(), [&](const Variant& item) { visit(Adapt<ComLayer>(item)); });
}

namespace {

com::UniqueVariant IntegerArray(const std::vector<int16_t>& values) {
  com::SafeArray array(VT_I2, 0, static_cast<uint32_t>(values.size()));
  if (!values.empty()) {
    com::SafeArrayLock lock(array.Get());
    std::copy(values.begin(), values.end(), lock.Data<int16_t>());
  }
  com::UniqueVariant value;
  value.Get().vt = VT_ARRAY | VT_I2;
  value.Get().parray = array.Detach();
  return value;
}

}  // namespace

void ComSelectionSet::Select(int32_t mode, const std::vector<int16_t>& filterTypes,
                             const std::vector<Variant>& filterData) {
  std::vector<com::UniqueVariant> arguments;
  arguments.push_back(com::ToComVariant(Variant(mode)));
  arguments.push_back(com::ToComVariant(Variant(automation::Missing{})));
  arguments.push_back(com::ToComVariant(Variant(automation::Missing{})));
  arguments.push_back(IntegerArray(filterTypes));
  arguments.push_back(com::ToComVariant(Variant(automation::VariantArray{0, filterData})));
  Outside().CallWith("Select", std::move(arguments));
}

Point3 ComUtility::GetPoint(const std::optional<Point3>& basePoint,
                            const std::optional<std::string>& prompt) {
  const Variant missing{automation::Missing{}};
  return PointFrom(Call("GetPoint", {basePoint ? PointValue(*basePoint) : missing,
                                     prompt ? Variant(*prompt) : missing}));
}

}  // namespace nimbo::win::host
