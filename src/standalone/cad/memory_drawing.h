// The in-memory drawing: the entity database of one document of the embedded CAD host,
// in plain C++ (no automation). It has three faces:
//
//  - setup, for the replay tool and tests: build a document from data (layers, entities of
//    every kind, blocks with attribute definitions, object-data tables, the view, the
//    current layer). Setup never journals and never consults the fault plan;
//  - inspection: read everything back (entities in order with every property, layers,
//    blocks, selection sets, system variables, object-data records, the view), for the
//    replay's state and picture;
//  - the engine under the host's automation objects (memory_host.h), which add the fault
//    checks, the journal and the errors of the CAD host's contract.
//
// Storage follows the ezdxf model: the drawing owns every entity by handle (a dense
// number, never reused); model space, paper space and the block definitions hold handles.
// Deleting an entity marks it dead (its handle stays, its data is freed) and the owner's
// handle list is compacted later, when no enumeration of it is running, so that deleting
// while enumerating is safe. Model space keeps a spatial index for crossing selection,
// built in one pass when first needed. Layer names are interned: an entity holds a layer
// number. A simple entity costs about 136 bytes of record, 4 of handle list and some 25 of
// index; a polyline's vertices are one flat array of doubles (16 bytes a vertex).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "automation/variant.h"
#include "host/cad.h"
#include "standalone/cad/spatial_index.h"

namespace nimbo::standalone {

using host::Point3;

// ---------------------------------------------------------------------------------------
// Values

// The kinds of entity, with their names in the session format ("polyline", ...) and their
// host class names ("AcDbPolyline", ...).
enum class EntityKind : uint8_t {
  Polyline,
  Line,
  Point,
  Circle,
  Arc,
  Text,
  Region,
  AlignedDimension,
  AngularDimension,
  BlockReference,
  AttributeDefinition,
  Solid,
};
// "polyline", "line", "point", "circle", "arc", "text", "region", "alignedDimension",
// "angularDimension", "blockReference", "attributeDefinition", "solid".
const char* KindName(EntityKind kind);
std::optional<EntityKind> KindFromName(std::string_view name);
// "AcDbPolyline", "AcDbLine", "AcDbPoint", "AcDbCircle", "AcDbArc", "AcDbText",
// "AcDbRegion", "AcDbAlignedDimension", "AcDb2LineAngularDimension",
// "AcDbBlockReference", "AcDbAttributeDefinition", "AcDb3dSolid".
const char* ObjectName(EntityKind kind);

// A colour as the host's colour object reports it.
struct ColorValue {
  int32_t method = host::color_method::kByLayer;
  int32_t index = host::kColorByLayer;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  static ColorValue ByLayer() { return {}; }
  static ColorValue ByBlock() { return {host::color_method::kByBlock, host::kColorByBlock}; }
  static ColorValue Index(int32_t index) { return {host::color_method::kByACI, index}; }
  static ColorValue Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return {host::color_method::kByRGB, 0, r, g, b};
  }
  // What putting a colour index does: 256 by layer, 0 by block, anything else by index.
  static ColorValue FromIndexPut(int32_t index);
  friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

// The properties of a layer.
struct LayerData {
  std::string name;
  ColorValue color = ColorValue::Index(7);
  bool on = true;
  bool frozen = false;
  bool locked = false;
  int32_t lineweight = -3;  // the host's default
  friend bool operator==(const LayerData&, const LayerData&) = default;
};

struct AttributeValue {
  std::string tag;
  std::string value;
  friend bool operator==(const AttributeValue&, const AttributeValue&) = default;
};

// One entity with every property, for setup and inspection. Which geometry fields a kind
// uses (the others keep their defaults and are ignored):
//
//   polyline             points (flat x, y pairs), closed
//   line                 start, end
//   point                at
//   circle               center, radius
//   arc                  center, radius, startAngle, endAngle (radians)
//   text                 at, text, height
//   region               points (its closed outline, flat x, y pairs)
//   alignedDimension     first, second, textPosition, text (the override), height (the
//                        text height), arrowheadSize
//   angularDimension     vertex, first, second, textPosition, text, height, arrowheadSize
//   blockReference       block, at, scale, rotation, attributes
//   attributeDefinition  tag, text (the default value), prompt, mode, height, at
//   solid                profile (the region's id), height, taperAngle, points (the
//                        profile's outline; setup copies the region's when left empty)
struct EntityData {
  std::string id;
  EntityKind kind = EntityKind::Point;
  std::string layer = "0";
  ColorValue color;  // by layer
  int32_t lineweight = host::kLineweightByLayer;

