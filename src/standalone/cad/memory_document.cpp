// The document objects of the in-memory host: Document, its layer table and layers,
// model space, paper space and block definitions, the block table, the selection sets,
// the utility's picks. Each member checks the fault plan under its target
// ("drawing.<Object>.<Member>"), then that the document is open.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_set>

#include "automation/convert.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

using automation::AutomationError;
using host_error::Raise;

// ----- shared helpers -----------------------------------------------------------------

void Enter(DocumentState& doc, std::string_view target) {
  doc.services.faults->Check(target);
  if (doc.closed) throw Raise(host_error::kDisconnected, host_error::kDisconnectedText);
}

void Change(DocumentState& doc, const std::string& change) {
  doc.services.journal->Write("drawing " + doc.drawing.Name() + " " + change);
}

std::string Quote(const std::string& text) {
  return TranscriptString(text);
}

std::string PointText(const Point3& p) {
  return TranscriptPoint(p.x, p.y, p.z);
}

std::string ColorText(const ColorValue& color) {
  using namespace host::color_method;
  if (color.method == kByLayer && color.index == host::kColorByLayer) return "ByLayer";
  if (color.method == kByBlock && color.index == host::kColorByBlock) return "ByBlock";
  if (color.method == kByACI) return std::to_string(color.index);
  if (color.method == kByRGB) {
    return "RGB(" + std::to_string(color.red) + ", " + std::to_string(color.green) + ", " +
           std::to_string(color.blue) + ")";
  }
  return "method " + std::to_string(color.method) + " index " + std::to_string(color.index);
}

void DocumentState::RaiseBeginDocClose(automation::VBool& cancel) {
  std::vector<int32_t> cookies;
  for (const auto& [cookie, sink] : sinks) cookies.push_back(cookie);
  for (const int32_t cookie : cookies) {
    if (closed) return;
    auto it = std::find_if(sinks.begin(), sinks.end(),
                           [cookie](const auto& entry) { return entry.first == cookie; });
    if (it == sinks.end()) continue;  // unadvised meanwhile
    try {
      it->second->BeginDocClose(cancel);
    } catch (const AutomationError&) {
      // A connection point ignores its sinks' failures.
    }
  }
}

void DocumentState::RaiseEndCommand(const std::string& commandName) {
  std::vector<int32_t> cookies;
  for (const auto& [cookie, sink] : sinks) cookies.push_back(cookie);
  for (const int32_t cookie : cookies) {
    if (closed) return;
    auto it = std::find_if(sinks.begin(), sinks.end(),
                           [cookie](const auto& entry) { return entry.first == cookie; });
    if (it == sinks.end()) continue;
    try {
      it->second->EndCommand(commandName);
    } catch (const AutomationError&) {
    }
  }
}

