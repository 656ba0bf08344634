// Every target name that the embedded default checks with FaultPlan::Check. The CAD
// host's and the Map application's are listed here object by object, with the members
// named as in host/cad.h and host/map.h; the viewer's come from the one table of viewer
// operations; the dialogs' and the container's are the names their components check.
#include <algorithm>
#include <string>
#include <vector>

#include "host/viewer_operations.h"
#include "standalone/fault_plan.h"

namespace nimbo::standalone {

namespace {

struct ObjectMembers {
  const char* object;
  std::vector<const char*> members;
};

std::vector<std::string> BuildTargets() {
  const std::vector<const char*> collection = {
      "Count",       "Item",          "ForEach",       "AddPoint",         "AddLightWeightPolyline",
      "AddText",     "AddDimAligned", "AddDimAngular", "AddExtrudedSolid", "InsertBlock",
      "AddAttribute"};
  std::vector<const char*> block = collection;
  block.push_back("Name");
  const std::vector<ObjectMembers> drawing = {
      {"Application", {"ActiveDocument", "GetInterfaceObject", "ZoomCenter"}},
      {"RunningObjects", {"GetActiveObject"}},
      {"Document",
       {"Name", "GetVariable", "SetVariable", "Application", "ModelSpace", "PaperSpace", "Layers",
        "Blocks", "SelectionSets", "Utility", "Advise", "Unadvise"}},
      {"Layers", {"Count", "Item", "Add", "ForEach"}},
      {"Layer", {"Name", "SetColor", "LayerOn", "TrueColor", "Lineweight", "Delete"}},
      {"ModelSpace", collection},
      {"PaperSpace", collection},
      {"Blocks", {"Count", "Item", "Add"}},
      {"Block", block},
      {"SelectionSets", {"Count", "Add"}},
      {"SelectionSet",
       {"Name", "SelectOnScreen", "SelectByPolygon", "Select", "Count", "Item", "ForEach",
        "Delete"}},
      {"Utility", {"GetPoint"}},
      {"Entity",
       {"ObjectName", "ObjectID", "Layer", "SetLayer", "SetColor", "TrueColor", "Lineweight",
        "Update", "Delete", "Coordinates", "StartPoint", "EndPoint", "SetTextOverride",
        "SetTextHeight", "SetArrowheadSize", "TagString", "TextString", "SetTextString",
        "SetHeight"}},
      {"Color", {"ColorMethod", "ColorIndex", "Red", "Green", "Blue"}},
  };
  const std::vector<ObjectMembers> map = {
      {"Application", {"Project"}},
      {"Project", {"ODTables"}},
      {"ODTables", {"Count", "Item", "Find"}},
      {"ODTable", {"Name", "FieldDefinitions", "CreateRecord"}},
      {"ODFieldDefinitions", {"Count", "Item", "Find"}},
      {"ODFieldDefinition", {"Name"}},
      {"ODRecord", {"SetField", "AttachTo"}},
  };
  std::vector<std::string> targets;
  for (const auto& [object, members] : drawing) {
    for (const char* member : members) {
      targets.push_back(std::string("drawing.") + object + "." + member);
    }
  }
  for (const auto& [object, members] : map) {
    for (const char* member : members)
      targets.push_back(std::string("map.") + object + "." + member);
  }
  for (const host::ViewerOperation& operation : host::ViewerOperations()) {
    targets.push_back("viewer." + std::string(operation.name));
  }
  targets.push_back("dialogs.MessageBox");
  targets.push_back("dialogs.InputBox");
  targets.push_back("container.Member8");
  return targets;
}

}  // namespace

const std::vector<std::string>& FaultTargets() {
  static const std::vector<std::string> targets = BuildTargets();
  return targets;
}

bool IsFaultTarget(std::string_view target) {
  static const std::vector<std::string> sorted = [] {
    std::vector<std::string> s = FaultTargets();
    std::sort(s.begin(), s.end());
    return s;
  }();
  return std::binary_search(sorted.begin(), sorted.end(), target,
                            [](std::string_view a, std::string_view b) { return a < b; });
}

}  // namespace nimbo::standalone