  std::vector<double> points;
  bool closed = false;
  Point3 at;
  Point3 start;
  Point3 end;
  Point3 center;
  double radius = 0;
  double startAngle = 0;
  double endAngle = 0;
  Point3 first;
  Point3 second;
  Point3 vertex;
  Point3 textPosition;
  std::string text;
  double height = 0;
  double arrowheadSize = 0;
  std::string block;
  Point3 scale{1, 1, 1};
  double rotation = 0;
  std::vector<AttributeValue> attributes;
  std::string tag;
  std::string prompt;
  int32_t mode = 0;
  std::string profile;
  double taperAngle = 0;
};

// Where an entity lives: model space, paper space, or block definition number i (in the
// order of Blocks()).
struct Space {
  uint32_t code = 0;
  static constexpr Space Model() { return {0}; }
  static constexpr Space Paper() { return {1}; }
  static constexpr Space Block(uint32_t index) { return {2 + index}; }
  bool IsBlock() const { return code >= 2; }
  uint32_t BlockIndex() const { return code - 2; }
  friend bool operator==(Space, Space) = default;
};

struct BlockData {
  std::string name;
  Point3 origin;
};

struct ObjectDataTable {
  std::string name;
  std::vector<std::string> fields;  // in definition order
};

// A record attached to an object: its table, the object's id, and the fields that were
// set, in the table's field order.
struct ObjectDataRecord {
  std::string table;
  std::string object;
  std::vector<std::pair<std::string, automation::Variant>> values;
};

// The type that a system variable keeps; SetVariable converts to it.
enum class VariableType { Integer, Double, String, Point };

struct Variable {
  std::string name;  // upper case
  automation::Variant value;
  VariableType type = VariableType::Integer;
  bool readOnly = false;
};

// Raised by setup for data that cannot be built (an unknown block, an odd number of
// coordinates, a duplicate table); the message names the offending value.
class SetupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The layer-name key: case-insensitive (ASCII upper case), as the host compares names.
std::string NameKey(std::string_view name);

// ---------------------------------------------------------------------------------------

class Drawing {
 public:
  using Handle = uint32_t;
  static constexpr Handle kNoHandle = UINT32_MAX;

  // `serial` makes the numeric object ids of this drawing distinct from other drawings'
  // (the application numbers its drawings from 0; ids repeat after 32 drawings, and
  // every id fits a 32-bit Long).
  explicit Drawing(std::string name, int serial = 0);
  ~Drawing();
  Drawing(const Drawing&) = delete;
  Drawing& operator=(const Drawing&) = delete;

  const std::string& Name() const { return name_; }

  // ----- Setup (never journaled) ------------------------------------------------------

  // Adds the layer at the end of the table, or, when a layer of that name exists
  // (case-insensitively; "0" always exists, first), replaces its properties but keeps its
  // name. Answers the layer's number.
  uint32_t PutLayer(const LayerData& layer);
  // Makes the layer current; a name that the table does not have is added with defaults.
  void SetCurrentLayer(std::string_view name);
  // Adds a block definition (a name that exists, case-insensitively, answers that block).
  // Answers its index in Blocks().
  uint32_t AddBlock(const BlockData& block);
  // Adds an entity at the end of `space`. An empty id is given "_n", n the entity's
  // handle plus one. A layer that the table does not have is added with defaults (the
  // session may name layers it does not list). Ids are the caller's to keep unique; ids
  // of the form "#n" are the control's, and setup should not use them. Throws SetupError
  // for a space that does not exist, a block reference to an unknown block, or an odd
  // number of coordinates. Answers the handle.
  Handle AddEntity(Space space, const EntityData& entity);
  void AddObjectDataTable(ObjectDataTable table);  // a name that exists throws SetupError
  // Also how the Map application attaches a record.
  void AddObjectDataRecord(ObjectDataRecord record);
  // VIEWCTR (x, y, 0) and VIEWSIZE.
  void SetView(double centerX, double centerY, double size);
  // Defines (or redefines) a system variable beyond the four defaults.
  void DefineVariable(const std::string& name, automation::Variant value, VariableType type,
                      bool readOnly = false);

