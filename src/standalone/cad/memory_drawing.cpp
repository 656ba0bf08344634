#include "standalone/cad/memory_drawing.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace nimbo::standalone {

namespace {

struct KindInfo {
  EntityKind kind;
  const char* name;
  const char* objectName;
};

constexpr std::array<KindInfo, 12> kKinds{{
    {EntityKind::Polyline, "polyline", "AcDbPolyline"},
    {EntityKind::Line, "line", "AcDbLine"},
    {EntityKind::Point, "point", "AcDbPoint"},
    {EntityKind::Circle, "circle", "AcDbCircle"},
    {EntityKind::Arc, "arc", "AcDbArc"},
    {EntityKind::Text, "text", "AcDbText"},
    {EntityKind::Region, "region", "AcDbRegion"},
    {EntityKind::AlignedDimension, "alignedDimension", "AcDbAlignedDimension"},
    {EntityKind::AngularDimension, "angularDimension", "AcDb2LineAngularDimension"},
    {EntityKind::BlockReference, "blockReference", "AcDbBlockReference"},
    {EntityKind::AttributeDefinition, "attributeDefinition", "AcDbAttributeDefinition"},
    {EntityKind::Solid, "solid", "AcDb3dSolid"},
}};

// Object ids of drawing n start at 0x20000000 + (n mod 32) * 0x02000000 and step by 8, as
// the CAD application's do: each drawing's ids are its own (for four million entities), and
// every id fits the 32-bit Long that automation clients of release 17 keep them in.
constexpr int64_t kObjectIdStart = 0x20000000;
constexpr int64_t kObjectIdsPerDrawing = 0x02000000;
constexpr int kObjectIdRanges = 32;
constexpr int64_t kObjectIdStep = 8;

bool HasDetail(EntityKind kind) {
  switch (kind) {
    case EntityKind::Text:
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
    case EntityKind::Solid:
      return true;
    default:
      return false;
  }
}

bool HasPoints(EntityKind kind) {
  return kind == EntityKind::Polyline || kind == EntityKind::Region || kind == EntityKind::Solid;
}

spatial::Vec2 Flat(const Point3& p) {
  return {p.x, p.y};
}

}  // namespace

const char* KindName(EntityKind kind) {
  return kKinds[static_cast<size_t>(kind)].name;
}

const char* ObjectName(EntityKind kind) {
  return kKinds[static_cast<size_t>(kind)].objectName;
}

std::optional<EntityKind> KindFromName(std::string_view name) {
  for (const KindInfo& info : kKinds) {
    if (name == info.name) return info.kind;
  }
  return std::nullopt;
}

ColorValue ColorValue::FromIndexPut(int32_t index) {
  if (index == host::kColorByLayer) return ByLayer();
  if (index == host::kColorByBlock) return ByBlock();
  return Index(index);
}

std::string NameKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

// What only the rarer kinds need: text, dimensions, references, attribute definitions,
// solids.
struct Drawing::Detail {
  std::string text;  // text; a dimension's override; an attribute definition's default
  std::string tag;
  std::string prompt;
  std::string name;           // a reference's block; a solid's profile id
  std::array<Point3, 4> p{};  // aligned: first, second, text; angular: vertex, first, second, text
  Point3 scale{1, 1, 1};
  double height = 0;
  double rotation = 0;
  double arrowheadSize = 0;
  double taperAngle = 0;
  int32_t mode = 0;
  std::vector<AttributeValue> attributes;
};

// One entity. `g` holds the fixed geometry: line start (0..2) and end (3..5); point,
// text, reference and attribute definition insertion (0..2); circle and arc centre
// (0..2), radius (3), start and end angle (4, 5).
struct Drawing::Record {
  std::string id;
  std::vector<double> points;
  std::unique_ptr<Detail> detail;
  double g[6] = {};
  uint32_t layer = 0;
  uint32_t owner = 0;
  int32_t lineweight = host::kLineweightByLayer;
  int16_t colorMethod = host::color_method::kByLayer;
  int16_t colorIndex = host::kColorByLayer;
  uint8_t rgb[3] = {};
  EntityKind kind = EntityKind::Point;
  bool live = false;
  bool closed = false;
};

