// What the simulated viewer knows: its five views, its options, what the client told it,
// and the vector overlays of each view. The dispatch layer (simulated_viewer) turns calls
// into the operations below; the replay sets the state and reads it all back.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "host/viewer_views.h"

namespace nimbo::standalone {

inline constexpr int kViewCount = host::kViewCount;
using host::kMeasurementsOverlay;

// A pen as the viewer receives it: red, green, blue, alpha, start cap, dash offset,
// dash style, end cap, dash cap, line join, width.
struct ViewerPen {
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
  int32_t alpha = 255;
  std::string startCap = "Flat";
  int32_t dashOffset = 0;
  std::string dashStyle = "Solid";
  std::string endCap = "Flat";
  std::string dashCap = "Flat";
  std::string lineJoin = "Miter";
  int32_t width = 0;

  // The eleven values in call order.
  std::vector<automation::Variant> Values() const;
  friend bool operator==(const ViewerPen&, const ViewerPen&) = default;
};

struct ViewerVertex {
  double x = 0;
  double y = 0;
  friend bool operator==(const ViewerVertex&, const ViewerVertex&) = default;
};

// A feature's kind, as the operation that finished it names it.
inline constexpr std::string_view kLineFeature = "line";
inline constexpr std::string_view kPointFeature = "point";

struct ViewerFeature {
  std::string kind;  // kLineFeature or kPointFeature
  std::string layer;
  bool byLayer = false;
  std::vector<ViewerVertex> vertices;
  // The feature pen current when the feature was finished; none when it follows its layer
  // or when no feature pen was ever set.
  std::optional<ViewerPen> style;
};

struct OverlayRegistration {
  bool flag = false;
  bool option1 = false;
  bool option2 = false;
};

struct OverlayLayer {
  std::string name;
  // None for a layer that received preparation, a style or features without being
  // registered; such a layer is kept (nothing is lost) but not listed by position.
  std::optional<OverlayRegistration> registration;
  // The preparation steps received ("One", "Two", "Three"), each once, in first order.
  std::vector<std::string> preparation;
  std::optional<ViewerPen> style;
  std::optional<std::string> activation;  // "mosaic" or "discrete", the last received
  // Cleared and filled again on every redraw: the room it grew to is kept, so a redraw
  // of as many features allocates nothing for them.
  std::vector<ViewerFeature> features;
};

struct ViewerView {
  bool active = false;
  std::string mode = host::kMosaicViewMode;
  bool mapSync = false;
  // Corners in the viewer's order: ULx, ULy, URx, URy, LLx, LLy, LRx, LRy.
  std::array<double, 8> total{};
  std::array<double, 8> visible{};
  // Registered layers first, in registration order, then unregistered ones.
  std::vector<OverlayLayer> overlays;
  // Calls since the start; ResetOverlays does not reset them.
  int refreshCount = 0;
  int discreteRefreshCount = 0;
};

struct ViewerOptions {
  bool showTotalExtent = false;
  bool showVisibleExtent = false;
  bool viewerFollowsMap = false;
  bool mapFollowsViewer = false;
};

// A change of the viewer's state from outside: only the keys given change, views key by
// key.
struct ViewerViewPatch {
  std::optional<bool> active;
  std::optional<std::string> mode;
  std::optional<bool> mapSync;
  std::optional<std::array<double, 8>> total;
  std::optional<std::array<double, 8>> visible;
};
struct ViewerStatePatch {
  std::map<int, ViewerViewPatch> views;  // keys 1..5
  std::optional<bool> showTotalExtent;
  std::optional<bool> showVisibleExtent;
  std::optional<bool> viewerFollowsMap;
  std::optional<bool> mapFollowsViewer;
  std::optional<bool> centerOnPoint;
};

struct CenterRequest {
  double x = 0;
  double y = 0;
  double scale = 0;
};

// The operations raise AutomationError 5 for a view index outside 1..5 (or outside 0..5
// where 0 means every view) and for a feature call without a begun feature.
class ViewerModel {
 public:
  // Raises std::invalid_argument for a view key outside 1..5.
  void Apply(const ViewerStatePatch& patch);

