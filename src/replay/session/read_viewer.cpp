// The ViewerState section of a session file, and the change of a `viewer` step.
#include "replay/session/session_parts.h"
#include "replay/session/session_values.h"

namespace nimbo::replay {

namespace {

standalone::ViewerViewPatch ReadView(const JsonNode& node) {
  const JsonObject object(node, {"active", "mode", "mapSync", "total", "visible"});
  standalone::ViewerViewPatch view;
  if (auto v = object.Optional("active")) view.active = v->Boolean();
  if (auto v = object.Optional("mode")) view.mode = v->String();
  if (auto v = object.Optional("mapSync")) view.mapSync = v->Boolean();
  if (auto v = object.Optional("total")) view.total = ReadCorners(*v);
  if (auto v = object.Optional("visible")) view.visible = ReadCorners(*v);
  return view;
}

}  // namespace

const std::vector<std::string_view>& ViewerStateKeys() {
  static const std::vector<std::string_view> kKeys = {"views",
                                                      "showTotalExtent",
                                                      "showVisibleExtent",
                                                      "viewerFollowsMap",
                                                      "mapFollowsViewer",
                                                      "centerOnPoint"};
  return kKeys;
}

ViewerPatch ReadViewerPatch(const JsonObject& object) {
  ViewerPatch patch;
  if (auto views = object.Optional("views")) {
    const JsonObject viewsObject(*views, {"1", "2", "3", "4", "5"});
    for (int32_t index = 1; index <= 5; ++index) {
      if (auto view = viewsObject.Optional(std::to_string(index))) {
        patch.views[index] = ReadView(*view);
      }
    }
  }
  if (auto v = object.Optional("showTotalExtent")) patch.showTotalExtent = v->Boolean();
  if (auto v = object.Optional("showVisibleExtent")) patch.showVisibleExtent = v->Boolean();
  if (auto v = object.Optional("viewerFollowsMap")) patch.viewerFollowsMap = v->Boolean();
  if (auto v = object.Optional("mapFollowsViewer")) patch.mapFollowsViewer = v->Boolean();
  if (auto v = object.Optional("centerOnPoint")) patch.centerOnPoint = v->Boolean();
  return patch;
}

}  // namespace nimbo::replay