Drawing::Drawing(std::string name, int serial)
    : name_(std::move(name)),
      objectIdBase_(kObjectIdStart + (serial % kObjectIdRanges) * kObjectIdsPerDrawing) {
  spaces_.resize(2);
  layers_.push_back(LayerRecord{LayerData{"0"}});
  layerOrder_.push_back(0);
  layerKeys_.emplace("0", 0);
  using automation::DoubleArray;
  variables_.push_back({"VIEWCTR", DoubleArray{0, {0, 0, 0}}, VariableType::Point, true});
  variables_.push_back({"VIEWSIZE", 100.0, VariableType::Double, true});
  variables_.push_back({"PDMODE", int16_t{0}, VariableType::Integer, false});
  variables_.push_back({"PDSIZE", int16_t{0}, VariableType::Integer, false});
}

Drawing::~Drawing() = default;

// ----- records ----------------------------------------------------------------------

Drawing::Record& Drawing::At(Handle h) {
  return chunks_[h >> kChunkBits][h & ((1u << kChunkBits) - 1)];
}

const Drawing::Record& Drawing::At(Handle h) const {
  return chunks_[h >> kChunkBits][h & ((1u << kChunkBits) - 1)];
}

const Drawing::Record& Drawing::LiveAt(Handle h) const {
  if (h >= recordCount_ || !At(h).live) throw std::out_of_range("no live entity of that handle");
  return At(h);
}

Drawing::Handle Drawing::NewRecord() {
  if ((recordCount_ >> kChunkBits) >= chunks_.size()) {
    chunks_.push_back(std::make_unique<Record[]>(size_t{1} << kChunkBits));
  }
  return recordCount_++;
}

bool Drawing::IsLive(Handle h) const {
  return h < recordCount_ && At(h).live;
}

Drawing::SpaceList& Drawing::List(Space space) {
  return spaces_.at(space.code);
}
const Drawing::SpaceList& Drawing::List(Space space) const {
  return spaces_.at(space.code);
}

bool Drawing::SpaceExists(Space space) const {
  return space.code < spaces_.size();
}

uint32_t Drawing::InternLayer(std::string_view name) {
  if (auto found = FindLayer(name)) return *found;
  const auto number = static_cast<uint32_t>(layers_.size());
  layers_.push_back(LayerRecord{LayerData{std::string(name)}});
  layerOrder_.push_back(number);
  layerKeys_.emplace(NameKey(name), number);
  return number;
}