  // Inspection.
  const ViewerView& View(int viewIndex) const;  // 1..5; raises 5 otherwise
  const ViewerOptions& Options() const { return options_; }
  bool CenterOnPointAnswer() const { return centerOnPointAnswer_; }
  const std::optional<std::array<std::string, 2>>& ClientInfo() const { return clientInfo_; }
  const std::vector<std::string>& TableInfo() const { return tableInfo_; }
  const std::optional<ViewerPen>& FeaturePen() const { return featurePen_; }
  bool HasPendingFeature() const { return pending_; }
  const std::optional<ViewerVertex>& LastSearchPoint() const { return lastSearch_; }
  const std::optional<CenterRequest>& LastCenterRequest() const { return lastCenter_; }
  // An overlay layer of a view by name (registered or not), or null.
  const OverlayLayer* FindOverlay(int viewIndex, const std::string& name) const;

  // The operations, by their names in the operation table.
  void SetClientInfo(const std::string& title, const std::string& version);
  std::string GetViewMode(int32_t viewIndex) const;
  double TotalCorner(int corner, int32_t viewIndex) const;    // corner 0..7
  double VisibleCorner(int corner, int32_t viewIndex) const;  // corner 0..7
  bool IsViewActive(int32_t viewIndex) const;
  bool IsMapSyncView(int32_t viewIndex) const;
  void RegisterOverlayLayer(const std::string& name, int32_t viewIndex,
                            const OverlayRegistration& registration);
  void RemoveOverlayLayer(const std::string& name, int32_t viewIndex);
  void ResetOverlays(int32_t viewIndex);
  int32_t GetOverlayLayerCount(int32_t viewIndex) const;
  std::string GetOverlayLayerName(int32_t layerIndex, int32_t viewIndex) const;
  void ActivateOverlay(const std::string& name, int32_t viewIndex, std::string_view kind);
  void BeginFeature();
  void AddVertex(double x, double y);
  void FinishFeature(std::string_view kind, const std::string& layer, int32_t viewIndex,
                     bool byLayer);
  void ClearOverlayLayer(const std::string& name, int32_t viewIndex);
  void SetFeatureStyle(const ViewerPen& pen);
  void PrepareLayer(const std::string& name, int32_t viewIndex, std::string_view step);
  void SetOverlayLayerStyle(const std::string& name, int32_t viewIndex, const ViewerPen& pen);
  void RefreshOverlays(int32_t viewIndex);
  void RefreshDiscreteOverlays(int32_t viewIndex);
  void SearchImageAtPoint(double x, double y);
  bool CenterOnPoint(double x, double y, double scale);
  void AddTableInfo(const std::string& entry);
  void ClearTableInfo();

 private:
  ViewerView& MutableView(int32_t viewIndex);
  // The views that an index names: 0 every view, 1..5 one view.
  std::vector<ViewerView*> ViewsOrAll(int32_t viewIndex);
  static OverlayLayer& OverlayOf(ViewerView& view, const std::string& name);
  static std::vector<const OverlayLayer*> Registered(const ViewerView& view);

  std::array<ViewerView, kViewCount> views_;
  ViewerOptions options_;
  bool centerOnPointAnswer_ = true;
  std::optional<std::array<std::string, 2>> clientInfo_;
  std::vector<std::string> tableInfo_;
  std::optional<ViewerPen> featurePen_;
  // The feature being built: its vertices gather in `pendingVertices_`, whose room is
  // kept from feature to feature, and are copied to the feature once when it finishes.
  bool pending_ = false;
  std::vector<ViewerVertex> pendingVertices_;
  // The vertex arrays of cleared features: the next features take them over, as an
  // extent change clears each layer it then fills again.
  std::vector<std::vector<ViewerVertex>> spareVertices_;
  std::optional<ViewerVertex> lastSearch_;
  std::optional<CenterRequest> lastCenter_;
};

}  // namespace nimbo::standalone
