// A replay session as read from its file: the world the control starts in (documents,
// viewer, clock, locale, the applications that run) and the steps that happen to it,
// each with the answers the person gives during it. Defaults are filled in by the
// reader, so every field here means what it says.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "automation/clock.h"
#include "automation/variant.h"
#include "host/cad.h"
#include "replay/dxf/dxf_drawing.h"
#include "standalone/scripted_person.h"
#include "standalone/viewer/viewer_model.h"

namespace nimbo::replay {

struct Point2 {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point2&, const Point2&) = default;
};

// A CAD colour as the host's colour object reports it.
struct SessionColor {
  int32_t method = host::color_method::kByLayer;
  int32_t index = host::kColorByLayer;
  std::array<int32_t, 3> rgb{0, 0, 0};
  friend bool operator==(const SessionColor&, const SessionColor&) = default;

  static SessionColor ByLayer() { return {}; }
  static SessionColor ByIndex(int32_t index) { return {host::color_method::kByACI, index, {}}; }
};

struct SessionLayer {
  std::string name;
  SessionColor color = SessionColor::ByIndex(7);
  bool on = true;
  bool frozen = false;
  bool locked = false;
  int32_t lineweight = -3;  // the host's default line weight
};

struct AttributeValue {
  std::string tag;
  std::string value;
};

struct PolylineGeometry {
  std::vector<Point2> points;
  bool closed = false;
};
struct LineGeometry {
  host::Point3 start;
  host::Point3 end;
};
struct PointGeometry {
  host::Point3 at;
};
struct CircleGeometry {
  host::Point3 center;
  double radius = 0;
};
struct ArcGeometry {
  host::Point3 center;
  double radius = 0;
  double startAngle = 0;  // radians
  double endAngle = 0;
};
struct TextGeometry {
  host::Point3 at;
  std::string text;
  double height = 0;
};
struct RegionGeometry {
  std::vector<Point2> points;  // the closed outline
};
struct BlockReferenceGeometry {
  std::string block;
  host::Point3 at;
  std::vector<AttributeValue> attributes;
};
using Geometry = std::variant<PolylineGeometry, LineGeometry, PointGeometry, CircleGeometry,
                              ArcGeometry, TextGeometry, RegionGeometry, BlockReferenceGeometry>;

struct SessionEntity {
  std::string id;
  std::string layer = "0";
  SessionColor color = SessionColor::ByLayer();
  int32_t lineweight = host::kLineweightByLayer;
  Geometry geometry;
};

struct SessionAttributeDefinition {
  std::string tag;
  std::string value;
  double height = 1;
  std::string prompt;
  int32_t mode = 0;
  host::Point3 at;
};

struct SessionBlock {
  std::string name;
  host::Point3 origin;
  std::vector<SessionAttributeDefinition> attributes;
};

struct SessionObjectDataTable {
  std::string table;
  std::vector<std::string> fields;
};

struct SessionDocument {
  std::string name;
  std::vector<SessionLayer> layers;  // layer "0" first
  std::vector<SessionEntity> modelSpace;
  std::vector<SessionEntity> paperSpace;
  std::vector<SessionBlock> blocks;
  std::vector<SessionObjectDataTable> objectData;
  Point2 viewCenter;
  double viewSize = 100;
  std::string currentLayer = "0";
  // A DXF drawing the document starts from, as the session names it (relative to the
  // session file), and what was read from it (LoadDxfDrawings); the listed content is
  // added on top.
  std::optional<std::string> dxf;
  std::shared_ptr<const dxf::DxfDrawing> dxfDrawing;
  // Which of the defaults above the session itself gave: over a DXF drawing, only those
  // replace what the drawing holds.
  bool layerZeroGiven = false;
  bool viewGiven = false;
  bool currentLayerGiven = false;
};

// The eight corners in the viewer's order: ULx, ULy, URx, URy, LLx, LLy, LRx, LRy.
using Corners = std::array<double, 8>;

// The session's starting viewer is a change applied to the simulated viewer's defaults;
// a `viewer` step is another. Views are merged key by key.
using ViewerPatch = standalone::ViewerStatePatch;

struct ShowStep {};
struct ResizeStep {
  double width = 0;
  double height = 0;
};
struct DockStep {};
struct ActivateStep {
  std::string document;
};
struct CloseDocumentStep {
  std::string document;
};
struct TerminateStep {};
struct EventStep {
  std::string event;
  std::vector<automation::Variant> args;  // positional, as the viewer's event table orders them
};
struct CommandStep {
  std::string name;
  std::optional<Point2> viewCenter;
  std::optional<double> viewSize;
};
struct ClickStep {};
struct CallStep {
  std::string method;  // AddLayer, FindLayer, DeleteAll, DeleteLayer
  std::string layername;
};
struct ViewerStep {
  ViewerPatch change;
};
struct FailStep {
  std::string target;
  int32_t number = 0;
  std::string description;
  int after = 0;
  int times = 1;
};
using StepAction =
    std::variant<ShowStep, ResizeStep, DockStep, ActivateStep, CloseDocumentStep, TerminateStep,
                 EventStep, CommandStep, ClickStep, CallStep, ViewerStep, FailStep>;

struct Step {
  StepAction action;
  std::vector<standalone::Answer> user;
};

struct Session {
  std::optional<automation::DateTime> now;  // nothing: the real clock
  std::string locale = "en-US";
  bool autocad = true;
  bool map = true;
  std::vector<SessionDocument> documents;
  std::optional<std::string> activeDocument;  // nothing: no active document
  ViewerPatch viewer;
  std::vector<Step> steps;
};

// The `do` word of a step.
const char* StepKind(const StepAction& action);

}  // namespace nimbo::replay
