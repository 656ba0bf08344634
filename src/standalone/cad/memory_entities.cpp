// The entity objects of the in-memory host: one class per interface of cad.h, all over
// the same handle into the document's Drawing. Every member checks the fault plan under
// "drawing.Entity.<Member>" (whatever the kind), then that the document is open and the
// entity not deleted.
#include <memory>

#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

namespace {

// The colour object: a snapshot, as TrueColor hands it out; its members still answer
// the disconnected error once the document has closed.
class MemoryColor : public host::Color {
 public:
  MemoryColor(DocumentStateRef doc, ColorValue value) : doc_(std::move(doc)), value_(value) {}
  // For ColorSnapshots only, on an object that nobody else holds.
  void Reset(ColorValue value) { value_ = value; }
  int32_t ColorMethod() override {
    Enter(*doc_, "drawing.Color.ColorMethod");
    return value_.method;
  }
  int32_t ColorIndex() override {
    Enter(*doc_, "drawing.Color.ColorIndex");
    return value_.index;
  }
  int32_t Red() override {
    Enter(*doc_, "drawing.Color.Red");
    return value_.red;
  }
  int32_t Green() override {
    Enter(*doc_, "drawing.Color.Green");
    return value_.green;
  }
  int32_t Blue() override {
    Enter(*doc_, "drawing.Color.Blue");
    return value_.blue;
  }

 private:
  DocumentStateRef doc_;
  ColorValue value_;
};

// The members every entity has, over any interface derived from host::Entity.
template <class Interface>
class EntityBase : public Interface, public EntityLink {
 public:
  EntityBase(DocumentStateRef doc, Drawing::Handle handle)
      : EntityLink(std::move(doc), handle), id_(doc_->drawing.Id(handle)) {}
  void Retarget(Drawing::Handle handle) override {
    EntityLink::Retarget(handle);
    id_ = doc_->drawing.Id(handle);
  }

  std::string ObjectName() override {
    Enter("drawing.Entity.ObjectName");
    return standalone::ObjectName(Db().Kind(handle_));
  }
  int64_t ObjectID() override {
    Enter("drawing.Entity.ObjectID");
    return Db().ObjectIdOf(handle_);
  }
  std::string Layer() override {
    Enter("drawing.Entity.Layer");
    return Db().LayerName(handle_);
  }
  void SetLayer(const std::string& layer) override {
    Enter("drawing.Entity.SetLayer");
    const auto number = Db().FindLayer(layer);
    if (!number) {
      throw host_error::Raise(host_error::kKeyNotFound,
                              "Key not found: the drawing has no layer " + Quote(layer));
    }
    Db().SetLayerOf(handle_, *number);
    Change(*doc_, "entity " + id_ + " layer " + Quote(Db().LayerName(handle_)));
  }
  void SetColor(int32_t colorIndex) override {
    Enter("drawing.Entity.SetColor");
    if (colorIndex < 0 || colorIndex > host::kColorByLayer) {
      throw host_error::Raise(
          host_error::kInvalidInput,
          "Invalid input: colour index " + std::to_string(colorIndex) + " is outside 0 to 256");
    }
    const ColorValue color = ColorValue::FromIndexPut(colorIndex);
    Db().SetColorOf(handle_, color);
    Change(*doc_, "entity " + id_ + " colour " + ColorText(color));
  }
  std::shared_ptr<host::Color> TrueColor() override {
    Enter("drawing.Entity.TrueColor");
    return colors_.Take(doc_, Db().ColorOf(handle_));
  }
  int32_t Lineweight() override {
    Enter("drawing.Entity.Lineweight");
    return Db().LineweightOf(handle_);
  }
  void Update() override { Enter("drawing.Entity.Update"); }
  void Delete() override {
    Enter("drawing.Entity.Delete");
    Db().DeleteEntity(handle_);
    Change(*doc_, "entity " + id_ + " deleted");
  }

