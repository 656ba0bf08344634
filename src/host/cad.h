// The CAD host as the control reaches it: the automation interfaces of the CAD
// application (release 17), typed because their members are named. Every call may raise
// an AutomationError; the callers trap it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/variant.h"

namespace nimbo::host {

using automation::DoubleArray;
using automation::Variant;
using automation::VBool;

struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
  friend bool operator==(const Point3&, const Point3&) = default;
};

// Colour methods of the host's colour-method enumeration.
namespace color_method {
inline constexpr int32_t kByLayer = 192;
inline constexpr int32_t kByBlock = 193;
inline constexpr int32_t kByRGB = 194;
inline constexpr int32_t kByACI = 195;
inline constexpr int32_t kForeground = 196;
inline constexpr int32_t kNone = 200;
}  // namespace color_method

// Colour index values with a meaning of their own.
inline constexpr int32_t kColorByBlock = 0;
inline constexpr int32_t kColorByLayer = 256;
inline constexpr int32_t kLineweightByLayer = -1;

// The colour object of a layer or an entity (a snapshot, as TrueColor hands it out).
class Color : public automation::Object {
 public:
  virtual int32_t ColorMethod() = 0;
  virtual int32_t ColorIndex() = 0;
  virtual int32_t Red() = 0;
  virtual int32_t Green() = 0;
  virtual int32_t Blue() = 0;
};

class Entity : public automation::Object {
 public:
  // One of the class names of entity_classes.h, or another class the control ignores.
  virtual std::string ObjectName() = 0;
  virtual int64_t ObjectID() = 0;
  virtual std::string Layer() = 0;
  virtual void SetLayer(const std::string& layer) = 0;
  // The colour index put (256 is by layer, 0 by block).
  virtual void SetColor(int32_t colorIndex) = 0;
  virtual std::shared_ptr<Color> TrueColor() = 0;
  virtual int32_t Lineweight() = 0;
  virtual void Update() = 0;
  virtual void Delete() = 0;
};
using EntityRef = std::shared_ptr<Entity>;

class LightweightPolyline : public Entity {
 public:
  // Flat x0, y0, x1, y1, ...
  virtual DoubleArray Coordinates() = 0;
};

class Line : public Entity {
 public:
  virtual Point3 StartPoint() = 0;
  virtual Point3 EndPoint() = 0;
};

class PointEntity : public Entity {
 public:
  virtual Point3 Coordinates() = 0;
};

class Region : public Entity {};
class Text : public Entity {};
class Solid3d : public Entity {};
class BlockReference : public Entity {};

class Dimension : public Entity {
 public:
  virtual void SetTextOverride(const std::string& text) = 0;
  virtual void SetTextHeight(double height) = 0;
  virtual void SetArrowheadSize(double size) = 0;
};

class AttributeDefinition : public Entity {
 public:
  virtual std::string TagString() = 0;
  virtual std::string TextString() = 0;
  virtual void SetTextString(const std::string& value) = 0;
  virtual void SetHeight(double height) = 0;
};

// Model space, paper space or a block definition: a collection of entities that can
// add entities of its own.
class EntityCollection : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  virtual EntityRef Item(int32_t index) = 0;
  // Visits, in order, every entity that existed when the enumeration started and still
  // exists when it is reached. The visitor may delete entities, the one visited included.
  virtual void ForEach(const std::function<void(const EntityRef&)>& visit) = 0;

  virtual std::shared_ptr<PointEntity> AddPoint(const Point3& at) = 0;
  // Flat x0, y0, x1, y1, ... (at least two vertices).
  virtual std::shared_ptr<LightweightPolyline> AddLightWeightPolyline(
      const DoubleArray& vertices) = 0;
  virtual std::shared_ptr<Text> AddText(const std::string& text, const Point3& insertion,
                                        double height) = 0;
  virtual std::shared_ptr<Dimension> AddDimAligned(const Point3& first, const Point3& second,
                                                   const Point3& textPosition) = 0;
  virtual std::shared_ptr<Dimension> AddDimAngular(const Point3& vertex, const Point3& first,
                                                   const Point3& second,
                                                   const Point3& textPosition) = 0;
  virtual std::shared_ptr<Solid3d> AddExtrudedSolid(const std::shared_ptr<Region>& profile,
                                                    double height, double taperAngle) = 0;
  virtual std::shared_ptr<BlockReference> InsertBlock(const Point3& at, const std::string& name,
                                                      double xScale, double yScale, double zScale,
                                                      double rotation) = 0;
  virtual std::shared_ptr<AttributeDefinition> AddAttribute(double height, int32_t mode,
                                                            const std::string& prompt,
                                                            const Point3& insertion,
                                                            const std::string& tag,
                                                            const std::string& value) = 0;
};