namespace {

int32_t CountOf(size_t n) {
  return automation::CheckedLong(static_cast<int64_t>(n));
}

AutomationError NoItem(const std::string& collection, int32_t index, size_t count) {
  return Raise(host_error::kKeyNotFound, "Key not found: " + collection + " has no item " +
                                             std::to_string(index) + " (it holds " +
                                             std::to_string(count) + ")");
}

// Symbol names (layers, blocks) of the CAD application: not empty, none of its
// reserved characters.
void CheckSymbolName(const std::string& kind, const std::string& name) {
  if (name.empty() || name.find_first_of("<>/\\\":;?*|,=`") != std::string::npos) {
    throw Raise(host_error::kInvalidInput,
                "Invalid input: " + Quote(name) + " is not a valid " + kind + " name");
  }
}

std::string JoinIds(const std::vector<std::string>& ids) {
  std::string out = "[";
  for (size_t i = 0; i < ids.size(); ++i) {
    if (i > 0) out += ", ";
    out += Quote(ids[i]);
  }
  return out + "]";
}

// ----- model space, paper space, block definitions --------------------------------------

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

const CollectionTargets& TargetsOf(Space space) {
  static const CollectionTargets model("ModelSpace");
  static const CollectionTargets paper("PaperSpace");
  static const CollectionTargets block("Block");
  if (space == Space::Model()) return model;
  if (space == Space::Paper()) return paper;
  return block;
}

// Dimensions made by the host start with the default dimension style's sizes.
constexpr double kDefaultDimensionTextHeight = 0.18;
constexpr double kDefaultArrowheadSize = 0.18;

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
      throw Raise(host_error::kInvalidInput,
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
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: the profile is not a region of drawing " + Db().Name());
    }
    if (height == 0 || !std::isfinite(height)) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: extrusion height " + TranscriptNumber(height));
    }
    if (!(std::fabs(taperAngle) < 1.5707963267948966)) {
      throw Raise(host_error::kInvalidInput,
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
      throw Raise(host_error::kKeyNotFound,
                  "Key not found: the drawing has no block definition " + Quote(name));
    }
    if (xScale == 0 || yScale == 0 || zScale == 0) {
      throw Raise(host_error::kInvalidInput, "Invalid input: a scale factor of 0");
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
      throw Raise(host_error::kInvalidInput,
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
      throw Raise(host_error::kInvalidInput, std::string("Invalid input: ") + what + " " +
                                                 TranscriptNumber(height) + " is not positive");
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

// ----- blocks ------------------------------------------------------------------------

class MemoryBlocks : public host::Blocks {
 public:
  explicit MemoryBlocks(DocumentStateRef doc) : doc_(std::move(doc)) {}
  int32_t Count() override {
    Enter(*doc_, "drawing.Blocks.Count");
    return CountOf(doc_->drawing.BlockCount());
  }
  std::shared_ptr<host::Block> Item(int32_t index) override {
    Enter(*doc_, "drawing.Blocks.Item");
    if (index < 0 || static_cast<uint32_t>(index) >= doc_->drawing.BlockCount()) {
      throw NoItem("Blocks", index, doc_->drawing.BlockCount());
    }
    return std::make_shared<MemoryBlock>(doc_, Space::Block(static_cast<uint32_t>(index)));
  }
  std::shared_ptr<host::Block> Add(const Point3& origin, const std::string& name) override {
    Enter(*doc_, "drawing.Blocks.Add");
    CheckSymbolName("block", name);
    // A name that exists, in any letter case, answers the existing definition.
    if (auto found = doc_->drawing.FindBlock(name)) {
      return std::make_shared<MemoryBlock>(doc_, Space::Block(*found));
    }
    const uint32_t index = doc_->drawing.AddBlock(BlockData{name, origin});
    Change(*doc_, "block added " + Quote(name) + " at " + PointText(origin));
    return std::make_shared<MemoryBlock>(doc_, Space::Block(index));
  }

 private:
  DocumentStateRef doc_;
};

// ----- layers ------------------------------------------------------------------------

class MemoryLayer : public host::Layer {
 public:
  MemoryLayer(DocumentStateRef doc, uint32_t layer)
      : doc_(std::move(doc)), layer_(layer), name_(doc_->drawing.Layer(layer).name) {}

  std::string Name() override {
    Enter("drawing.Layer.Name");
    return name_;
  }
  void SetColor(int32_t colorIndex) override {
    Enter("drawing.Layer.SetColor");
    if (colorIndex < 1 || colorIndex > 255) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: a layer's colour index must be 1 to "
                  "255, not " +
                      std::to_string(colorIndex));
    }
    doc_->drawing.SetLayerColor(layer_, ColorValue::Index(colorIndex));
    Change(*doc_, "layer " + Quote(name_) + " colour " + std::to_string(colorIndex));
  }
  bool LayerOn() override {
    Enter("drawing.Layer.LayerOn");
    return doc_->drawing.Layer(layer_).on;
  }
  std::shared_ptr<host::Color> TrueColor() override;
  int32_t Lineweight() override {
    Enter("drawing.Layer.Lineweight");
    return doc_->drawing.Layer(layer_).lineweight;
  }
  void Delete() override {
    Enter("drawing.Layer.Delete");
    if (auto why = doc_->drawing.WhyUndeletable(layer_)) {
      throw Raise(host_error::kCannotDelete,
                  "Layer " + Quote(name_) + " cannot be deleted: " + *why);
    }
    doc_->drawing.DeleteLayer(layer_);
    Change(*doc_, "layer " + Quote(name_) + " deleted");
  }

 private:
  void Enter(std::string_view target) {
    standalone::Enter(*doc_, target);
    if (!doc_->drawing.LayerLive(layer_)) {
      throw Raise(host_error::kObjectErased,
                  "Object was erased: layer " + Quote(name_) + " has been deleted");
    }
  }
  DocumentStateRef doc_;
  uint32_t layer_;
  std::string name_;
};

std::shared_ptr<host::Color> MemoryLayer::TrueColor() {
  Enter("drawing.Layer.TrueColor");
  return MakeColor(doc_, doc_->drawing.Layer(layer_).color);
}

class MemoryLayers : public host::Layers {
 public:
  explicit MemoryLayers(DocumentStateRef doc) : doc_(std::move(doc)) {}
  int32_t Count() override {
    Enter(*doc_, "drawing.Layers.Count");
    return CountOf(doc_->drawing.LayerCount());
  }
  host::LayerRef Item(int32_t index) override {
    Enter(*doc_, "drawing.Layers.Item");
    if (index < 0 || static_cast<uint32_t>(index) >= doc_->drawing.LayerCount()) {
      throw NoItem("Layers", index, doc_->drawing.LayerCount());
    }
    return std::make_shared<MemoryLayer>(doc_, doc_->drawing.LayerAt(static_cast<uint32_t>(index)));
  }
  host::LayerRef Add(const std::string& name) override {
    Enter(*doc_, "drawing.Layers.Add");
    CheckSymbolName("layer", name);
    if (auto found = doc_->drawing.FindLayer(name)) {
      return std::make_shared<MemoryLayer>(doc_, *found);
    }
    const uint32_t layer = doc_->drawing.PutLayer(LayerData{name});
    Change(*doc_, "layer added " + Quote(name));
    return std::make_shared<MemoryLayer>(doc_, layer);
  }
  void ForEach(const std::function<void(const host::LayerRef&)>& visit) override {
    Enter(*doc_, "drawing.Layers.ForEach");
    std::vector<uint32_t> layers;  // the table as it was when the enumeration started
    for (uint32_t i = 0; i < doc_->drawing.LayerCount(); ++i) {
      layers.push_back(doc_->drawing.LayerAt(i));
    }
    for (const uint32_t layer : layers) {
      if (doc_->closed) return;
      if (doc_->drawing.LayerLive(layer)) visit(std::make_shared<MemoryLayer>(doc_, layer));
    }
  }

 private:
  DocumentStateRef doc_;
};

// ----- selection sets ----------------------------------------------------------------

class MemorySelectionSet : public host::SelectionSet {
 public:
  MemorySelectionSet(DocumentStateRef doc, Drawing::SelectionSetRef set)
      : doc_(std::move(doc)), set_(std::move(set)) {}

  std::string Name() override {
    Enter("drawing.SelectionSet.Name");
    return set_->name;
  }

  void SelectOnScreen() override {
    Enter("drawing.SelectionSet.SelectOnScreen");
    ScriptedPerson& person = *doc_->services.person;
    const std::vector<std::string> ids = person.TakeSelection("user select");
    doc_->services.journal->Write("user select -> " + JoinIds(ids));
    const std::vector<Drawing::Handle> handles = doc_->drawing.FindSelectables(ids);
    for (size_t i = 0; i < ids.size(); ++i) {
      if (handles[i] == Drawing::kNoHandle) {
        person.Disagree("user select answers " + Quote(ids[i]) + ", which drawing " +
                        doc_->drawing.Name() + " does not have");
      }
    }
    const size_t added = Append(handles);
    Change(*doc_, "selection set " + Quote(set_->name) + " selected " + std::to_string(added) +
                      " on screen");
  }

  void SelectByPolygon(int32_t mode, const automation::DoubleArray& points) override {
    Enter("drawing.SelectionSet.SelectByPolygon");
    if (mode != host::selection_mode::kCrossingPolygon) {
      throw Raise(host_error::kInvalidInput, "Invalid input: selection mode " +
                                                 std::to_string(mode) +
                                                 " is not supported (7, crossing polygon, is)");
    }
    const auto& v = points.values;
    if (v.size() < 9 || v.size() % 3 != 0) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: a selection polygon needs x, y, z triples of at least three "
                  "points, not " +
                      std::to_string(v.size()) + " numbers");
    }
    std::vector<spatial::Vec2> ring;
    for (size_t i = 0; i < v.size(); i += 3) ring.push_back({v[i], v[i + 1]});
    const size_t added = Append(doc_->drawing.SelectCrossing(spatial::CrossingPolygon(ring)));
    Change(*doc_, "selection set " + Quote(set_->name) + " selected " + std::to_string(added) +
                      " by polygon");
  }

  int32_t Count() override {
    Enter("drawing.SelectionSet.Count");
    Prune();
    return CountOf(LiveCount());
  }

  host::EntityRef Item(int32_t index) override {
    Enter("drawing.SelectionSet.Item");
    Prune();
    // Pruned, every handle is live: the index is the position (a loop over a large set
    // would otherwise cost a walk per object).
    if (set_->prunedAt == doc_->drawing.Deletions()) {
      if (index >= 0 && static_cast<size_t>(index) < set_->handles.size()) {
        return MakeEntity(doc_, set_->handles[static_cast<size_t>(index)]);
      }
      throw NoItem("selection set " + Quote(set_->name), index, LiveCount());
    }
    int32_t seen = 0;
    if (index >= 0) {
      for (const Drawing::Handle h : set_->handles) {
        if (!doc_->drawing.IsLive(h)) continue;
        if (seen++ == index) return MakeEntity(doc_, h);
      }
    }
    throw NoItem("selection set " + Quote(set_->name), index, LiveCount());
  }

  void ForEach(const std::function<void(const host::EntityRef&)>& visit) override {
    Enter("drawing.SelectionSet.ForEach");
    Prune();
    ++set_->enumerating;
    struct Guard {
      Drawing::SelectionSetRecord& set;
      ~Guard() { --set.enumerating; }
    } guard{*set_};
    EnumeratedEntities objects(doc_);
    const size_t n = set_->handles.size();
    for (size_t i = 0; i < n && !doc_->closed; ++i) {
      const Drawing::Handle h = set_->handles[i];
      if (doc_->drawing.IsLive(h)) visit(objects.Of(h));
    }
  }

  void Delete() override {
    Enter("drawing.SelectionSet.Delete");
    doc_->drawing.DeleteSelectionSet(set_);
    Change(*doc_, "selection set " + Quote(set_->name) + " deleted");
  }

 private:
  void Enter(std::string_view target) {
    standalone::Enter(*doc_, target);
    if (set_->deleted) {
      throw Raise(host_error::kObjectErased,
                  "Object was erased: selection set " + Quote(set_->name) + " has been deleted");
    }
  }
  // Drops entities deleted since the last look (not while an enumeration runs).
  void Prune() {
    if (set_->enumerating > 0 || set_->prunedAt == doc_->drawing.Deletions()) return;
    std::erase_if(set_->handles, [this](Drawing::Handle h) { return !doc_->drawing.IsLive(h); });
    set_->prunedAt = doc_->drawing.Deletions();
  }
  size_t LiveCount() const {
    if (set_->prunedAt == doc_->drawing.Deletions()) return set_->handles.size();
    return static_cast<size_t>(
        std::count_if(set_->handles.begin(), set_->handles.end(),
                      [this](Drawing::Handle h) { return doc_->drawing.IsLive(h); }));
  }
  // Adds the handles the set does not hold yet; answers how many.
  size_t Append(const std::vector<Drawing::Handle>& handles) {
    std::unordered_set<Drawing::Handle> held(set_->handles.begin(), set_->handles.end());
    size_t added = 0;
    for (const Drawing::Handle h : handles) {
      if (held.insert(h).second) {
        set_->handles.push_back(h);
        ++added;
      }
    }
    return added;
  }

  DocumentStateRef doc_;
  Drawing::SelectionSetRef set_;
};