 protected:
  standalone::Drawing& Db() { return doc_->drawing; }
  // The fault check, the closed document, the deleted entity.
  void Enter(std::string_view target) {
    standalone::Enter(*doc_, target);
    if (!doc_->drawing.IsLive(handle_)) {
      throw host_error::Raise(host_error::kObjectErased,
                              "Object was erased: entity " + id_ + " has been deleted");
    }
  }
  std::string id_;  // kept for messages once the entity is gone
  ColorSnapshots colors_;
};

class MemoryPolyline : public EntityBase<host::LightweightPolyline> {
 public:
  using EntityBase::EntityBase;
  automation::DoubleArray Coordinates() override {
    Enter("drawing.Entity.Coordinates");
    return automation::DoubleArray{0, Db().PointsOf(handle_)};
  }
};

class MemoryLine : public EntityBase<host::Line> {
 public:
  using EntityBase::EntityBase;
  Point3 StartPoint() override {
    Enter("drawing.Entity.StartPoint");
    return Db().GeometryPoint(handle_, 0);
  }
  Point3 EndPoint() override {
    Enter("drawing.Entity.EndPoint");
    return Db().GeometryPoint(handle_, 1);
  }
};

class MemoryPoint : public EntityBase<host::PointEntity> {
 public:
  using EntityBase::EntityBase;
  Point3 Coordinates() override {
    Enter("drawing.Entity.Coordinates");
    return Db().GeometryPoint(handle_, 0);
  }
};

class MemoryDimension : public EntityBase<host::Dimension> {
 public:
  using EntityBase::EntityBase;
  void SetTextOverride(const std::string& text) override {
    Enter("drawing.Entity.SetTextOverride");
    Db().SetText(handle_, text);
    Change(*doc_, "entity " + id_ + " text override " + Quote(text));
  }
  void SetTextHeight(double height) override {
    Enter("drawing.Entity.SetTextHeight");
    if (!(height > 0)) {
      throw host_error::Raise(
          host_error::kInvalidInput,
          "Invalid input: text height " + TranscriptNumber(height) + " is not positive");
    }
    Db().SetHeight(handle_, height);
    Change(*doc_, "entity " + id_ + " text height " + TranscriptNumber(height));
  }
  void SetArrowheadSize(double size) override {
    Enter("drawing.Entity.SetArrowheadSize");
    if (!(size >= 0)) {
      throw host_error::Raise(
          host_error::kInvalidInput,
          "Invalid input: arrowhead size " + TranscriptNumber(size) + " is negative");
    }
    Db().SetArrowheadSize(handle_, size);
    Change(*doc_, "entity " + id_ + " arrowhead size " + TranscriptNumber(size));
  }
};

class MemoryAttributeDefinition : public EntityBase<host::AttributeDefinition> {
 public:
  using EntityBase::EntityBase;
  std::string TagString() override {
    Enter("drawing.Entity.TagString");
    return Db().Entity(handle_).tag;
  }
  std::string TextString() override {
    Enter("drawing.Entity.TextString");
    return Db().Entity(handle_).text;
  }
  void SetTextString(const std::string& value) override {
    Enter("drawing.Entity.SetTextString");
    Db().SetText(handle_, value);
    Change(*doc_, "entity " + id_ + " value " + Quote(value));
  }
  void SetHeight(double height) override {
    Enter("drawing.Entity.SetHeight");
    if (!(height > 0)) {
      throw host_error::Raise(
          host_error::kInvalidInput,
          "Invalid input: height " + TranscriptNumber(height) + " is not positive");
    }
    Db().SetHeight(handle_, height);
    Change(*doc_, "entity " + id_ + " height " + TranscriptNumber(height));
  }
};

using MemoryPlainEntity = EntityBase<host::Entity>;  // circles and arcs
using MemoryRegion = EntityBase<host::Region>;
using MemoryText = EntityBase<host::Text>;
using MemorySolid = EntityBase<host::Solid3d>;
using MemoryBlockReference = EntityBase<host::BlockReference>;

}  // namespace

std::shared_ptr<host::Color> MakeColor(const DocumentStateRef& doc, ColorValue value) {
  return std::make_shared<MemoryColor>(doc, value);
}

std::shared_ptr<host::Color> ColorSnapshots::Take(const DocumentStateRef& doc, ColorValue value) {
  if (last_ && last_.use_count() == 1) {
    static_cast<MemoryColor&>(*last_).Reset(value);  // made by MakeColor below, for `doc`
  } else {
    last_ = MakeColor(doc, value);
  }
  return last_;
}

namespace {

struct LinkedEntity {
  host::EntityRef object;
  EntityLink* link;
};

template <class Object>
LinkedEntity Make(const DocumentStateRef& doc, Drawing::Handle handle) {
  auto object = std::make_shared<Object>(doc, handle);
  EntityLink* link = object.get();
  return {std::move(object), link};
}

LinkedEntity MakeLinkedEntity(const DocumentStateRef& doc, Drawing::Handle handle) {
  switch (doc->drawing.Kind(handle)) {
    case EntityKind::Polyline:
      return Make<MemoryPolyline>(doc, handle);
    case EntityKind::Line:
      return Make<MemoryLine>(doc, handle);
    case EntityKind::Point:
      return Make<MemoryPoint>(doc, handle);
    case EntityKind::Region:
      return Make<MemoryRegion>(doc, handle);
    case EntityKind::Text:
      return Make<MemoryText>(doc, handle);
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension:
      return Make<MemoryDimension>(doc, handle);
    case EntityKind::BlockReference:
      return Make<MemoryBlockReference>(doc, handle);
    case EntityKind::AttributeDefinition:
      return Make<MemoryAttributeDefinition>(doc, handle);
    case EntityKind::Solid:
      return Make<MemorySolid>(doc, handle);
    case EntityKind::Circle:
    case EntityKind::Arc:
      return Make<MemoryPlainEntity>(doc, handle);
  }
  return Make<MemoryPlainEntity>(doc, handle);
}

}  // namespace

bool EntityStillExists(const host::Entity& entity) {
  const auto* link = dynamic_cast<const EntityLink*>(&entity);
  return link != nullptr && !link->LinkedDocument()->closed &&
         link->LinkedDocument()->drawing.IsLive(link->LinkedHandle());
}

std::optional<EntityKind> KindOfEntity(const host::Entity& entity) {
  const auto* link = dynamic_cast<const EntityLink*>(&entity);
  if (link == nullptr) return std::nullopt;
  return link->LinkedDocument()->drawing.Kind(link->LinkedHandle());
}

host::EntityRef MakeEntity(const DocumentStateRef& doc, Drawing::Handle handle) {
  return MakeLinkedEntity(doc, handle).object;
}

const host::EntityRef& EnumeratedEntities::Of(Drawing::Handle handle) {
  Linked& slot = objects_[static_cast<size_t>(doc_->drawing.Kind(handle))];
  // Held here alone, so nobody sees it change; slots go by kind, so its class fits.
  if (slot.object && slot.object.use_count() == 1) {
    slot.link->Retarget(handle);
  } else {
    LinkedEntity made = MakeLinkedEntity(doc_, handle);
    slot = Linked{std::move(made.object), made.link};
  }
  return slot.object;
}

}  // namespace nimbo::standalone