class Block : public EntityCollection {
 public:
  virtual std::string Name() = 0;
};

class Blocks : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  virtual std::shared_ptr<Block> Item(int32_t index) = 0;
  virtual std::shared_ptr<Block> Add(const Point3& origin, const std::string& name) = 0;
};

class Layer : public automation::Object {
 public:
  virtual std::string Name() = 0;
  // The colour index put.
  virtual void SetColor(int32_t colorIndex) = 0;
  virtual bool LayerOn() = 0;
  virtual std::shared_ptr<Color> TrueColor() = 0;
  virtual int32_t Lineweight() = 0;
  virtual void Delete() = 0;
};
using LayerRef = std::shared_ptr<Layer>;

class Layers : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // Zero-based.
  virtual LayerRef Item(int32_t index) = 0;
  // Adding a name that exists answers the existing layer.
  virtual LayerRef Add(const std::string& name) = 0;
  virtual void ForEach(const std::function<void(const LayerRef&)>& visit) = 0;
};

class SelectionSet : public automation::Object {
 public:
  virtual std::string Name() = 0;
  // Lets the person select objects on screen, without a filter.
  virtual void SelectOnScreen() = 0;
  // Mode 7 selects by crossing polygon; points are flat x, y, z triples.
  virtual void SelectByPolygon(int32_t mode, const DoubleArray& points) = 0;
  // The automation model's Select(Mode, Point1, Point2, FilterType, FilterData) without
  // points, as mode 5 (all objects) takes it: every object that passes the filter, whose
  // group codes and values pair up by position (selection_filter.h builds them).
  virtual void Select(int32_t mode, const std::vector<int16_t>& filterTypes,
                      const std::vector<Variant>& filterData) = 0;
  virtual int32_t Count() = 0;
  virtual EntityRef Item(int32_t index) = 0;
  virtual void ForEach(const std::function<void(const EntityRef&)>& visit) = 0;
  virtual void Delete() = 0;
};

namespace selection_mode {
inline constexpr int32_t kAll = 5;
inline constexpr int32_t kCrossingPolygon = 7;
}  // namespace selection_mode

// The DXF group codes a selection filter names.
namespace group_code {
inline constexpr int16_t kLayerName = 8;
inline constexpr int16_t kLayoutName = 410;
}  // namespace group_code

class SelectionSets : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // Names are unique: adding an existing name fails.
  virtual std::shared_ptr<SelectionSet> Add(const std::string& name) = 0;
};

class Utility : public automation::Object {
 public:
  // A cancelled pick raises errors::kUserCancelled.
  virtual Point3 GetPoint(const std::optional<Point3>& basePoint,
                          const std::optional<std::string>& prompt) = 0;
};

class Document;
class Application;

// The drawing's events, as its connection point delivers them.
class DocumentEvents {
 public:
  virtual ~DocumentEvents() = default;
  virtual void BeginDocClose(VBool& cancel) = 0;
  virtual void EndCommand(const std::string& commandName) = 0;
};

class Document : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual Variant GetVariable(const std::string& name) = 0;
  virtual void SetVariable(const std::string& name, const Variant& value) = 0;
  virtual std::shared_ptr<::nimbo::host::Application> Application() = 0;
  virtual std::shared_ptr<EntityCollection> ModelSpace() = 0;
  virtual std::shared_ptr<EntityCollection> PaperSpace() = 0;
  virtual std::shared_ptr<::nimbo::host::Layers> Layers() = 0;
  virtual std::shared_ptr<::nimbo::host::Blocks> Blocks() = 0;
  virtual std::shared_ptr<::nimbo::host::SelectionSets> SelectionSets() = 0;
  virtual std::shared_ptr<::nimbo::host::Utility> Utility() = 0;

  // Connection point of the drawing's events. The sink is borrowed: it must stay valid
  // until Unadvise. Answers a cookie for Unadvise.
  virtual int32_t Advise(DocumentEvents* sink) = 0;
  virtual void Unadvise(int32_t cookie) = 0;
};
using DocumentRef = std::shared_ptr<Document>;

class Application : public automation::Object {
 public:
  // May be null: no drawing is open.
  virtual DocumentRef ActiveDocument() = 0;
  // "AutoCADMap.Application" answers the Map application.
  virtual automation::ObjectRef GetInterfaceObject(const std::string& progId) = 0;
  virtual void ZoomCenter(const Point3& center, double magnification) = 0;
};
using ApplicationRef = std::shared_ptr<Application>;

}  // namespace nimbo::host
