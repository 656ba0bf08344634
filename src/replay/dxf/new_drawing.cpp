#include "replay/dxf/new_drawing.h"

#include <string>
#include <tuple>

#include "replay/dxf/group_values.h"
#include "replay/dxf/group_writer.h"

namespace nimbo::replay::dxf {

namespace {

class Builder {
 public:
  explicit Builder(uint64_t first) : next_(first) {}

  uint64_t New() { return next_++; }
  uint64_t Last() const { return next_ - 1; }

  static std::string H(uint64_t handle) { return HandleText(handle); }

  // A table's head and the handle it got.
  RawObject TableHead(const std::string& name, uint64_t handle, int entries) {
    RawObject head{{0, "TABLE"},
                   {2, name},
                   {5, H(handle)},
                   {330, "0"},
                   {100, "AcDbSymbolTable"},
                   {70, std::to_string(entries)}};
    if (name == "DIMSTYLE") head.push_back({100, "AcDbDimStyleTable"});
    return head;
  }

  // The start of a table entry: its type, handle, owner and subclasses.
  RawObject Entry(const std::string& type, uint64_t owner, const std::string& subclass,
                  int handleCode = 5) {
    return {{0, type},
            {handleCode, H(New())},
            {330, H(owner)},
            {100, "AcDbSymbolTableRecord"},
            {100, subclass}};
  }

 private:
  uint64_t next_;
};

void Append(RawObject& to, const RawObject& groups) {
  to.insert(to.end(), groups.begin(), groups.end());
}

RawObject Dictionary(uint64_t handle, uint64_t owner,
                     const std::vector<std::pair<std::string, uint64_t>>& entries) {
  RawObject d{{0, "DICTIONARY"},
              {5, HandleText(handle)},
              {330, HandleText(owner)},
              {100, "AcDbDictionary"},
              {281, "1"}};
  for (const auto& [name, entry] : entries) {
    d.push_back({3, name});
    d.push_back({350, HandleText(entry)});
  }
  return d;
}

RawObject Layout(uint64_t handle, uint64_t owner, const std::string& name, int tab,
                 uint64_t record) {
  const std::string h = HandleText(handle);
  return {{0, "LAYOUT"},
          {5, h},
          {330, HandleText(owner)},
          {100, "AcDbPlotSettings"},
          {1, ""},
          {2, "none_device"},
          {4, ""},
          {6, ""},
          {40, "0.0"},
          {41, "0.0"},
          {42, "0.0"},
          {43, "0.0"},
          {44, "0.0"},
          {45, "0.0"},
          {46, "0.0"},
          {47, "0.0"},
          {48, "0.0"},
          {49, "0.0"},
          {140, "0.0"},
          {141, "0.0"},
          {142, "1.0"},
          {143, "1.0"},
          {70, tab == 0 ? "1712" : "688"},
          {72, "0"},
          {73, "0"},
          {74, "5"},
          {7, ""},
          {75, "16"},
          {147, "1.0"},
          {148, "0.0"},
          {149, "0.0"},
          {100, "AcDbLayout"},
          {1, name},
          {70, "1"},
          {71, std::to_string(tab)},
          {10, "0.0"},
          {20, "0.0"},
          {11, "420.0"},
          {21, "297.0"},
          {12, "0.0"},
          {22, "0.0"},
          {32, "0.0"},
          {14, "1e+20"},
          {24, "1e+20"},
          {34, "1e+20"},
          {15, "-1e+20"},
          {25, "-1e+20"},
          {35, "-1e+20"},
          {146, "0.0"},
          {13, "0.0"},
          {23, "0.0"},
          {33, "0.0"},
          {16, "1.0"},
          {26, "0.0"},
          {36, "0.0"},
          {17, "0.0"},
          {27, "1.0"},
          {37, "0.0"},
          {76, "0"},
          {330, HandleText(record)}};
}

}  // namespace

DxfRetained NewDrawingGroups(uint64_t firstHandle) {
  Builder b(firstHandle);
  DxfRetained d;
  d.version = "AC1015";

  const auto table = [&](const std::string& name, std::vector<RawObject> entries, uint64_t handle) {
    d.tables.push_back(
        {name, b.TableHead(name, handle, static_cast<int>(entries.size())), std::move(entries)});
  };

  const uint64_t vport = b.New();
  RawObject active = b.Entry("VPORT", vport, "AcDbViewportTableRecord");
  Append(active,
         {{2, "*Active"}, {70, "0"},   {10, "0.0"},   {20, "0.0"},  {11, "1.0"},  {21, "1.0"},
          {12, "0.0"},    {22, "0.0"}, {13, "0.0"},   {23, "0.0"},  {14, "0.5"},  {24, "0.5"},
          {15, "0.5"},    {25, "0.5"}, {16, "0.0"},   {26, "0.0"},  {36, "1.0"},  {17, "0.0"},
          {27, "0.0"},    {37, "0.0"}, {40, "100.0"}, {41, "1.34"}, {42, "50.0"}, {43, "0.0"},
          {44, "0.0"},    {50, "0.0"}, {51, "0.0"},   {71, "0"},    {72, "1000"}, {73, "1"},
          {74, "3"},      {75, "0"},   {76, "0"},     {77, "0"},    {78, "0"}});
  table("VPORT", {active}, vport);

  const uint64_t ltype = b.New();
  std::vector<RawObject> ltypes;
  for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
    RawObject entry = b.Entry("LTYPE", ltype, "AcDbLinetypeTableRecord");
    Append(entry, {{2, name},
                   {70, "0"},
                   {3, std::string(name) == "Continuous" ? "Solid line" : ""},
                   {72, "65"},
                   {73, "0"},
                   {40, "0.0"}});
    ltypes.push_back(std::move(entry));
  }
  table("LTYPE", std::move(ltypes), ltype);