Drawing::Handle Drawing::Store(Space space, const EntityData& e, std::string id) {
  if (!SpaceExists(space)) throw SetupError("entity \"" + e.id + "\": no such space or block");
  if (HasPoints(e.kind) && e.points.size() % 2 != 0) {
    throw SetupError("entity \"" + e.id + "\": an odd number of coordinates (" +
                     std::to_string(e.points.size()) + ")");
  }
  if (e.kind == EntityKind::BlockReference && !FindBlock(e.block)) {
    throw SetupError("entity \"" + e.id + "\": no block definition named \"" + e.block + "\"");
  }
  const uint32_t layer = InternLayer(e.layer);
  const Handle h = NewRecord();
  Record& r = At(h);
  r.id = id.empty() ? "_" + std::to_string(h + 1) : std::move(id);
  r.kind = e.kind;
  r.layer = layer;
  r.owner = space.code;
  r.lineweight = e.lineweight;
  r.colorMethod = static_cast<int16_t>(e.color.method);
  r.colorIndex = static_cast<int16_t>(e.color.index);
  r.rgb[0] = e.color.red;
  r.rgb[1] = e.color.green;
  r.rgb[2] = e.color.blue;
  r.closed = e.closed;
  r.live = true;
  auto put = [&r](int at, const Point3& p) {
    r.g[at] = p.x;
    r.g[at + 1] = p.y;
    r.g[at + 2] = p.z;
  };
  switch (e.kind) {
    case EntityKind::Line:
      put(0, e.start);
      put(3, e.end);
      break;
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      put(0, e.at);
      break;
    case EntityKind::Circle:
      put(0, e.center);
      r.g[3] = e.radius;
      break;
    case EntityKind::Arc:
      put(0, e.center);
      r.g[3] = e.radius;
      r.g[4] = e.startAngle;
      r.g[5] = e.endAngle;
      break;
    default:
      break;
  }
  if (HasPoints(e.kind)) r.points = e.points;
  if (HasDetail(e.kind)) {
    r.detail = std::make_unique<Detail>();
    Detail& d = *r.detail;
    d.text = e.text;
    d.height = e.height;
    switch (e.kind) {
      case EntityKind::AlignedDimension:
        d.p = {e.first, e.second, e.textPosition, Point3{}};
        d.arrowheadSize = e.arrowheadSize;
        break;
      case EntityKind::AngularDimension:
        d.p = {e.vertex, e.first, e.second, e.textPosition};
        d.arrowheadSize = e.arrowheadSize;
        break;
      case EntityKind::BlockReference:
        d.name = Block(*FindBlock(e.block)).name;
        d.scale = e.scale;
        d.rotation = e.rotation;
        d.attributes = e.attributes;
        break;
      case EntityKind::AttributeDefinition:
        d.tag = e.tag;
        d.prompt = e.prompt;
        d.mode = e.mode;
        break;
      case EntityKind::Solid: {
        d.name = e.profile;
        d.taperAngle = e.taperAngle;
        if (r.points.empty()) {
          // The profile's outline, for selection: the region of that id in the same space.
          const SpaceList& list = List(space);
          for (const Handle other : list.handles) {
            const Record& o = At(other);
            if (o.live && o.kind == EntityKind::Region && o.id == e.profile) {
              r.points = o.points;
              break;
            }
          }
        }
        break;
      }
      default:
        break;
    }
  }
  ++layers_[layer].users;
  SpaceList& list = List(space);
  list.handles.push_back(h);
  ++list.live;
  if (space == Space::Model() && indexBuilt_) index_.Insert(h, BoxOf(r));
  return h;
}

Drawing::Handle Drawing::AddEntity(Space space, const EntityData& entity) {
  return Store(space, entity, entity.id);
}

Drawing::Handle Drawing::CreateEntity(Space space, EntityData entity) {
  entity.layer = layers_[currentLayer_].data.name;
  entity.color = ColorValue::ByLayer();
  entity.lineweight = host::kLineweightByLayer;
  std::string id = "#" + std::to_string(nextControlId_);
  const Handle h = Store(space, entity, std::move(id));
  ++nextControlId_;
  return h;
}

void Drawing::DeleteEntity(Handle h) {
  if (!IsLive(h)) return;
  Record& r = At(h);
  if (r.owner == Space::Model().code && indexBuilt_) index_.Remove(h, BoxOf(r));
  r.live = false;
  ++deletions_;
  --layers_[r.layer].users;
  SpaceList& list = spaces_[r.owner];
  --list.live;
  ++list.dead;
  // Free what the entity held; the record itself stays, dead, so its handle is never
  // reused and enumerations and selection sets can skip it.
  std::string().swap(r.id);
  std::vector<double>().swap(r.points);
  r.detail.reset();
}

