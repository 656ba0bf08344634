#include "standalone/cad/memory_drawing.h"

#include <unordered_map>
#include <utility>

namespace nimbo::standalone {

Drawing::Drawing(std::string name, int serial) : name_(std::move(name)), entities_(serial) {}

Drawing::~Drawing() = default;

// ----- setup ------------------------------------------------------------------------

uint32_t Drawing::PutLayer(const LayerData& layer) {
  return layers_.Put(layer);
}

void Drawing::SetCurrentLayer(std::string_view name) {
  layers_.SetCurrent(layers_.Intern(name));
}

uint32_t Drawing::AddBlock(const BlockData& block) {
  if (auto found = blocks_.Find(block.name)) return *found;
  entities_.AddSpace();
  return blocks_.Add(block);
}

Drawing::Handle Drawing::AddEntity(Space space, const EntityData& entity) {
  return Store(space, entity, entity.id);
}

void Drawing::AddObjectDataTable(ObjectDataTable table) {
  objectData_.AddTable(std::move(table));
}

void Drawing::AddObjectDataRecord(ObjectDataRecord record) {
  objectData_.AddRecord(std::move(record));
}

void Drawing::SetView(double centerX, double centerY, double size) {
  StoreVariable("VIEWCTR", automation::DoubleArray{0, {centerX, centerY, 0}});
  StoreVariable("VIEWSIZE", size);
}

void Drawing::DefineVariable(const std::string& name, automation::Variant value, VariableType type,
                             bool readOnly) {
  variables_.Define(name, std::move(value), type, readOnly);
}

// ----- inspection -------------------------------------------------------------------

std::vector<LayerData> Drawing::Layers() const {
  return layers_.InOrder();
}

std::string Drawing::CurrentLayer() const {
  return layers_.Name(layers_.Current());
}

std::vector<BlockData> Drawing::Blocks() const {
  return blocks_.All();
}

size_t Drawing::EntityCount(Space space) const {
  return entities_.List(space).live;
}

void Drawing::ForEachEntity(Space space,
                            const std::function<void(const EntityData&)>& visit) const {
  for (const Handle h : entities_.List(space).handles) {
    if (entities_.At(h).live) visit(Entity(h));
  }
}

std::vector<EntityData> Drawing::Entities(Space space) const {
  std::vector<EntityData> out;
  out.reserve(EntityCount(space));
  ForEachEntity(space, [&out](const EntityData& e) { out.push_back(e); });
  return out;
}

std::optional<EntityData> Drawing::FindEntity(std::string_view id) const {
  for (const EntityStore::SpaceList& list : entities_.Lists()) {
    for (const Handle h : list.handles) {
      const EntityRecord& r = entities_.At(h);
      if (r.live && r.id == id) return Entity(h);
    }
  }
  return std::nullopt;
}

std::vector<std::string> Drawing::SelectionSetNames() const {
  return selectionSets_.Names();
}

Point3 Drawing::ViewCenter() const {
  const auto& values = FindVariable("VIEWCTR")->value.AsDoubleArray().values;
  return Point3{values.at(0), values.at(1), values.size() > 2 ? values[2] : 0};
}

double Drawing::ViewSize() const {
  return FindVariable("VIEWSIZE")->value.AsDouble();
}

// ----- entities ---------------------------------------------------------------------

Drawing::Handle Drawing::Store(Space space, const EntityData& e, std::string id) {
  if (!SpaceExists(space)) throw SetupError("entity \"" + e.id + "\": no such space or block");
  if (HasPoints(e.kind) && e.points.size() % 2 != 0) {
    throw SetupError("entity \"" + e.id + "\": an odd number of coordinates (" +
                     std::to_string(e.points.size()) + ")");
  }
  if (e.kind == EntityKind::BlockReference && !FindBlock(e.block)) {
    throw SetupError("entity \"" + e.id + "\": no block definition named \"" + e.block + "\"");
  }
  const uint32_t layer = layers_.Intern(e.layer);
  const Handle h = entities_.NewRecord();
  EntityRecord& r = entities_.At(h);
  FillRecord(r, e);
  r.id = id.empty() ? "_" + std::to_string(h + 1) : std::move(id);
  r.layer = layer;
  r.owner = space.code;
  r.live = true;
  // A reference names its block as the table spells it.
  if (e.kind == EntityKind::BlockReference) r.detail->name = Block(*FindBlock(e.block)).name;
  if (e.kind == EntityKind::Solid && r.points.empty()) {
    // The profile's outline, for selection: the region of that id in the same space.
    for (const Handle other : entities_.List(space).handles) {
      const EntityRecord& o = entities_.At(other);
      if (o.live && o.kind == EntityKind::Region && o.id == e.profile) {
        r.points = o.points;
        break;
      }
    }
  }
  layers_.AddUser(layer);
  entities_.Place(h);
  if (space == Space::Model()) {
    crossing_.Added(h, r);
    modelLayers_.Added(h, layer);
  }
  return h;
}

Drawing::Handle Drawing::CreateEntity(Space space, EntityData entity) {
  entity.layer = layers_.Name(layers_.Current());
  entity.color = ColorValue::ByLayer();
  entity.lineweight = host::kLineweightByLayer;
  std::string id = "#" + std::to_string(nextControlId_);
  const Handle h = Store(space, entity, std::move(id));
  ++nextControlId_;
  return h;
}

void Drawing::DeleteEntity(Handle h) {
  if (!IsLive(h)) return;
  const EntityRecord& r = entities_.At(h);
  const bool inModel = r.owner == Space::Model().code;
  if (inModel) crossing_.Removed(h, r);
  layers_.RemoveUser(r.layer);
  entities_.Kill(h);
  if (inModel) modelLayers_.Removed(entities_, r.layer);
}

EntityData Drawing::Entity(Handle h) const {
  const EntityRecord& r = entities_.LiveAt(h);
  EntityData e = DataOf(r);
  e.layer = layers_.Name(r.layer);
  return e;
}

EntityKind Drawing::Kind(Handle h) const {
  return entities_.LiveAt(h).kind;
}
const std::string& Drawing::Id(Handle h) const {
  return entities_.LiveAt(h).id;
}
Space Drawing::Owner(Handle h) const {
  return Space{entities_.LiveAt(h).owner};
}

int64_t Drawing::ObjectIdOf(Handle h) const {
  return entities_.ObjectIdOf(h);
}

Drawing::Handle Drawing::HandleOfObjectId(int64_t objectId) const {
  return entities_.HandleOfObjectId(objectId);
}

Drawing::Handle Drawing::FindSelectable(std::string_view id) const {
  for (const Space space : {Space::Model(), Space::Paper()}) {
    for (const Handle h : entities_.List(space).handles) {
      const EntityRecord& r = entities_.At(h);
      if (r.live && r.id == id) return h;
    }
  }
  return kNoHandle;
}

std::vector<Drawing::Handle> Drawing::FindSelectables(const std::vector<std::string>& ids) const {
  std::unordered_map<std::string_view, Handle> byId;
  for (const Space space : {Space::Model(), Space::Paper()}) {
    for (const Handle h : entities_.List(space).handles) {
      const EntityRecord& r = entities_.At(h);
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
  return layers_.Name(entities_.LiveAt(h).layer);
}
uint32_t Drawing::LayerOf(Handle h) const {
  return entities_.LiveAt(h).layer;
}

void Drawing::SetLayerOf(Handle h, uint32_t layer) {
  EntityRecord& r = entities_.LiveAt(h);
  const uint32_t from = r.layer;
  layers_.RemoveUser(from);
  r.layer = layer;
  layers_.AddUser(layer);
  if (r.owner == Space::Model().code) modelLayers_.Moved(entities_, h, from, layer);
}

ColorValue Drawing::ColorOf(Handle h) const {
  return standalone::ColorOf(entities_.LiveAt(h));
}

void Drawing::SetColorOf(Handle h, ColorValue color) {
  SetColor(entities_.LiveAt(h), color);
}

int32_t Drawing::LineweightOf(Handle h) const {
  return entities_.LiveAt(h).lineweight;
}
Point3 Drawing::GeometryPoint(Handle h, int which) const {
  const EntityRecord& r = entities_.LiveAt(h);
  const size_t at = which == 0 ? 0 : 3;
  return Point3{r.g[at], r.g[at + 1], r.g[at + 2]};
}

const std::vector<double>& Drawing::PointsOf(Handle h) const {
  return entities_.LiveAt(h).points;
}

void Drawing::SetText(Handle h, std::string text) {
  EntityRecord& r = entities_.LiveAt(h);
  if (r.detail) r.detail->text = std::move(text);
}
void Drawing::SetHeight(Handle h, double height) {
  EntityRecord& r = entities_.LiveAt(h);
  if (r.detail) r.detail->height = height;
}
void Drawing::SetArrowheadSize(Handle h, double size) {
  EntityRecord& r = entities_.LiveAt(h);
  if (r.detail) r.detail->arrowheadSize = size;
}

// ----- spaces -----------------------------------------------------------------------

bool Drawing::SpaceExists(Space space) const {
  return entities_.SpaceExists(space);
}

uint32_t Drawing::LiveCount(Space space) const {
  return entities_.List(space).live;
}

Drawing::Handle Drawing::ItemOf(Space space, uint32_t index) {
  return entities_.ItemOf(space, index);
}

void Drawing::BeginEnumeration(Space space) {
  entities_.BeginEnumeration(space);
}

void Drawing::EndEnumeration(Space space) {
  entities_.EndEnumeration(space);
}

std::vector<Drawing::Handle> Drawing::SelectCrossing(const spatial::CrossingPolygon& polygon) {
  return crossing_.Select(entities_, polygon);
}

std::vector<Drawing::Handle> Drawing::SelectOnLayer(uint32_t layer) {
  return modelLayers_.Select(entities_, layer);
}

// ----- layers, blocks, selection sets, variables ------------------------------------

std::optional<uint32_t> Drawing::FindLayer(std::string_view name) const {
  return layers_.Find(name);
}
bool Drawing::LayerLive(uint32_t layer) const {
  return layers_.Live(layer);
}
const LayerData& Drawing::Layer(uint32_t layer) const {
  return layers_.Layer(layer);
}
void Drawing::SetLayerColor(uint32_t layer, ColorValue color) {
  layers_.SetColor(layer, color);
}
uint32_t Drawing::LayerUsers(uint32_t layer) const {
  return layers_.Users(layer);
}
std::optional<std::string> Drawing::WhyUndeletable(uint32_t layer) const {
  return layers_.WhyUndeletable(layer);
}
void Drawing::DeleteLayer(uint32_t layer) {
  layers_.Delete(layer);
}

std::optional<uint32_t> Drawing::FindBlock(std::string_view name) const {
  return blocks_.Find(name);
}

Drawing::SelectionSetRef Drawing::FindSelectionSet(std::string_view name) const {
  return selectionSets_.Find(name);
}
Drawing::SelectionSetRef Drawing::AddSelectionSet(std::string name) {
  return selectionSets_.Add(std::move(name));
}
void Drawing::DeleteSelectionSet(const SelectionSetRef& set) {
  selectionSets_.Delete(set);
}

const Variable* Drawing::FindVariable(std::string_view name) const {
  return variables_.Find(name);
}
void Drawing::StoreVariable(std::string_view name, automation::Variant value) {
  variables_.Store(name, std::move(value));
}

}  // namespace nimbo::standalone
