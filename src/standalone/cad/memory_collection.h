// The entity collections of a document: model space, paper space and each block
// definition (MemoryBlock adds the block's name). Every member checks the fault plan under
// "drawing.ModelSpace.<Member>", "drawing.PaperSpace.<Member>" or "drawing.Block.<Member>".
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "automation/convert.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

struct CollectionTargets {
  explicit CollectionTargets(const std::string& object)
      : count("drawing." + object + ".Count"),
        item("drawing." + object + ".Item"),
        forEach("drawing." + object + ".ForEach"),
        addPoint("drawing." + object + ".AddPoint"),
        addPolyline("drawing." + object + ".AddLightWeightPolyline"),
        addText("drawing." + object + ".AddText"),
        addDimAligned("drawing." + object + ".AddDimAligned"),
        addDimAngular("drawing." + object + ".AddDimAngular"),
        addExtrudedSolid("drawing." + object + ".AddExtrudedSolid"),
        insertBlock("drawing." + object + ".InsertBlock"),
        addAttribute("drawing." + object + ".AddAttribute"),
        name("drawing." + object + ".Name") {}
  std::string count, item, forEach, addPoint, addPolyline, addText, addDimAligned, addDimAngular,
      addExtrudedSolid, insertBlock, addAttribute, name;
};

inline const CollectionTargets& TargetsOf(Space space) {
  static const CollectionTargets model("ModelSpace");
  static const CollectionTargets paper("PaperSpace");
  static const CollectionTargets block("Block");
  if (space == Space::Model()) return model;
  if (space == Space::Paper()) return paper;
  return block;
}

// Dimensions made by the host start with the default dimension style's sizes.
inline constexpr double kDefaultDimensionTextHeight = 0.18;
inline constexpr double kDefaultArrowheadSize = 0.18;

template <class Interface>
class MemoryCollection : public Interface {
 public:
  MemoryCollection(DocumentStateRef doc, Space space)
      : doc_(std::move(doc)), space_(space), targets_(TargetsOf(space)) {}

  int32_t Count() override {
    Enter(*doc_, targets_.count);
    return CountOf(Db().LiveCount(space_));
  }
  host::EntityRef Item(int32_t index) override {
    Enter(*doc_, targets_.item);
    const Drawing::Handle h =
        index < 0 ? Drawing::kNoHandle : Db().ItemOf(space_, static_cast<uint32_t>(index));
    if (h == Drawing::kNoHandle) throw NoItem(What(), index, Db().LiveCount(space_));
    return MakeEntity(doc_, h);
  }
  void ForEach(const std::function<void(const host::EntityRef&)>& visit) override {
    Enter(*doc_, targets_.forEach);
    Drawing& db = Db();
    db.BeginEnumeration(space_);
    struct Guard {
      Drawing& db;
      Space space;
      ~Guard() { db.EndEnumeration(space); }
    } guard{db, space_};
    EnumeratedEntities objects(doc_);
    const std::vector<Drawing::Handle>& slots = db.Slots(space_);
    const size_t count = slots.size();  // what existed when the enumeration started
    for (size_t i = 0; i < count && !doc_->closed; ++i) {
      const Drawing::Handle h = slots[i];
      if (db.IsLive(h)) visit(objects.Of(h));
    }
  }

  std::shared_ptr<host::PointEntity> AddPoint(const Point3& at) override {
    Enter(*doc_, targets_.addPoint);
    EntityData e;
    e.kind = EntityKind::Point;
    e.at = at;
    return Add<host::PointEntity>(e, "at " + PointText(at));
  }

