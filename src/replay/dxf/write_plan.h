// What the writer decides before it writes a byte: the version and text encoding, every
// entity with its handle and whether it goes out as read or anew, the blocks in the order
// of the BLOCKS section with their block records, the layers, and the object-data records
// by entity. Handles are given in one deterministic order (model space, paper space, then
// the blocks, each in the drawing's order), above every handle the drawing read uses.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "replay/dxf/dxf_drawing.h"
#include "replay/dxf/group_values.h"
#include "replay/dxf/group_writer.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::replay::dxf {

inline constexpr const char* kModelSpace = "*MODEL_SPACE";
inline constexpr const char* kPaperSpace = "*PAPER_SPACE";

struct PlannedEntity {
  standalone::EntityData data;
  uint64_t handle = 0;
  const DxfRetained::ReadEntity* read = nullptr;  // borrowed from the retained drawing
  bool unchanged = false;                         // written from the groups as read
  std::string dimensionBlock;                     // the block a dimension written anew draws
};

struct PlannedBlock {
  std::string name;
  std::string key;  // the upper-case name, as kept entities name their space
  uint64_t record = 0;
  const DxfRetained::ReadBlock* read = nullptr;  // null: made anew (begin, end below)
  uint64_t begin = 0;
  uint64_t end = 0;
  bool anonymous = false;
  host::Point3 origin;
  std::vector<PlannedEntity> entities;       // the host's entities of a user block
  const PlannedEntity* dimension = nullptr;  // the dimension a block made anew draws
};

struct PlannedLayer {
  standalone::LayerData data;
  uint64_t handle = 0;
  const DxfRetained::ReadLayer* read = nullptr;
  bool unchanged = false;
};

class WritePlan {
 public:
  // `retained` is what the drawing was read with, or the groups of a new drawing.
  WritePlan(const standalone::Drawing& drawing, const DxfRetained& retained);
  WritePlan(const WritePlan&) = delete;
  WritePlan& operator=(const WritePlan&) = delete;

  uint64_t NewHandle() { return next_++; }

  const standalone::Drawing& drawing;
  const DxfRetained& retained;
  std::string version;
  TextEncoding encoding;
  std::vector<PlannedLayer> layers;
  std::vector<PlannedEntity> model;
  std::vector<PlannedEntity> paper;
  std::vector<PlannedBlock> blocks;  // in the order of the BLOCKS section
  uint64_t modelRecord = 0;
  uint64_t paperRecord = 0;
  // Anonymous blocks as read that are not written: those of a dimension written anew.
  std::set<std::string> superseded;
  // Each entity's object-data records, by entity id, in order of attachment.
  std::map<std::string, std::vector<standalone::ObjectDataRecord>> records;
  // The handle of the APPID entry ACAD when the drawing has none (DSTYLE overrides need it).
  uint64_t acadApplication = 0;
  // Handles of what is ours alone, which a reader leaves out of what it keeps (our APPID
  // entry, the object-data tables' dictionary): given above every other handle written, so
  // that a drawing read back and written again gets the same ones.
  uint64_t ourApplication = 0;
  uint64_t ourTables = 0;
  // The table's own handle, by table name ("LAYER", "BLOCK_RECORD", ...).
  std::map<std::string, uint64_t> tableHandles;

  const PlannedBlock* FindBlock(const std::string& name) const;  // case-insensitive

 private:
  PlannedEntity Plan(const standalone::EntityData& data);
  void PlanBlocks();
  void PlanDimensionBlocks(std::vector<PlannedEntity>& entities);

  // A drawing read from a file older than AutoCAD 2000 has groups of another layout: what
  // the host models of it is written anew.
  bool legacy_ = false;
  uint64_t next_ = 1;
  std::set<std::string> blockKeys_;
  int nextDimensionBlock_ = 1;
};

// The value of the object's first group of that code, or null.
const std::string* GroupValue(const RawObject& groups, int code);
// The object's own handle (its 5 group, or 105 for a DIMSTYLE), 0 for none.
uint64_t HandleOf(const RawObject& groups);
// Whether two entities hold the same values (what the host models of them).
bool SameEntity(const standalone::EntityData& a, const standalone::EntityData& b);

}  // namespace nimbo::replay::dxf