  // ----- Inspection -------------------------------------------------------------------

  // Layers in table order.
  std::vector<LayerData> Layers() const;
  std::string CurrentLayer() const;
  std::vector<BlockData> Blocks() const;
  // Live entities of the space, in order.
  size_t EntityCount(Space space) const;
  void ForEachEntity(Space space, const std::function<void(const EntityData&)>& visit) const;
  std::vector<EntityData> Entities(Space space) const;
  // The live entity of that id, searched in model space, paper space, then the blocks
  // (a linear search).
  std::optional<EntityData> FindEntity(std::string_view id) const;
  // Names of the named selection sets, in order of creation.
  std::vector<std::string> SelectionSetNames() const;
  // System variables in order of definition: VIEWCTR, VIEWSIZE, PDMODE, PDSIZE, then any
  // defined later.
  const std::vector<Variable>& Variables() const { return variables_; }
  const std::vector<ObjectDataTable>& ObjectDataTables() const { return odTables_; }
  const std::vector<ObjectDataRecord>& ObjectDataRecords() const { return odRecords_; }
  Point3 ViewCenter() const;
  double ViewSize() const;

  // ----- Engine: entities by handle ---------------------------------------------------

  bool IsLive(Handle h) const;
  EntityData Entity(Handle h) const;  // every property of a live entity
  EntityKind Kind(Handle h) const;
  const std::string& Id(Handle h) const;
  Space Owner(Handle h) const;
  int64_t ObjectIdOf(Handle h) const;
  // The live entity of that numeric object id, or kNoHandle.
  Handle HandleOfObjectId(int64_t objectId) const;
  // The live model-space or paper-space entity of that id, or kNoHandle (linear search).
  Handle FindSelectable(std::string_view id) const;
  // The same for each of many ids, in one pass over both spaces (an on-screen selection
  // of tens of thousands of objects would otherwise cost a search per object).
  std::vector<Handle> FindSelectables(const std::vector<std::string>& ids) const;
  const std::string& LayerName(Handle h) const;
  uint32_t LayerOf(Handle h) const;
  void SetLayerOf(Handle h, uint32_t layer);
  ColorValue ColorOf(Handle h) const;
  void SetColorOf(Handle h, ColorValue color);
  int32_t LineweightOf(Handle h) const;
  const std::vector<double>& PointsOf(Handle h) const;  // polyline, region, solid
  // Text override, text height, arrowhead size (dimensions); default value, height
  // (attribute definitions).
  void SetText(Handle h, std::string text);
  void SetHeight(Handle h, double height);
  void SetArrowheadSize(Handle h, double size);
  // Creates an entity made by the control: it gets the next "#n" id, the current layer,
  // colour by layer and line weight -1 (whatever `entity` says of them).
  Handle CreateEntity(Space space, EntityData entity);
  void DeleteEntity(Handle h);
  // How many entities have been deleted so far (lets a holder of handles know when it
  // must look for dead ones).
  uint64_t Deletions() const { return deletions_; }

  // ----- Engine: spaces ---------------------------------------------------------------

  bool SpaceExists(Space space) const;
  uint32_t LiveCount(Space space) const;
  // The index-th live entity of the space (zero-based), or kNoHandle.
  Handle ItemOf(Space space, uint32_t index);
  // While an enumeration runs, the space's handle list is only appended to (deleted
  // entities stay in it, dead), so positions below the size at its start stay valid.
  void BeginEnumeration(Space space);
  void EndEnumeration(Space space);
  // The space's handles, live and dead, in order. The reference stays valid as long as
  // the drawing (the list may grow while it is read, so index it, do not iterate it).
  const std::vector<Handle>& Slots(Space space) const { return List(space).handles; }
  // The live model-space entities that lie inside the polygon or cross its boundary, in
  // model-space order.
  std::vector<Handle> SelectCrossing(const spatial::CrossingPolygon& polygon);

  // ----- Engine: layers ---------------------------------------------------------------

