// The drawing's collections over COM: model space, paper space and block definitions,
// the block, layer and selection-set tables, a selection set, and the utility object.
// For Each goes through each collection's enumerator, one item at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/cad.h"
#include "win/host/cad_object.h"
#include "win/host/com_cad_entities.h"

namespace nimbo::win::host {

using nimbo::host::Point3;

template <class Interface>
class ComEntityCollectionOf : public Interface, public CadObject {
 public:
  using CadObject::CadObject;
  int32_t Count() override { return automation::ToLong(Get("Count")); }
  nimbo::host::EntityRef Item(int32_t index) override {
    return AdaptEntity(Call("Item", {Variant(index)}));
  }
  void ForEach(const std::function<void(const nimbo::host::EntityRef&)>& visit) override;

  std::shared_ptr<nimbo::host::PointEntity> AddPoint(const Point3& at) override {
    return Adapt<ComPointEntity>(Call("AddPoint", {PointValue(at)}));
  }
  std::shared_ptr<nimbo::host::LightweightPolyline> AddLightWeightPolyline(
      const automation::DoubleArray& vertices) override {
    return Adapt<ComLightweightPolyline>(Call("AddLightWeightPolyline", {Variant(vertices)}));
  }
  std::shared_ptr<nimbo::host::Text> AddText(const std::string& text, const Point3& insertion,
                                             double height) override {
    return Adapt<ComText>(Call("AddText", {Variant(text), PointValue(insertion), Variant(height)}));
  }
  std::shared_ptr<nimbo::host::Dimension> AddDimAligned(const Point3& first, const Point3& second,
                                                        const Point3& textPosition) override {
    return Adapt<ComDimension>(
        Call("AddDimAligned", {PointValue(first), PointValue(second), PointValue(textPosition)}));
  }
  std::shared_ptr<nimbo::host::Dimension> AddDimAngular(const Point3& vertex, const Point3& first,
                                                        const Point3& second,
                                                        const Point3& textPosition) override {
    return Adapt<ComDimension>(Call(
        "AddDimAngular",
        {PointValue(vertex), PointValue(first), PointValue(second), PointValue(textPosition)}));
  }
  std::shared_ptr<nimbo::host::Solid3d> AddExtrudedSolid(
      const std::shared_ptr<nimbo::host::Region>& profile, double height,
      double taperAngle) override {
    return Adapt<ComSolid3d>(Call("AddExtrudedSolid", {Variant(automation::ObjectRef(profile)),
                                                       Variant(height), Variant(taperAngle)}));
  }
  std::shared_ptr<nimbo::host::BlockReference> InsertBlock(const Point3& at,
                                                           const std::string& name, double xScale,
                                                           double yScale, double zScale,
                                                           double rotation) override {
    return Adapt<ComBlockReference>(
        Call("InsertBlock", {PointValue(at), Variant(name), Variant(xScale), Variant(yScale),
                             Variant(zScale), Variant(rotation)}));
  }
  std::shared_ptr<nimbo::host::AttributeDefinition> AddAttribute(
      double height, int32_t mode, const std::string& prompt, const Point3& insertion,
      const std::string& tag, const std::string& value) override {
    return Adapt<ComAttributeDefinition>(
        Call("AddAttribute", {Variant(height), Variant(mode), Variant(prompt),
                              PointValue(insertion), Variant(tag), Variant(value)}));
  }
};

// Every item of an outside collection, adapted as an entity.
void ForEachEntity(com::DispatchObject& collection,
                   const std::function<void(const nimbo::host::EntityRef&)>& visit);

template <class Interface>
void ComEntityCollectionOf<Interface>::ForEach(
    const std::function<void(const nimbo::host::EntityRef&)>& visit) {
  ForEachEntity(Outside(), visit);
}

using ComEntityCollection = ComEntityCollectionOf<nimbo::host::EntityCollection>;

class ComBlock final : public ComEntityCollectionOf<nimbo::host::Block> {
 public:
  using ComEntityCollectionOf::ComEntityCollectionOf;
  std::string Name() override { return automation::ToString(Get("Name")); }
};

class ComBlocks final : public nimbo::host::Blocks, public CadObject {
 public:
  using CadObject::CadObject;
  int32_t Count() override { return automation::ToLong(Get("Count")); }
  std::shared_ptr<nimbo::host::Block> Item(int32_t index) override {
    return Adapt<ComBlock>(Call("Item", {Variant(index)}));
  }
  std::shared_ptr<nimbo::host::Block> Add(const Point3& origin, const std::string& name) override {
    return Adapt<ComBlock>(Call("Add", {PointValue(origin), Variant(name)}));
  }
};

class ComLayer final : public nimbo::host::Layer, public CadObject {
 public:
  using CadObject::CadObject;
  std::string Name() override { return automation::ToString(Get("Name")); }
  void SetColor(int32_t colorIndex) override { Put("color", Variant(colorIndex)); }
  bool LayerOn() override { return automation::ToBoolean(Get("LayerOn")); }
  std::shared_ptr<nimbo::host::Color> TrueColor() override {
    return Adapt<ComColor>(Get("TrueColor"));
  }
  int32_t Lineweight() override { return automation::ToLong(Get("Lineweight")); }
  void Delete() override { Call("Delete"); }
};

class ComLayers final : public nimbo::host::Layers, public CadObject {
 public:
  using CadObject::CadObject;
  int32_t Count() override { return automation::ToLong(Get("Count")); }
  // The layer table takes a 16-bit index.
  nimbo::host::LayerRef Item(int32_t index) override {
    return Adapt<ComLayer>(Call("Item", {Variant(automation::CheckedInteger(index))}));
  }
  nimbo::host::LayerRef Add(const std::string& name) override {
    return Adapt<ComLayer>(Call("Add", {Variant(name)}));
  }
  void ForEach(const std::function<void(const nimbo::host::LayerRef&)>& visit) override;
};

class ComSelectionSet final : public nimbo::host::SelectionSet, public CadObject {
 public:
  using CadObject::CadObject;
  std::string Name() override { return automation::ToString(Get("Name")); }
  void SelectOnScreen() override { Call("SelectOnScreen"); }
  void SelectByPolygon(int32_t mode, const automation::DoubleArray& points) override {
    Call("SelectByPolygon", {Variant(mode), Variant(points)});
  }
  // The filter goes as the automation model takes it: the group codes as an array of
  // 16-bit integers, the values as an array of VARIANTs, the two points missing.
  void Select(int32_t mode, const std::vector<int16_t>& filterTypes,
              const std::vector<Variant>& filterData) override;
  int32_t Count() override { return automation::ToLong(Get("Count")); }
  nimbo::host::EntityRef Item(int32_t index) override {
    return AdaptEntity(Call("Item", {Variant(index)}));
  }
  void ForEach(const std::function<void(const nimbo::host::EntityRef&)>& visit) override {
    ForEachEntity(Outside(), visit);
  }
  void Delete() override { Call("Delete"); }
};

class ComSelectionSets final : public nimbo::host::SelectionSets, public CadObject {
 public:
  using CadObject::CadObject;
  int32_t Count() override { return automation::ToLong(Get("Count")); }
  std::shared_ptr<nimbo::host::SelectionSet> Add(const std::string& name) override {
    return Adapt<ComSelectionSet>(Call("Add", {Variant(name)}));
  }
};

class ComUtility final : public nimbo::host::Utility, public CadObject {
 public:
  using CadObject::CadObject;
  // An argument not given is passed as missing.
  Point3 GetPoint(const std::optional<Point3>& basePoint,
                  const std::optional<std::string>& prompt) override;
};

}  // namespace nimbo::win::host
