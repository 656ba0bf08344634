// A DXF drawing as the replay reads it into the in-memory host and writes it back: what the
// host models (`DxfContent`), and what it does not (`DxfRetained`), kept so that writing the
// drawing back after a session loses nothing the file held and keeps its handles.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "standalone/cad/block_table.h"
#include "standalone/cad/entity_data.h"
#include "standalone/cad/layer_table.h"
#include "standalone/cad/object_data_store.h"

namespace nimbo::replay::dxf {

// One group of the file: its code and its value as written (without the line break).
struct Group {
  int code = 0;
  std::string value;
  friend bool operator==(const Group&, const Group&) = default;
};
// One entity, table entry or object, from its 0 group to the next 0 group.
using RawObject = std::vector<Group>;

// A file that is not DXF, is cut short, or holds a value that its group code cannot have.
// `line` is the line of the file (from 1) where the fault is, `code` the group code read
// there (or -1 when there is none).
class DxfError : public std::runtime_error {
 public:
  DxfError(std::string file, size_t line, int code, const std::string& message);
  const std::string& File() const { return file_; }
  size_t Line() const { return line_; }
  int Code() const { return code_; }

 private:
  std::string file_;
  size_t line_;
  int code_;
};

// What the host models. Entity ids are the entities' handles (hex, upper case, as the file
// writes them); an entity without a handle gets an empty id (the host numbers it).
struct DxfContent {
  std::vector<standalone::LayerData> layers;  // in table order
  std::optional<std::string> currentLayer;    // $CLAYER
  struct Block {
    standalone::BlockData data;
    std::vector<standalone::EntityData> entities;  // attribute definitions and the rest
  };
  std::vector<Block> blocks;  // user blocks, not *Model_Space, *Paper_Space nor anonymous ones
  std::vector<standalone::EntityData> modelSpace;
  std::vector<standalone::EntityData> paperSpace;
  std::vector<standalone::ObjectDataTable> objectDataTables;
  std::vector<standalone::ObjectDataRecord> objectDataRecords;
  std::optional<standalone::Point3> viewCenter;  // the active viewport's
  std::optional<double> viewSize;
  std::optional<int16_t> pdmode;  // $PDMODE
  std::optional<int16_t> pdsize;  // $PDSIZE, rounded as the host's 16-bit variable keeps it
};

// What the host does not model, as read, for the writer to put back. Everything is kept as
// groups, value text as read (UTF-8), so that a drawing written back without changes keeps
// its bytes where the writer can: an entity, layer or block the session did not change is
// written from its groups, one it changed is written anew under its old handle.
struct DxfRetained {
  std::string version;  // $ACADVER as read
  // Header variables other than those the writer sets itself ($ACADVER, $HANDSEED,
  // $CLAYER, $PDMODE, $PDSIZE, $DWGCODEPAGE), in file order, each from its 9 group on.
  std::vector<RawObject> header;
  // Each table in file order: its TABLE object (from `0 TABLE` up to its first entry) and
  // its entries. The LAYER table's entries are also in `layers`; the writer writes the
  // layers of the final drawing, from these groups when unchanged.
  struct Table {
    std::string name;  // "LAYER", "LTYPE", "BLOCK_RECORD", ...
    RawObject head;
    std::vector<RawObject> entries;
  };
  std::vector<Table> tables;
  std::vector<RawObject> classes;  // the CLASSES section's, in file order
  struct ReadLayer {
    standalone::LayerData data;  // as read
    RawObject groups;
  };
  std::map<std::string, ReadLayer> layers;  // by upper-case name
  // Each block of the BLOCKS section in file order (*Model_Space, *Paper_Space, anonymous
  // and user blocks): its BLOCK and ENDBLK objects. The entities of an anonymous block are
  // all in `entities` (the host does not model them); a user block's modelled entities are
  // the drawing's.
  struct ReadBlock {
    std::string name;
    RawObject begin;
    RawObject end;
    bool anonymous = false;
  };
  std::vector<ReadBlock> blocks;
  // An entity the host does not model, whole (with its VERTEXes or ATTRIBs and SEQEND), and
  // where it was: `space` is "*MODEL_SPACE", "*PAPER_SPACE" or the block's upper-case name;
  // `after` the handle of the modelled entity before it in that space (empty: first).
  struct KeptEntity {
    std::string space;
    std::string after;
    RawObject groups;
  };
  std::vector<KeptEntity> entities;
  // Each modelled entity by handle: what the host was given, and its groups as read (with
  // what follows it: ATTRIBs, VERTEXes, SEQEND; without our own extended data, which the
  // writer makes anew from the drawing's object data).
  struct ReadEntity {
    standalone::EntityData data;
    RawObject groups;
  };
  std::map<std::string, ReadEntity> modelled;
  // The objects of the OBJECTS section in file order, without our own dictionary of
  // object-data tables and its records (and without its entry in the root dictionary).
  std::vector<RawObject> objects;
  // Sections other than HEADER, CLASSES, TABLES, BLOCKS, ENTITIES and OBJECTS (a thumbnail,
  // ACDSDATA), whole, in file order: the writer puts them after OBJECTS.
  struct Section {
    std::string name;
    std::vector<RawObject> objects;
  };
  std::vector<Section> otherSections;
  // The highest handle the file uses (0 when it has none): new handles go above it.
  uint64_t highestHandle = 0;
  // How many of each entity type (or "SECTION:<name>") were kept without being modelled,
  // for the one report on standard error. The entities of anonymous blocks are not counted
  // (they are pictures of dimensions, hatches and the like, kept with their block).
  std::map<std::string, size_t> unmodelled;
};

struct DxfDrawing {
  DxfContent content;
  DxfRetained retained;
};

// Reads a text DXF file's bytes. `file` names it in errors. Throws DxfError.
DxfDrawing ReadDxf(std::string_view text, const std::string& file);

// "<file>: kept N ELLIPSE, M SPLINE, ... that the host does not model" or empty when
// everything was modelled.
std::string UnmodelledReport(const DxfRetained& retained, const std::string& file);

}  // namespace nimbo::replay::dxf
