#include "standalone/viewer/viewer_model.h"

#include <algorithm>
#include <stdexcept>

#include "automation/error.h"

namespace nimbo::standalone {

namespace {

// What the viewer raises for an argument it cannot use.
[[noreturn]] void InvalidArgument() {
  throw automation::errors::Standard(automation::errors::kInvalidCall, "NimboViewer");
}

bool IsViewIndex(int32_t viewIndex) {
  return viewIndex >= 1 && viewIndex <= kViewCount;
}

}  // namespace

std::vector<automation::Variant> ViewerPen::Values() const {
  using automation::Variant;
  return {Variant(red),      Variant(green),      Variant(blue),      Variant(alpha),
          Variant(startCap), Variant(dashOffset), Variant(dashStyle), Variant(endCap),
          Variant(dashCap),  Variant(lineJoin),   Variant(width)};
}

void ViewerModel::Apply(const ViewerStatePatch& patch) {
  for (const auto& [key, view] : patch.views) {
    if (!IsViewIndex(key)) {
      throw std::invalid_argument("view \"" + std::to_string(key) + "\" is not one of 1 to 5");
    }
  }
  for (const auto& [key, change] : patch.views) {
    ViewerView& view = views_[static_cast<size_t>(key - 1)];
    if (change.active) view.active = *change.active;
    if (change.mode) view.mode = *change.mode;
    if (change.mapSync) view.mapSync = *change.mapSync;
    if (change.total) view.total = *change.total;
    if (change.visible) view.visible = *change.visible;
  }
  if (patch.showTotalExtent) options_.showTotalExtent = *patch.showTotalExtent;
  if (patch.showVisibleExtent) options_.showVisibleExtent = *patch.showVisibleExtent;
  if (patch.viewerFollowsMap) options_.viewerFollowsMap = *patch.viewerFollowsMap;
  if (patch.mapFollowsViewer) options_.mapFollowsViewer = *patch.mapFollowsViewer;
  if (patch.centerOnPoint) centerOnPointAnswer_ = *patch.centerOnPoint;
}

const ViewerView& ViewerModel::View(int viewIndex) const {
  if (!IsViewIndex(viewIndex)) InvalidArgument();
  return views_[static_cast<size_t>(viewIndex - 1)];
}

ViewerView& ViewerModel::MutableView(int32_t viewIndex) {
  if (!IsViewIndex(viewIndex)) InvalidArgument();
  return views_[static_cast<size_t>(viewIndex - 1)];
}

std::vector<ViewerView*> ViewerModel::ViewsOrAll(int32_t viewIndex) {
  if (viewIndex != 0) return {&MutableView(viewIndex)};
  std::vector<ViewerView*> all;
  for (ViewerView& view : views_) all.push_back(&view);
  return all;
}

OverlayLayer& ViewerModel::OverlayOf(ViewerView& view, const std::string& name) {
  auto it = std::find_if(view.overlays.begin(), view.overlays.end(),
                         [&](const OverlayLayer& layer) { return layer.name == name; });
  if (it != view.overlays.end()) return *it;
  view.overlays.push_back(OverlayLayer{name, std::nullopt, {}, std::nullopt, std::nullopt, {}});
  return view.overlays.back();
}

std::vector<const OverlayLayer*> ViewerModel::Registered(const ViewerView& view) {
  std::vector<const OverlayLayer*> registered;
  for (const OverlayLayer& layer : view.overlays) {
    if (layer.registration) registered.push_back(&layer);
  }
  return registered;
}

const OverlayLayer* ViewerModel::FindOverlay(int viewIndex, const std::string& name) const {
  const ViewerView& view = View(viewIndex);
  for (const OverlayLayer& layer : view.overlays) {
    if (layer.name == name) return &layer;
  }
  return nullptr;
}

void ViewerModel::SetClientInfo(const std::string& title, const std::string& version) {
  clientInfo_ = std::array<std::string, 2>{title, version};
}

std::string ViewerModel::GetViewMode(int32_t viewIndex) const {
  return View(viewIndex).mode;
}

double ViewerModel::TotalCorner(int corner, int32_t viewIndex) const {
  return View(viewIndex).total.at(static_cast<size_t>(corner));
}

double ViewerModel::VisibleCorner(int corner, int32_t viewIndex) const {
  return View(viewIndex).visible.at(static_cast<size_t>(corner));
}

bool ViewerModel::IsViewActive(int32_t viewIndex) const {
  return View(viewIndex).active;
}

bool ViewerModel::IsMapSyncView(int32_t viewIndex) const {
  return View(viewIndex).mapSync;
}

void ViewerModel::RegisterOverlayLayer(const std::string& name, int32_t viewIndex,
                                       const OverlayRegistration& registration) {
  for (ViewerView* view : ViewsOrAll(viewIndex)) {
    auto& overlays = view->overlays;
    auto it = std::find_if(overlays.begin(), overlays.end(),
                           [&](const OverlayLayer& layer) { return layer.name == name; });
    if (it != overlays.end() && it->registration) {
      it->registration = registration;  // registered again: same place, new options
      continue;
    }
    OverlayLayer layer{name, registration, {}, std::nullopt, std::nullopt, {}};
    if (it != overlays.end()) {
      // A layer known only from its content keeps it and joins the registered ones.
      layer = std::move(*it);
      layer.registration = registration;
      overlays.erase(it);
    }
    auto firstUnregistered =
        std::find_if(overlays.begin(), overlays.end(),
                     [](const OverlayLayer& l) { return !l.registration.has_value(); });
    overlays.insert(firstUnregistered, std::move(layer));
  }
}

void ViewerModel::RemoveOverlayLayer(const std::string& name, int32_t viewIndex) {
  auto& overlays = MutableView(viewIndex).overlays;
  std::erase_if(overlays, [&](const OverlayLayer& layer) { return layer.name == name; });
}

void ViewerModel::ResetOverlays(int32_t viewIndex) {
  for (ViewerView* view : ViewsOrAll(viewIndex)) view->overlays.clear();
}

int32_t ViewerModel::GetOverlayLayerCount(int32_t viewIndex) const {
  return static_cast<int32_t>(1 + Registered(View(viewIndex)).size());
}

std::string ViewerModel::GetOverlayLayerName(int32_t layerIndex, int32_t viewIndex) const {
  const auto registered = Registered(View(viewIndex));
  if (layerIndex == 0) return kMeasurementsOverlay;
  if (layerIndex < 0 || static_cast<size_t>(layerIndex) > registered.size()) InvalidArgument();
  return registered[static_cast<size_t>(layerIndex - 1)]->name;
}

void ViewerModel::ActivateOverlay(const std::string& name, int32_t viewIndex,
                                  std::string_view kind) {
  OverlayOf(MutableView(viewIndex), name).activation = std::string(kind);
}

void ViewerModel::BeginFeature() {
  pending_ = true;
  pendingVertices_.clear();
}  // an unfinished one is dropped

void ViewerModel::AddVertex(double x, double y) {
  if (!pending_) InvalidArgument();
  pendingVertices_.push_back(ViewerVertex{x, y});
}

void ViewerModel::FinishFeature(std::string_view kind, const std::string& layer, int32_t viewIndex,
                                bool byLayer) {
  ViewerView& view = MutableView(viewIndex);  // checked before the pending feature is used
  if (!pending_) InvalidArgument();
  std::vector<ViewerVertex> vertices;
  if (!spareVertices_.empty()) {
    vertices = std::move(spareVertices_.back());
    spareVertices_.pop_back();
  }
  vertices.assign(pendingVertices_.begin(), pendingVertices_.end());
  pending_ = false;
  OverlayOf(view, layer)
      .features.push_back(ViewerFeature{std::string(kind), layer, byLayer, std::move(vertices),
                                        byLayer ? std::nullopt : featurePen_});
}

void ViewerModel::ClearOverlayLayer(const std::string& name, int32_t viewIndex) {
  for (OverlayLayer& layer : MutableView(viewIndex).overlays) {
    if (layer.name != name) continue;
    spareVertices_.reserve(spareVertices_.size() + layer.features.size());  // then no throw
    for (ViewerFeature& feature : layer.features) {
      spareVertices_.push_back(std::move(feature.vertices));
    }
    layer.features.clear();
  }
}

void ViewerModel::SetFeatureStyle(const ViewerPen& pen) {
  featurePen_ = pen;
}

void ViewerModel::PrepareLayer(const std::string& name, int32_t viewIndex, std::string_view step) {
  for (ViewerView* view : ViewsOrAll(viewIndex)) {
    auto& steps = OverlayOf(*view, name).preparation;
    if (std::find(steps.begin(), steps.end(), step) == steps.end()) steps.emplace_back(step);
  }
}

void ViewerModel::SetOverlayLayerStyle(const std::string& name, int32_t viewIndex,
                                       const ViewerPen& pen) {
  OverlayOf(MutableView(viewIndex), name).style = pen;
}

void ViewerModel::RefreshOverlays(int32_t viewIndex) {
  ++MutableView(viewIndex).refreshCount;
}

void ViewerModel::RefreshDiscreteOverlays(int32_t viewIndex) {
  ++MutableView(viewIndex).discreteRefreshCount;
}

void ViewerModel::SearchImageAtPoint(double x, double y) {
  lastSearch_ = ViewerVertex{x, y};
}

bool ViewerModel::CenterOnPoint(double x, double y, double scale) {
  lastCenter_ = CenterRequest{x, y, scale};
  return centerOnPointAnswer_;
}

void ViewerModel::AddTableInfo(const std::string& entry) {
  tableInfo_.push_back(entry);
}

void ViewerModel::ClearTableInfo() {
  tableInfo_.clear();
}

}  // namespace nimbo::standalone
