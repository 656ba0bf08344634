#include "standalone/viewer/viewer_model_json.h"

#include <string>

namespace nimbo::standalone {

namespace {

using Json = nlohmann::ordered_json;

Json PenJson(const std::optional<ViewerPen>& pen) {
  if (!pen) return nullptr;
  return Json::array({pen->red, pen->green, pen->blue, pen->alpha, pen->startCap, pen->dashOffset,
                      pen->dashStyle, pen->endCap, pen->dashCap, pen->lineJoin, pen->width});
}

Json FeatureJson(const ViewerFeature& feature) {
  Json vertices = Json::array();
  for (const ViewerVertex& v : feature.vertices) vertices.push_back(Json::array({v.x, v.y}));
  return Json{{"kind", feature.kind},
              {"layer", feature.layer},
              {"byLayer", feature.byLayer},
              {"vertices", std::move(vertices)},
              {"style", PenJson(feature.style)}};
}

Json LayerJson(const OverlayLayer& layer) {
  Json registration = nullptr;
  if (layer.registration) {
    registration = Json{{"flag", layer.registration->flag},
                        {"option1", layer.registration->option1},
                        {"option2", layer.registration->option2}};
  }
  Json features = Json::array();
  for (const ViewerFeature& feature : layer.features) features.push_back(FeatureJson(feature));
  return Json{{"name", layer.name},
              {"registration", std::move(registration)},
              {"preparation", layer.preparation},
              {"style", PenJson(layer.style)},
              {"activation", layer.activation ? Json(*layer.activation) : Json(nullptr)},
              {"features", std::move(features)}};
}

Json CornersJson(const std::array<double, 8>& corners) {
  Json out = Json::array();
  for (double c : corners) out.push_back(c);
  return out;
}

}  // namespace

Json ViewerModelToJson(const ViewerModel& model) {
  Json overlays = Json::object();
  Json views = Json::object();
  Json refreshes = Json::object();
  for (int v = 1; v <= kViewCount; ++v) {
    const ViewerView& view = model.View(v);
    const std::string key = std::to_string(v);
    Json layers = Json::array();
    for (const OverlayLayer& layer : view.overlays) layers.push_back(LayerJson(layer));
    overlays[key] = std::move(layers);
    views[key] = Json{{"active", view.active},
                      {"mode", view.mode},
                      {"mapSync", view.mapSync},
                      {"total", CornersJson(view.total)},
                      {"visible", CornersJson(view.visible)}};
    refreshes[key] = Json{{"RefreshOverlays", view.refreshCount},
                          {"RefreshDiscreteOverlays", view.discreteRefreshCount}};
  }
  Json clientInfo = nullptr;
  if (model.ClientInfo())
    clientInfo = Json::array({(*model.ClientInfo())[0], (*model.ClientInfo())[1]});
  const ViewerOptions& options = model.Options();
  return Json{{"clientInfo", std::move(clientInfo)},
              {"tableInfo", model.TableInfo()},
              {"overlays", std::move(overlays)},
              {"views", std::move(views)},
              {"showTotalExtent", options.showTotalExtent},
              {"showVisibleExtent", options.showVisibleExtent},
              {"viewerFollowsMap", options.viewerFollowsMap},
              {"mapFollowsViewer", options.mapFollowsViewer},
              {"centerOnPoint", model.CenterOnPointAnswer()},
              {"refreshes", std::move(refreshes)}};
}

}  // namespace nimbo::standalone