  table("LAYER", {}, b.New());

  const uint64_t style = b.New();
  RawObject standard = b.Entry("STYLE", style, "AcDbTextStyleTableRecord");
  Append(standard, {{2, "Standard"},
                    {70, "0"},
                    {40, "0.0"},
                    {41, "1.0"},
                    {50, "0.0"},
                    {71, "0"},
                    {42, "2.5"},
                    {3, "txt"},
                    {4, ""}});
  table("STYLE", {standard}, style);
  table("VIEW", {}, b.New());
  table("UCS", {}, b.New());

  const uint64_t appid = b.New();
  RawObject acad = b.Entry("APPID", appid, "AcDbRegAppTableRecord");
  Append(acad, {{2, "ACAD"}, {70, "0"}});
  table("APPID", {acad}, appid);

  const uint64_t dimstyle = b.New();
  RawObject dimStandard = b.Entry("DIMSTYLE", dimstyle, "AcDbDimStyleTableRecord", 105);
  Append(dimStandard, {{2, "Standard"}, {70, "0"}});
  table("DIMSTYLE", {dimStandard}, dimstyle);

  const uint64_t records = b.New();
  const uint64_t modelRecord = b.New();
  const uint64_t paperRecord = b.New();
  const uint64_t modelLayout = b.New();
  const uint64_t paperLayout = b.New();
  std::vector<RawObject> spaces;
  for (const auto& [name, record, layout] :
       {std::tuple{"*Model_Space", modelRecord, modelLayout},
        std::tuple{"*Paper_Space", paperRecord, paperLayout}}) {
    spaces.push_back({{0, "BLOCK_RECORD"},
                      {5, Builder::H(record)},
                      {330, Builder::H(records)},
                      {100, "AcDbSymbolTableRecord"},
                      {100, "AcDbBlockTableRecord"},
                      {2, name},
                      {340, Builder::H(layout)}});
    const std::string owner = Builder::H(record);
    d.blocks.push_back({name,
                        {{0, "BLOCK"},
                         {5, Builder::H(b.New())},
                         {330, owner},
                         {100, "AcDbEntity"},
                         {8, "0"},
                         {100, "AcDbBlockBegin"},
                         {2, name},
                         {70, "0"},
                         {10, "0.0"},
                         {20, "0.0"},
                         {30, "0.0"},
                         {3, name},
                         {1, ""}},
                        {{0, "ENDBLK"},
                         {5, Builder::H(b.New())},
                         {330, owner},
                         {100, "AcDbEntity"},
                         {8, "0"},
                         {100, "AcDbBlockEnd"}},
                        false});
  }
  table("BLOCK_RECORD", std::move(spaces), records);

  const uint64_t root = b.New();
  const uint64_t groups = b.New();
  const uint64_t layouts = b.New();
  const uint64_t plotStyles = b.New();
  const uint64_t normal = b.New();
  d.objects.push_back(Dictionary(
      root, 0,
      {{"ACAD_GROUP", groups}, {"ACAD_LAYOUT", layouts}, {"ACAD_PLOTSTYLENAME", plotStyles}}));
  d.objects.push_back(Dictionary(groups, root, {}));
  d.objects.push_back(
      Dictionary(layouts, root, {{"Layout1", paperLayout}, {"Model", modelLayout}}));
  RawObject withDefault = Dictionary(plotStyles, root, {{"Normal", normal}});
  withDefault.front().value = "ACDBDICTIONARYWDFLT";
  Append(withDefault, {{100, "AcDbDictionaryWithDefault"}, {340, Builder::H(normal)}});
  d.objects.push_back(std::move(withDefault));
  d.objects.push_back(
      {{0, "ACDBPLACEHOLDER"}, {5, Builder::H(normal)}, {330, Builder::H(plotStyles)}});
  d.objects.push_back(Layout(modelLayout, layouts, "Model", 0, modelRecord));
  d.objects.push_back(Layout(paperLayout, layouts, "Layout1", 1, paperRecord));

  d.highestHandle = b.Last();
  return d;
}

}  // namespace nimbo::replay::dxf