EntityData Drawing::Entity(Handle h) const {
  const Record& r = LiveAt(h);
  EntityData e;
  e.id = r.id;
  e.kind = r.kind;
  e.layer = layers_[r.layer].data.name;
  e.color = ColorValue{r.colorMethod, r.colorIndex, r.rgb[0], r.rgb[1], r.rgb[2]};
  e.lineweight = r.lineweight;
  e.closed = r.closed;
  const Point3 g0{r.g[0], r.g[1], r.g[2]};
  switch (r.kind) {
    case EntityKind::Line:
      e.start = g0;
      e.end = Point3{r.g[3], r.g[4], r.g[5]};
      break;
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      e.at = g0;
      break;
    case EntityKind::Circle:
      e.center = g0;
      e.radius = r.g[3];
      break;
    case EntityKind::Arc:
      e.center = g0;
      e.radius = r.g[3];
      e.startAngle = r.g[4];
      e.endAngle = r.g[5];
      break;
    default:
      break;
  }
  if (HasPoints(r.kind)) e.points = r.points;
  if (r.detail) {
    const Detail& d = *r.detail;
    e.text = d.text;
    e.height = d.height;
    switch (r.kind) {
      case EntityKind::AlignedDimension:
        e.first = d.p[0];
        e.second = d.p[1];
        e.textPosition = d.p[2];
        e.arrowheadSize = d.arrowheadSize;
        break;
      case EntityKind::AngularDimension:
        e.vertex = d.p[0];
        e.first = d.p[1];
        e.second = d.p[2];
        e.textPosition = d.p[3];
        e.arrowheadSize = d.arrowheadSize;
        break;
      case EntityKind::BlockReference:
        e.block = d.name;
        e.scale = d.scale;
        e.rotation = d.rotation;
        e.attributes = d.attributes;
        break;
      case EntityKind::AttributeDefinition:
        e.tag = d.tag;
        e.prompt = d.prompt;
        e.mode = d.mode;
        break;
      case EntityKind::Solid:
        e.profile = d.name;
        e.taperAngle = d.taperAngle;
        break;
      default:
        break;
    }
  }
  return e;
}

EntityKind Drawing::Kind(Handle h) const {
  return LiveAt(h).kind;
}
const std::string& Drawing::Id(Handle h) const {
  return LiveAt(h).id;
}
Space Drawing::Owner(Handle h) const {
  return Space{LiveAt(h).owner};
}

int64_t Drawing::ObjectIdOf(Handle h) const {
  return objectIdBase_ + kObjectIdStep * h;
}

Drawing::Handle Drawing::HandleOfObjectId(int64_t objectId) const {
  const int64_t offset = objectId - objectIdBase_;
  if (offset < 0 || offset % kObjectIdStep != 0) return kNoHandle;
  const int64_t h = offset / kObjectIdStep;
  if (h >= recordCount_ || !At(static_cast<Handle>(h)).live) return kNoHandle;
  return static_cast<Handle>(h);
}

Drawing::Handle Drawing::FindSelectable(std::string_view id) const {
  for (const Space space : {Space::Model(), Space::Paper()}) {
    for (const Handle h : List(space).handles) {
      const Record& r = At(h);
      if (r.live && r.id == id) return h;
    }
  }
  return kNoHandle;
}

std::vector<Drawing::Handle> Drawing::FindSelectables(const std::vector<std::string>& ids) const {
  std::unordered_map<std::string_view, Handle> byId;
  for (const Space space : {Space::Model(), Space::Paper()}) {
    for (const Handle h : List(space).handles) {
      const Record& r = At(h);
      if (r.live) byId.emplace(r.id, h);  // the first of an id, as FindSelectable finds it
    }
  }
  std::vector<Handle> handles;
  handles.reserve(ids.size());
  for (const std::string& id : ids) {
    const auto it = byId.find(id);
    handles.push_back(it == byId.end() ? kNoHandle : it->second);
  }
  return handles;
}

const std::string& Drawing::LayerName(Handle h) const {
  return layers_[LiveAt(h).layer].data.name;
}
uint32_t Drawing::LayerOf(Handle h) const {
  return LiveAt(h).layer;
}

void Drawing::SetLayerOf(Handle h, uint32_t layer) {
  LiveAt(h);
  Record& r = At(h);
  --layers_[r.layer].users;
  r.layer = layer;
  ++layers_[layer].users;
}

ColorValue Drawing::ColorOf(Handle h) const {
  const Record& r = LiveAt(h);
  return ColorValue{r.colorMethod, r.colorIndex, r.rgb[0], r.rgb[1], r.rgb[2]};
}

void Drawing::SetColorOf(Handle h, ColorValue color) {
  LiveAt(h);
  Record& r = At(h);
  r.colorMethod = static_cast<int16_t>(color.method);
  r.colorIndex = static_cast<int16_t>(color.index);
  r.rgb[0] = color.red;
  r.rgb[1] = color.green;
  r.rgb[2] = color.blue;
}