  std::shared_ptr<host::LightweightPolyline> AddLightWeightPolyline(
      const automation::DoubleArray& vertices) override {
    Enter(*doc_, targets_.addPolyline);
    const auto& values = vertices.values;
    if (values.size() < 4 || values.size() % 2 != 0) {
      throw host_error::Raise(
          host_error::kInvalidInput,
          "Invalid input: a lightweight polyline needs an even number of at least four "
          "coordinates, not " +
              std::to_string(values.size()));
    }
    EntityData e;
    e.kind = EntityKind::Polyline;
    e.points = values;
    std::string geometry = "[";
    for (size_t i = 0; i < values.size(); i += 2) {
      if (i > 0) geometry += ", ";
      geometry += "(" + TranscriptNumber(values[i]) + ", " + TranscriptNumber(values[i + 1]) + ")";
    }
    return Add<host::LightweightPolyline>(e, geometry + "]");
  }

  std::shared_ptr<host::Text> AddText(const std::string& text, const Point3& insertion,
                                      double height) override {
    Enter(*doc_, targets_.addText);
    CheckHeight(height, "text height");
    EntityData e;
    e.kind = EntityKind::Text;
    e.text = text;
    e.at = insertion;
    e.height = height;
    return Add<host::Text>(
        e, Quote(text) + " at " + PointText(insertion) + " height " + TranscriptNumber(height));
  }

  std::shared_ptr<host::Dimension> AddDimAligned(const Point3& first, const Point3& second,
                                                 const Point3& textPosition) override {
    Enter(*doc_, targets_.addDimAligned);
    EntityData e;
    e.kind = EntityKind::AlignedDimension;
    e.first = first;
    e.second = second;
    e.textPosition = textPosition;
    e.height = kDefaultDimensionTextHeight;
    e.arrowheadSize = kDefaultArrowheadSize;
    return Add<host::Dimension>(e, "from " + PointText(first) + " to " + PointText(second) +
                                       " text at " + PointText(textPosition));
  }

  std::shared_ptr<host::Dimension> AddDimAngular(const Point3& vertex, const Point3& first,
                                                 const Point3& second,
                                                 const Point3& textPosition) override {
    Enter(*doc_, targets_.addDimAngular);
    EntityData e;
    e.kind = EntityKind::AngularDimension;
    e.vertex = vertex;
    e.first = first;
    e.second = second;
    e.textPosition = textPosition;
    e.height = kDefaultDimensionTextHeight;
    e.arrowheadSize = kDefaultArrowheadSize;
    return Add<host::Dimension>(e, "vertex " + PointText(vertex) + " from " + PointText(first) +
                                       " to " + PointText(second) + " text at " +
                                       PointText(textPosition));
  }

  std::shared_ptr<host::Solid3d> AddExtrudedSolid(const std::shared_ptr<host::Region>& profile,
                                                  double height, double taperAngle) override {
    Enter(*doc_, targets_.addExtrudedSolid);
    auto* link = dynamic_cast<EntityLink*>(profile.get());
    if (!link || link->LinkedDocument() != doc_ || !Db().IsLive(link->LinkedHandle()) ||
        Db().Kind(link->LinkedHandle()) != EntityKind::Region) {
      throw host_error::Raise(
          host_error::kInvalidInput,
          "Invalid input: the profile is not a region of drawing " + Db().Name());
    }
    if (height == 0 || !std::isfinite(height)) {
      throw host_error::Raise(host_error::kInvalidInput,
                              "Invalid input: extrusion height " + TranscriptNumber(height));
    }
    if (!(std::fabs(taperAngle) < 1.5707963267948966)) {
      throw host_error::Raise(host_error::kInvalidInput,
                              "Invalid input: taper angle " + TranscriptNumber(taperAngle));
    }
    const Drawing::Handle region = link->LinkedHandle();
    EntityData e;
    e.kind = EntityKind::Solid;
    e.profile = Db().Id(region);
    e.points = Db().PointsOf(region);
    e.height = height;
    e.taperAngle = taperAngle;
    return Add<host::Solid3d>(e, "profile " + e.profile + " height " + TranscriptNumber(height) +
                                     " taper " + TranscriptNumber(taperAngle));
  }