  uint32_t LayerCount() const { return static_cast<uint32_t>(layerOrder_.size()); }
  uint32_t LayerAt(uint32_t position) const { return layerOrder_[position]; }
  // The layer's number, or nullopt (case-insensitive).
  std::optional<uint32_t> FindLayer(std::string_view name) const;
  bool LayerLive(uint32_t layer) const;
  const LayerData& Layer(uint32_t layer) const;
  void SetLayerColor(uint32_t layer, ColorValue color);
  uint32_t CurrentLayerNumber() const { return currentLayer_; }
  // How many live entities, in any space or block, are on the layer.
  uint32_t LayerUsers(uint32_t layer) const;
  // Why the layer cannot be deleted ("0", current, in use), or nothing when it can.
  std::optional<std::string> WhyUndeletable(uint32_t layer) const;
  void DeleteLayer(uint32_t layer);  // the caller checked WhyUndeletable

  // ----- Engine: blocks ---------------------------------------------------------------

  uint32_t BlockCount() const { return static_cast<uint32_t>(blocks_.size()); }
  const BlockData& Block(uint32_t index) const { return blocks_[index].data; }
  std::optional<uint32_t> FindBlock(std::string_view name) const;  // case-insensitive

  // ----- Engine: selection sets -------------------------------------------------------

  struct SelectionSetRecord {
    std::string name;
    std::vector<Handle> handles;  // may hold entities deleted since; skipped when read
    bool deleted = false;
    int enumerating = 0;    // while > 0, `handles` is only appended to
    uint64_t prunedAt = 0;  // Deletions() when dead handles were last removed
  };
  using SelectionSetRef = std::shared_ptr<SelectionSetRecord>;
  const std::vector<SelectionSetRef>& SelectionSets() const { return selectionSets_; }
  SelectionSetRef FindSelectionSet(std::string_view name) const;  // case-insensitive
  SelectionSetRef AddSelectionSet(std::string name);
  void DeleteSelectionSet(const SelectionSetRef& set);

  // ----- Engine: variables ------------------------------------------------------------

  const Variable* FindVariable(std::string_view name) const;  // case-insensitive
  // Stores the value as given (the caller converted it to the variable's type).
  void StoreVariable(std::string_view name, automation::Variant value);

 private:
  struct Detail;
  struct Record;
  struct SpaceList {
    std::vector<Handle> handles;
    uint32_t live = 0;
    uint32_t dead = 0;  // dead handles still in the list
    int enumerating = 0;
  };
  struct BlockRecord {
    BlockData data;
    std::string key;
  };
  struct LayerRecord {
    LayerData data;
    uint32_t users = 0;
    bool deleted = false;
  };
  static constexpr uint32_t kChunkBits = 10;

  Record& At(Handle h);
  const Record& At(Handle h) const;
  const Record& LiveAt(Handle h) const;  // throws std::out_of_range when not live
  Handle NewRecord();
  Handle Store(Space space, const EntityData& entity, std::string id);
  uint32_t InternLayer(std::string_view name);
  SpaceList& List(Space space);
  const SpaceList& List(Space space) const;
  void Compact(SpaceList& list);
  spatial::Box BoxOf(const Record& record) const;
  bool Touches(const Record& record, const spatial::CrossingPolygon& polygon) const;
  void EnsureIndex();
  Variable& VariableNamed(std::string_view name);

  std::string name_;
  int64_t objectIdBase_;
  std::vector<std::unique_ptr<Record[]>> chunks_;
  uint32_t recordCount_ = 0;
  uint32_t nextControlId_ = 1;
  std::deque<SpaceList> spaces_;  // model, paper, then one per block (stable addresses)
  std::vector<BlockRecord> blocks_;
  // Each block's NameKey to its place in blocks_.
  std::unordered_map<std::string, uint32_t> blockKeys_;
  std::vector<LayerRecord> layers_;   // by layer number, never shrinks
  std::vector<uint32_t> layerOrder_;  // the table, in order
  std::unordered_map<std::string, uint32_t> layerKeys_;
  uint32_t currentLayer_ = 0;
  std::vector<SelectionSetRef> selectionSets_;
  std::vector<Variable> variables_;
  std::vector<ObjectDataTable> odTables_;
  std::vector<ObjectDataRecord> odRecords_;
  spatial::SpatialIndex index_;
  bool indexBuilt_ = false;
  uint64_t deletions_ = 0;
};

}  // namespace nimbo::standalone
