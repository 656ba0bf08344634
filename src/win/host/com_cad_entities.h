// The drawing's entities and colour objects over COM. An entity handed out by a
// collection is adapted as the kind its interface announces (its type information), so
// that the control's casts after ObjectName find the members of that kind; the adapter
// makes no call of the automation model to find out.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "automation/convert.h"
#include "host/cad.h"
#include "win/host/cad_object.h"

namespace nimbo::win::host {

class ComColor final : public nimbo::host::Color, public CadObject {
 public:
  using CadObject::CadObject;
  int32_t ColorMethod() override { return automation::ToLong(Get("ColorMethod")); }
  int32_t ColorIndex() override { return automation::ToLong(Get("ColorIndex")); }
  int32_t Red() override { return automation::ToLong(Get("Red")); }
  int32_t Green() override { return automation::ToLong(Get("Green")); }
  int32_t Blue() override { return automation::ToLong(Get("Blue")); }
};

template <class Kind>
class ComEntityOf : public Kind, public CadObject {
 public:
  using CadObject::CadObject;
  std::string ObjectName() override { return automation::ToString(Get("ObjectName")); }
  int64_t ObjectID() override { return automation::ToLong(Get("ObjectID")); }
  std::string Layer() override { return automation::ToString(Get("Layer")); }
  void SetLayer(const std::string& layer) override { Put("Layer", Variant(layer)); }
  void SetColor(int32_t colorIndex) override { Put("color", Variant(colorIndex)); }
  std::shared_ptr<nimbo::host::Color> TrueColor() override {
    return Adapt<ComColor>(Get("TrueColor"));
  }
  int32_t Lineweight() override { return automation::ToLong(Get("Lineweight")); }
  void Update() override { Call("Update"); }
  void Delete() override { Call("Delete"); }
};

using ComEntity = ComEntityOf<nimbo::host::Entity>;
using ComRegion = ComEntityOf<nimbo::host::Region>;
using ComText = ComEntityOf<nimbo::host::Text>;
using ComSolid3d = ComEntityOf<nimbo::host::Solid3d>;
using ComBlockReference = ComEntityOf<nimbo::host::BlockReference>;

class ComLightweightPolyline final : public ComEntityOf<nimbo::host::LightweightPolyline> {
 public:
  using ComEntityOf::ComEntityOf;
  automation::DoubleArray Coordinates() override;
};

class ComLine final : public ComEntityOf<nimbo::host::Line> {
 public:
  using ComEntityOf::ComEntityOf;
  nimbo::host::Point3 StartPoint() override { return PointFrom(Get("StartPoint")); }
  nimbo::host::Point3 EndPoint() override { return PointFrom(Get("EndPoint")); }
};

class ComPointEntity final : public ComEntityOf<nimbo::host::PointEntity> {
 public:
  using ComEntityOf::ComEntityOf;
  nimbo::host::Point3 Coordinates() override { return PointFrom(Get("Coordinates")); }
};

class ComDimension final : public ComEntityOf<nimbo::host::Dimension> {
 public:
  using ComEntityOf::ComEntityOf;
  void SetTextOverride(const std::string& text) override { Put("TextOverride", Variant(text)); }
  void SetTextHeight(double height) override { Put("TextHeight", Variant(height)); }
  void SetArrowheadSize(double size) override { Put("ArrowheadSize", Variant(size)); }
};

class ComAttributeDefinition final : public ComEntityOf<nimbo::host::AttributeDefinition> {
 public:
  using ComEntityOf::ComEntityOf;
  std::string TagString() override { return automation::ToString(Get("TagString")); }
  std::string TextString() override { return automation::ToString(Get("TextString")); }
  void SetTextString(const std::string& value) override { Put("TextString", Variant(value)); }
  void SetHeight(double height) override { Put("Height", Variant(height)); }
};

// An entity result as the adapter of its kind; Nothing gives null.
nimbo::host::EntityRef AdaptEntity(const Variant& value);

}  // namespace nimbo::win::host