  std::shared_ptr<host::BlockReference> InsertBlock(const Point3& at, const std::string& name,
                                                    double xScale, double yScale, double zScale,
                                                    double rotation) override {
    Enter(*doc_, targets_.insertBlock);
    const auto block = Db().FindBlock(name);
    if (!block) {
      throw host_error::Raise(host_error::kKeyNotFound,
                              "Key not found: the drawing has no block definition " + Quote(name));
    }
    if (xScale == 0 || yScale == 0 || zScale == 0) {
      throw host_error::Raise(host_error::kInvalidInput, "Invalid input: a scale factor of 0");
    }
    EntityData e;
    e.kind = EntityKind::BlockReference;
    e.block = Db().Block(*block).name;
    e.at = at;
    e.scale = Point3{xScale, yScale, zScale};
    e.rotation = rotation;
    // One attribute per attribute definition of the block, with its default value.
    const Space blockSpace = Space::Block(*block);
    Db().ForEachEntity(blockSpace, [&e](const EntityData& member) {
      if (member.kind == EntityKind::AttributeDefinition) {
        e.attributes.push_back(AttributeValue{member.tag, member.text});
      }
    });
    std::string geometry = Quote(e.block) + " at " + PointText(at) + " scale " +
                           PointText(e.scale) + " rotation " + TranscriptNumber(rotation);
    for (const AttributeValue& a : e.attributes) {
      geometry += " attribute " + Quote(a.tag) + " = " + Quote(a.value);
    }
    return Add<host::BlockReference>(e, geometry);
  }

  std::shared_ptr<host::AttributeDefinition> AddAttribute(double height, int32_t mode,
                                                          const std::string& prompt,
                                                          const Point3& insertion,
                                                          const std::string& tag,
                                                          const std::string& value) override {
    Enter(*doc_, targets_.addAttribute);
    CheckHeight(height, "attribute height");
    if (tag.empty() || tag.find(' ') != std::string::npos) {
      throw host_error::Raise(host_error::kInvalidInput,
                              "Invalid input: " + Quote(tag) + " is not a valid attribute tag");
    }
    EntityData e;
    e.kind = EntityKind::AttributeDefinition;
    e.height = height;
    e.mode = mode;
    e.prompt = prompt;
    e.at = insertion;
    e.tag = tag;
    e.text = value;
    return Add<host::AttributeDefinition>(
        e, "tag " + Quote(tag) + " value " + Quote(value) + " prompt " + Quote(prompt) + " mode " +
               std::to_string(mode) + " height " + TranscriptNumber(height) + " at " +
               PointText(insertion));
  }

 protected:
  Drawing& Db() { return doc_->drawing; }
  std::string What() const {
    if (space_ == Space::Model()) return "ModelSpace";
    if (space_ == Space::Paper()) return "PaperSpace";
    return "block " + Quote(doc_->drawing.Block(space_.BlockIndex()).name);
  }
  std::string Where() const {
    if (space_ == Space::Model()) return "";
    if (space_ == Space::Paper()) return " in paper space";
    return " in block " + Quote(doc_->drawing.Block(space_.BlockIndex()).name);
  }
  static void CheckHeight(double height, const char* what) {
    if (!(height > 0) || !std::isfinite(height)) {
      throw host_error::Raise(host_error::kInvalidInput, std::string("Invalid input: ") + what +
                                                             " " + TranscriptNumber(height) +
                                                             " is not positive");
    }
  }
  template <class Result>
  std::shared_ptr<Result> Add(const EntityData& e, const std::string& geometry) {
    const Drawing::Handle h = Db().CreateEntity(space_, e);
    Change(*doc_, "entity " + Db().Id(h) + " added " + KindName(e.kind) + Where() + " on " +
                      Quote(Db().LayerName(h)) + " " + geometry);
    return std::dynamic_pointer_cast<Result>(MakeEntity(doc_, h));
  }

  DocumentStateRef doc_;
  Space space_;
  const CollectionTargets& targets_;
};

class MemoryBlock : public MemoryCollection<host::Block> {
 public:
  using MemoryCollection::MemoryCollection;
  std::string Name() override {
    Enter(*doc_, targets_.name);
    return Db().Block(space_.BlockIndex()).name;
  }
};

}  // namespace nimbo::standalone
