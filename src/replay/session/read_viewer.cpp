// The ViewerState section of a session file, and the change of a `viewer` step.
#include <string>
#include <vector>

#include "host/viewer_views.h"
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

// "1" to "5": a view's key is its number.
const std::vector<std::string_view>& ViewKeys() {
  static const std::vector<std::string> numbers = [] {
    std::vector<std::string> all;
    for (int32_t index = 1; index <= host::kViewCount; ++index)
      all.push_back(std::to_string(index));
    return all;
  }();
  static const std::vector<std::string_view> keys(numbers.begin(), numbers.end());
  return keys;
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
    const JsonObject viewsObject(*views, ViewKeys());
    for (int32_t index = 1; index <= host::kViewCount; ++index) {
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