class MemorySelectionSets : public host::SelectionSets {
 public:
  explicit MemorySelectionSets(DocumentStateRef doc) : doc_(std::move(doc)) {}
  int32_t Count() override {
    Enter(*doc_, "drawing.SelectionSets.Count");
    return CountOf(doc_->drawing.SelectionSets().size());
  }
  std::shared_ptr<host::SelectionSet> Add(const std::string& name) override {
    Enter(*doc_, "drawing.SelectionSets.Add");
    if (name.empty()) {
      throw Raise(host_error::kInvalidInput, "Invalid input: a selection set needs a name");
    }
    if (doc_->drawing.FindSelectionSet(name)) {
      throw Raise(host_error::kDuplicateKey,
                  "Duplicate key: the drawing has a selection set named " + Quote(name));
    }
    auto set = doc_->drawing.AddSelectionSet(name);
    Change(*doc_, "selection set added " + Quote(name));
    return std::make_shared<MemorySelectionSet>(doc_, set);
  }

 private:
  DocumentStateRef doc_;
};

// ----- utility -----------------------------------------------------------------------

class MemoryUtility : public host::Utility {
 public:
  explicit MemoryUtility(DocumentStateRef doc) : doc_(std::move(doc)) {}
  Point3 GetPoint(const std::optional<Point3>& /*basePoint*/,
                  const std::optional<std::string>& prompt) override {
    Enter(*doc_, "drawing.Utility.GetPoint");
    const std::string interaction = prompt ? "user pick " + Quote(*prompt) : "user pick";
    const std::optional<Point3> point = doc_->services.person->TakePoint(interaction);
    if (!point) {
      doc_->services.journal->Write(interaction + " -> cancel");
      throw Raise(automation::errors::kUserCancelled, host_error::kUserCancelledText);
    }
    doc_->services.journal->Write(interaction + " -> " + PointText(*point));
    return *point;
  }