int32_t Drawing::LineweightOf(Handle h) const {
  return LiveAt(h).lineweight;
}
const std::vector<double>& Drawing::PointsOf(Handle h) const {
  return LiveAt(h).points;
}

void Drawing::SetText(Handle h, std::string text) {
  LiveAt(h);
  if (At(h).detail) At(h).detail->text = std::move(text);
}
void Drawing::SetHeight(Handle h, double height) {
  LiveAt(h);
  if (At(h).detail) At(h).detail->height = height;
}
void Drawing::SetArrowheadSize(Handle h, double size) {
  LiveAt(h);
  if (At(h).detail) At(h).detail->arrowheadSize = size;
}

// ----- spaces -----------------------------------------------------------------------

void Drawing::Compact(SpaceList& list) {
  if (list.dead == 0 || list.enumerating > 0) return;
  std::erase_if(list.handles, [this](Handle h) { return !At(h).live; });
  if (list.handles.capacity() / 2 > list.handles.size()) list.handles.shrink_to_fit();
  list.dead = 0;
}

uint32_t Drawing::LiveCount(Space space) const {
  return List(space).live;
}

Drawing::Handle Drawing::ItemOf(Space space, uint32_t index) {
  SpaceList& list = List(space);
  Compact(list);
  if (index >= list.live) return kNoHandle;
  if (list.dead == 0) return list.handles[index];
  // Within an enumeration: count the live ones.
  for (const Handle h : list.handles) {
    if (At(h).live && index-- == 0) return h;
  }
  return kNoHandle;
}

void Drawing::BeginEnumeration(Space space) {
  ++List(space).enumerating;
}

void Drawing::EndEnumeration(Space space) {
  SpaceList& list = List(space);
  --list.enumerating;
  // Not after every enumeration that deleted something: redrawing a display layer
  // deletes a few entities of a large model space each time, and a pass over all its
  // handles each time would cost as much as the enumeration. Dead handles are skipped,
  // and ItemOf compacts when it needs positions.
  if (list.dead >= list.live / 4) Compact(list);
}

size_t Drawing::EntityCount(Space space) const {
  return List(space).live;
}

void Drawing::ForEachEntity(Space space,
                            const std::function<void(const EntityData&)>& visit) const {
  for (const Handle h : List(space).handles) {
    if (At(h).live) visit(Entity(h));
  }
}

std::vector<EntityData> Drawing::Entities(Space space) const {
  std::vector<EntityData> out;
  out.reserve(EntityCount(space));
  ForEachEntity(space, [&out](const EntityData& e) { out.push_back(e); });
  return out;
}

std::optional<EntityData> Drawing::FindEntity(std::string_view id) const {
  for (const SpaceList& list : spaces_) {
    for (const Handle h : list.handles) {
      const Record& r = At(h);
      if (r.live && r.id == id) return Entity(h);
    }
  }
  return std::nullopt;
}

// ----- crossing selection -----------------------------------------------------------

spatial::Box Drawing::BoxOf(const Record& r) const {
  spatial::Box box;
  switch (r.kind) {
    case EntityKind::Polyline:
    case EntityKind::Region:
    case EntityKind::Solid:
      for (size_t i = 0; i + 1 < r.points.size(); i += 2)
        box.Extend({r.points[i], r.points[i + 1]});
      break;
    case EntityKind::Line:
      box.Extend({r.g[0], r.g[1]});
      box.Extend({r.g[3], r.g[4]});
      break;
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      box.Extend({r.g[0], r.g[1]});
      break;
    case EntityKind::Circle:
    case EntityKind::Arc: {
      const double radius = std::fabs(r.g[3]);
      box.Extend({r.g[0] - radius, r.g[1] - radius});
      box.Extend({r.g[0] + radius, r.g[1] + radius});
      break;
    }
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension: {
      const int points = r.kind == EntityKind::AlignedDimension ? 3 : 4;
      for (int i = 0; i < points; ++i) box.Extend(Flat(r.detail->p[i]));
      break;
    }
  }
  return box;
}

