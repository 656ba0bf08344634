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
// It is made of the parts a CAD document model usually has, each in its own file: the
// entity store (entity_store.h, entity_record.h), the crossing selection of model space
// (crossing_selection.h), the layer and block tables, the named selection sets, the
// system variables and the object data. The drawing keeps them consistent with each
// other: an entity's layer is interned in the layer table and counted as a user of it, a
// block definition has a space in the store, and model space's two indexes (spatial and
// by layer) follow its entities.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "host/cad.h"
#include "standalone/cad/block_table.h"
#include "standalone/cad/crossing_selection.h"
#include "standalone/cad/entity_data.h"
#include "standalone/cad/entity_store.h"
#include "standalone/cad/layer_table.h"
#include "standalone/cad/model_layer_index.h"
#include "standalone/cad/name_key.h"
#include "standalone/cad/object_data_store.h"
#include "standalone/cad/selection_set_table.h"
#include "standalone/cad/setup_error.h"
#include "standalone/cad/spatial_index.h"
#include "standalone/cad/system_variables.h"

namespace nimbo::standalone {

class Drawing {
 public:
  using Handle = EntityHandle;
  static constexpr Handle kNoHandle = EntityStore::kNoHandle;

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
  const std::vector<Variable>& Variables() const { return variables_.All(); }
  const std::vector<ObjectDataTable>& ObjectDataTables() const { return objectData_.Tables(); }
  const std::vector<ObjectDataRecord>& ObjectDataRecords() const { return objectData_.Records(); }
  Point3 ViewCenter() const;
  double ViewSize() const;

  // ----- Engine: entities by handle ---------------------------------------------------

  bool IsLive(Handle h) const { return entities_.IsLive(h); }
  // For enumerations: the entity's record, then its points, asked for ahead of use.
  void Prefetch(Handle h) const { entities_.Prefetch(h); }
  void PrefetchPoints(Handle h) const { entities_.PrefetchPoints(h); }
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
  // The first or second point of the entity's own geometry (a line's start or end, a
  // point's position), without making the whole EntityData that Entity() makes.
  Point3 GeometryPoint(Handle h, int which) const;
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
  uint64_t Deletions() const { return entities_.Deletions(); }

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
  const std::vector<Handle>& Slots(Space space) const { return entities_.List(space).handles; }
  // The live model-space entities that lie inside the polygon or cross its boundary, in
  // model-space order.
  std::vector<Handle> SelectCrossing(const spatial::CrossingPolygon& polygon);
  // The live model-space entities on the layer, in model-space order (from the index by
  // layer: costs what it selects).
  std::vector<Handle> SelectOnLayer(uint32_t layer);

  // ----- Engine: layers ---------------------------------------------------------------

  uint32_t LayerCount() const { return layers_.Count(); }
  uint32_t LayerAt(uint32_t position) const { return layers_.At(position); }
  // The layer's number, or nullopt (case-insensitive).
  std::optional<uint32_t> FindLayer(std::string_view name) const;
  bool LayerLive(uint32_t layer) const;
  const LayerData& Layer(uint32_t layer) const;
  void SetLayerColor(uint32_t layer, ColorValue color);
  uint32_t CurrentLayerNumber() const { return layers_.Current(); }
  // How many live entities, in any space or block, are on the layer.
  uint32_t LayerUsers(uint32_t layer) const;
  // Why the layer cannot be deleted ("0", current, in use), or nothing when it can.
  std::optional<std::string> WhyUndeletable(uint32_t layer) const;
  void DeleteLayer(uint32_t layer);  // the caller checked WhyUndeletable

  // ----- Engine: blocks ---------------------------------------------------------------

  uint32_t BlockCount() const { return blocks_.Count(); }
  const BlockData& Block(uint32_t index) const { return blocks_.Block(index); }
  std::optional<uint32_t> FindBlock(std::string_view name) const;  // case-insensitive

  // ----- Engine: selection sets -------------------------------------------------------

  using SelectionSetRecord = standalone::SelectionSetRecord;
  using SelectionSetRef = standalone::SelectionSetRef;
  const std::vector<SelectionSetRef>& SelectionSets() const { return selectionSets_.All(); }
  SelectionSetRef FindSelectionSet(std::string_view name) const;  // case-insensitive
  SelectionSetRef AddSelectionSet(std::string name);
  void DeleteSelectionSet(const SelectionSetRef& set);

  // ----- Engine: variables ------------------------------------------------------------

  const Variable* FindVariable(std::string_view name) const;  // case-insensitive
  // Stores the value as given (the caller converted it to the variable's type).
  void StoreVariable(std::string_view name, automation::Variant value);

 private:
  Handle Store(Space space, const EntityData& entity, std::string id);

  std::string name_;
  EntityStore entities_;
  CrossingSelection crossing_;
  ModelLayerIndex modelLayers_;
  LayerTable layers_;
  BlockTable blocks_;
  SelectionSetTable selectionSets_;
  SystemVariables variables_;
  ObjectDataStore objectData_;
  uint32_t nextControlId_ = 1;
};

}  // namespace nimbo::standalone