 private:
  DocumentStateRef doc_;
};

// ----- the document ------------------------------------------------------------------

class MemoryDocument : public host::Document, public DocumentLink {
 public:
  using DocumentLink::DocumentLink;

  std::string Name() override {
    Enter(*doc_, "drawing.Document.Name");
    return doc_->drawing.Name();
  }

  automation::Variant GetVariable(const std::string& name) override {
    Enter(*doc_, "drawing.Document.GetVariable");
    return Find(name).value;
  }

  void SetVariable(const std::string& name, const automation::Variant& value) override {
    Enter(*doc_, "drawing.Document.SetVariable");
    const Variable& variable = Find(name);
    if (variable.readOnly) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: system variable " + variable.name + " is read-only");
    }
    automation::Variant stored;
    switch (variable.type) {
      case VariableType::Integer:
        stored = automation::ToInteger(value);
        break;
      case VariableType::Double:
        stored = automation::ToDouble(value);
        break;
      case VariableType::String:
        stored = automation::ToString(value);
        break;
      case VariableType::Point: {
        const automation::Variant v = value.Value();
        if (v.Type() != automation::VarType::DoubleArray ||
            (v.AsDoubleArray().values.size() != 2 && v.AsDoubleArray().values.size() != 3)) {
          throw Raise(host_error::kInvalidInput,
                      "Invalid input: system variable " + variable.name + " takes a point");
        }
        auto values = v.AsDoubleArray().values;
        values.resize(3, 0.0);
        stored = automation::DoubleArray{0, values};
        break;
      }
    }
    const std::string variableName = variable.name;
    doc_->drawing.StoreVariable(variableName, stored);
    Change(*doc_, "variable " + variableName + " = " + TranscriptValue(stored));
  }

  std::shared_ptr<host::Application> Application() override {
    Enter(*doc_, "drawing.Document.Application");
    auto application = doc_->application.lock();
    if (!application) throw Raise(host_error::kDisconnected, host_error::kDisconnectedText);
    return application;
  }

  std::shared_ptr<host::EntityCollection> ModelSpace() override {
    Enter(*doc_, "drawing.Document.ModelSpace");
    return std::make_shared<MemoryCollection<host::EntityCollection>>(doc_, Space::Model());
  }
  std::shared_ptr<host::EntityCollection> PaperSpace() override {
    Enter(*doc_, "drawing.Document.PaperSpace");
    return std::make_shared<MemoryCollection<host::EntityCollection>>(doc_, Space::Paper());
  }
  std::shared_ptr<host::Layers> Layers() override {
    Enter(*doc_, "drawing.Document.Layers");
    return std::make_shared<MemoryLayers>(doc_);
  }
  std::shared_ptr<host::Blocks> Blocks() override {
    Enter(*doc_, "drawing.Document.Blocks");
    return std::make_shared<MemoryBlocks>(doc_);
  }
  std::shared_ptr<host::SelectionSets> SelectionSets() override {
    Enter(*doc_, "drawing.Document.SelectionSets");
    return std::make_shared<MemorySelectionSets>(doc_);
  }
  std::shared_ptr<host::Utility> Utility() override {
    Enter(*doc_, "drawing.Document.Utility");
    return std::make_shared<MemoryUtility>(doc_);
  }

  int32_t Advise(host::DocumentEvents* sink) override {
    Enter(*doc_, "drawing.Document.Advise");
    if (!sink) throw Raise(host_error::kInvalidInput, "Invalid input: Advise without a sink");
    const int32_t cookie = doc_->nextCookie++;
    doc_->sinks.emplace_back(cookie, sink);
    return cookie;
  }
  void Unadvise(int32_t cookie) override {
    Enter(*doc_, "drawing.Document.Unadvise");
    auto it = std::find_if(doc_->sinks.begin(), doc_->sinks.end(),
                           [cookie](const auto& entry) { return entry.first == cookie; });
    if (it == doc_->sinks.end()) {
      throw Raise(host_error::kNoConnection, "Cookie " + std::to_string(cookie) +
                                                 " names no connection of drawing " +
                                                 doc_->drawing.Name());
    }
    doc_->sinks.erase(it);
  }

 private:
  const Variable& Find(const std::string& name) {
    const Variable* variable = doc_->drawing.FindVariable(name);
    if (!variable) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: there is no system variable " + Quote(name));
    }
    return *variable;
  }
};

}  // namespace

host::DocumentRef MakeDocument(const DocumentStateRef& doc) {
  return std::make_shared<MemoryDocument>(doc);
}

}  // namespace nimbo::standalone