bool Drawing::Touches(const Record& r, const spatial::CrossingPolygon& polygon) const {
  switch (r.kind) {
    case EntityKind::Polyline:
      return polygon.TouchesPolyline(r.points.data(), r.points.size() / 2, r.closed);
    case EntityKind::Region:
    case EntityKind::Solid:
      return polygon.TouchesPolyline(r.points.data(), r.points.size() / 2, true);
    case EntityKind::Line:
      return polygon.TouchesSegment({r.g[0], r.g[1]}, {r.g[3], r.g[4]});
    case EntityKind::Point:
    case EntityKind::Text:
    case EntityKind::BlockReference:
    case EntityKind::AttributeDefinition:
      return polygon.Contains({r.g[0], r.g[1]});
    case EntityKind::Circle:
      return polygon.TouchesCircle({r.g[0], r.g[1]}, r.g[3]);
    case EntityKind::Arc:
      return polygon.TouchesArc({r.g[0], r.g[1]}, r.g[3], r.g[4], r.g[5]);
    case EntityKind::AlignedDimension:
    case EntityKind::AngularDimension: {
      const int points = r.kind == EntityKind::AlignedDimension ? 3 : 4;
      for (int i = 0; i < points; ++i) {
        if (polygon.Contains(Flat(r.detail->p[i]))) return true;
      }
      return false;
    }
  }
  return false;
}

void Drawing::EnsureIndex() {
  if (indexBuilt_) return;
  std::vector<std::pair<spatial::Box, uint32_t>> entries;
  const SpaceList& model = List(Space::Model());
  entries.reserve(model.live);
  for (const Handle h : model.handles) {
    const Record& r = At(h);
    if (r.live) entries.emplace_back(BoxOf(r), h);
  }
  index_.Build(entries);
  indexBuilt_ = true;
}

std::vector<Drawing::Handle> Drawing::SelectCrossing(const spatial::CrossingPolygon& polygon) {
  EnsureIndex();
  std::vector<Handle> candidates;
  index_.Query(polygon.Bounds(), candidates);
  std::vector<Handle> selected;
  for (const Handle h : candidates) {
    const Record& r = At(h);
    if (r.live && Touches(r, polygon)) selected.push_back(h);
  }
  // Handles grow with creation and model space is in creation order.
  std::sort(selected.begin(), selected.end());
  return selected;
}

// ----- layers -----------------------------------------------------------------------

std::optional<uint32_t> Drawing::FindLayer(std::string_view name) const {
  auto it = layerKeys_.find(NameKey(name));
  if (it == layerKeys_.end()) return std::nullopt;
  return it->second;
}

uint32_t Drawing::PutLayer(const LayerData& layer) {
  const uint32_t number = InternLayer(layer.name);
  const std::string name = layers_[number].data.name;
  layers_[number].data = layer;
  layers_[number].data.name = name;
  return number;
}

void Drawing::SetCurrentLayer(std::string_view name) {
  currentLayer_ = InternLayer(name);
}

std::string Drawing::CurrentLayer() const {
  return layers_[currentLayer_].data.name;
}

std::vector<LayerData> Drawing::Layers() const {
  std::vector<LayerData> out;
  out.reserve(layerOrder_.size());
  for (const uint32_t number : layerOrder_) out.push_back(layers_[number].data);
  return out;
}

bool Drawing::LayerLive(uint32_t layer) const {
  return layer < layers_.size() && !layers_[layer].deleted;
}

const LayerData& Drawing::Layer(uint32_t layer) const {
  return layers_.at(layer).data;
}

void Drawing::SetLayerColor(uint32_t layer, ColorValue color) {
  layers_.at(layer).data.color = color;
}

uint32_t Drawing::LayerUsers(uint32_t layer) const {
  return layers_.at(layer).users;
}

std::optional<std::string> Drawing::WhyUndeletable(uint32_t layer) const {
  const LayerRecord& record = layers_.at(layer);
  if (layer == 0) return "layer \"0\" is the drawing's base layer";
  if (layer == currentLayer_) return "it is the current layer";
  if (record.users > 0) {
    return "it is still used by " + std::to_string(record.users) +
           (record.users == 1 ? " object" : " objects");
  }
  return std::nullopt;
}

void Drawing::DeleteLayer(uint32_t layer) {
  LayerRecord& record = layers_.at(layer);
  if (record.deleted) return;
  record.deleted = true;
  std::erase(layerOrder_, layer);
  layerKeys_.erase(NameKey(record.data.name));
}

// ----- blocks -----------------------------------------------------------------------

std::optional<uint32_t> Drawing::FindBlock(std::string_view name) const {
  const auto it = blockKeys_.find(NameKey(name));
  if (it == blockKeys_.end()) return std::nullopt;
  return it->second;
}

uint32_t Drawing::AddBlock(const BlockData& block) {
  if (auto found = FindBlock(block.name)) return *found;
  const auto index = static_cast<uint32_t>(blocks_.size());
  blocks_.push_back(BlockRecord{block, NameKey(block.name)});
  blockKeys_.emplace(blocks_.back().key, index);
  spaces_.emplace_back();
  return index;
}

std::vector<BlockData> Drawing::Blocks() const {
  std::vector<BlockData> out;
  for (const BlockRecord& b : blocks_) out.push_back(b.data);
  return out;
}

// ----- selection sets ---------------------------------------------------------------

Drawing::SelectionSetRef Drawing::FindSelectionSet(std::string_view name) const {
  const std::string key = NameKey(name);
  for (const SelectionSetRef& set : selectionSets_) {
    if (NameKey(set->name) == key) return set;
  }
  return nullptr;
}

Drawing::SelectionSetRef Drawing::AddSelectionSet(std::string name) {
  auto set = std::make_shared<SelectionSetRecord>();
  set->name = std::move(name);
  selectionSets_.push_back(set);
  return set;
}

void Drawing::DeleteSelectionSet(const SelectionSetRef& set) {
  set->deleted = true;
  std::erase(selectionSets_, set);
}

std::vector<std::string> Drawing::SelectionSetNames() const {
  std::vector<std::string> out;
  for (const SelectionSetRef& set : selectionSets_) out.push_back(set->name);
  return out;
}

// ----- variables, view, object data -------------------------------------------------

const Variable* Drawing::FindVariable(std::string_view name) const {
  const std::string key = NameKey(name);
  for (const Variable& v : variables_) {
    if (v.name == key) return &v;
  }
  return nullptr;
}

Variable& Drawing::VariableNamed(std::string_view name) {
  const std::string key = NameKey(name);
  for (Variable& v : variables_) {
    if (v.name == key) return v;
  }
  variables_.push_back(Variable{key, automation::Variant(), VariableType::Integer, false});
  return variables_.back();
}

void Drawing::StoreVariable(std::string_view name, automation::Variant value) {
  VariableNamed(name).value = std::move(value);
}

void Drawing::DefineVariable(const std::string& name, automation::Variant value, VariableType type,
                             bool readOnly) {
  Variable& v = VariableNamed(name);
  v.value = std::move(value);
  v.type = type;
  v.readOnly = readOnly;
}

void Drawing::SetView(double centerX, double centerY, double size) {
  StoreVariable("VIEWCTR", automation::DoubleArray{0, {centerX, centerY, 0}});
  StoreVariable("VIEWSIZE", size);
}

Point3 Drawing::ViewCenter() const {
  const auto& values = FindVariable("VIEWCTR")->value.AsDoubleArray().values;
  return Point3{values.at(0), values.at(1), values.size() > 2 ? values[2] : 0};
}

double Drawing::ViewSize() const {
  return FindVariable("VIEWSIZE")->value.AsDouble();
}

void Drawing::AddObjectDataTable(ObjectDataTable table) {
  for (const ObjectDataTable& t : odTables_) {
    if (t.name == table.name) {
      throw SetupError("object-data table \"" + table.name + "\" is defined twice");
    }
  }
  odTables_.push_back(std::move(table));
}

void Drawing::AddObjectDataRecord(ObjectDataRecord record) {
  odRecords_.push_back(std::move(record));
}

}  // namespace nimbo::standalone
