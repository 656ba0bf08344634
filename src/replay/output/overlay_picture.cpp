#include "replay/output/overlay_picture.h"

#include <algorithm>

namespace nimbo::replay {

namespace {

using C = SvgCanvas;

constexpr const char* kBackground = "#1b1f24";
constexpr const char* kInactiveBackground = "#e6e8eb";
constexpr const char* kNoPenColor = "#9aa0a6";
constexpr size_t kListedLayers = 7;

std::string PenColor(const standalone::ViewerPen* pen) {
  if (!pen) return kNoPenColor;
  auto clamp = [](int32_t c) { return static_cast<uint8_t>(std::clamp(c, 0, 255)); };
  return Rgb{clamp(pen->red), clamp(pen->green), clamp(pen->blue)}.Hex();
}

// Viewer widths are screen pixels of a full-size view; the panel is a thumbnail.
double PenWidth(const standalone::ViewerPen* pen) {
  return pen ? std::clamp(pen->width * 0.35, 1.0, 6.0) : 1.0;
}

void Footprint(SvgCanvas& canvas, const PanelMap& map, const std::array<double, 8>& c,
               const char* color, const char* dashes) {
  // Corners in the viewer's order UL, UR, LL, LR; the ring goes UL, UR, LR, LL.
  const std::vector<std::pair<double, double>> ring = {{map.X(c[0]), map.Y(c[1])},
                                                       {map.X(c[2]), map.Y(c[3])},
                                                       {map.X(c[6]), map.Y(c[7])},
                                                       {map.X(c[4]), map.Y(c[5])}};
  canvas.Element("polygon", C::Attr("points", C::Points(ring)) + C::Attr("fill", "none") +
                                C::Attr("stroke", color) + C::Attr("stroke-dasharray", dashes));
}

bool HasCorners(const std::array<double, 8>& corners) {
  return std::any_of(corners.begin(), corners.end(), [](double c) { return c != 0; });
}

// What a layer received, short enough for the panel's width: "2 lines, 1 point, mosaic".
std::string LayerSummary(const standalone::OverlayLayer& layer) {
  size_t lines = 0, points = 0;
  for (const auto& feature : layer.features) (feature.kind == "point" ? points : lines)++;
  std::vector<std::string> parts;
  if (lines > 0) parts.push_back(std::to_string(lines) + (lines == 1 ? " line" : " lines"));
  if (points > 0) parts.push_back(std::to_string(points) + (points == 1 ? " point" : " points"));
  if (parts.empty()) parts.push_back("empty");
  if (!layer.registration) parts.push_back("unregistered");
  if (layer.activation) parts.push_back(*layer.activation);
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : ", ") + part;
  return out;
}

}  // namespace

const standalone::ViewerPen* FeaturePen(const standalone::ViewerFeature& feature,
                                        const standalone::OverlayLayer& layer) {
  if (!feature.byLayer && feature.style) return &*feature.style;
  if (layer.style) return &*layer.style;
  return feature.style ? &*feature.style : nullptr;
}

double DrawViewOverlays(SvgCanvas& canvas, const standalone::ViewerModel& model, int viewIndex,
                        const Rectangle& panel) {
  const standalone::ViewerView& view = model.View(viewIndex);
  size_t featureCount = 0;
  Bounds bounds;
  for (const auto& layer : view.overlays) {
    for (const auto& feature : layer.features) {
      ++featureCount;
      for (const auto& v : feature.vertices) bounds.Cover(v.x, v.y);
    }
  }
  for (const auto* corners : {&view.total, &view.visible}) {
    if (!HasCorners(*corners)) continue;
    for (size_t i = 0; i < 8; i += 2) bounds.Cover((*corners)[i], (*corners)[i + 1]);
  }
  const PanelMap map(bounds, panel.left, panel.top, panel.width, panel.height);

  const std::string title = "view " + std::to_string(viewIndex) + "  " + view.mode +
                            (view.active ? "  active" : "  inactive") +
                            (view.mapSync ? "  map sync" : "");
  canvas.Text(panel.left, panel.top - 6, title,
              C::Attr("font-size", 12) + C::Attr("font-weight", "bold") +
                  C::Attr("fill", view.active ? "#222" : "#888"));
  canvas.Element("rect", C::Attr("x", panel.left) + C::Attr("y", panel.top) +
                             C::Attr("width", panel.width) + C::Attr("height", panel.height) +
                             C::Attr("fill", view.active ? kBackground : kInactiveBackground));
  if (!view.active) {
    canvas.Text(
        panel.left + panel.width / 2, panel.top + panel.height / 2, "inactive",
        C::Attr("font-size", 12) + C::Attr("fill", "#777") + C::Attr("text-anchor", "middle"));
  }
  if (HasCorners(view.total)) Footprint(canvas, map, view.total, "#4d7cff", "5 3");
  if (HasCorners(view.visible)) Footprint(canvas, map, view.visible, "#ff5b5b", "2 2");

  for (const auto& layer : view.overlays) {
    for (const auto& feature : layer.features) {
      const standalone::ViewerPen* pen = FeaturePen(feature, layer);
      const std::string color = PenColor(pen);
      if (feature.kind == "point") {
        for (const auto& v : feature.vertices) {
          canvas.Element("circle", C::Attr("cx", map.X(v.x)) + C::Attr("cy", map.Y(v.y)) +
                                       C::Attr("r", 1.5 + PenWidth(pen)) + C::Attr("fill", color));
        }
        continue;
      }
      std::vector<std::pair<double, double>> points;
      for (const auto& v : feature.vertices) points.emplace_back(map.X(v.x), map.Y(v.y));
      canvas.Element("polyline", C::Attr("points", C::Points(points)) + C::Attr("fill", "none") +
                                     C::Attr("stroke", color) +
                                     C::Attr("stroke-width", PenWidth(pen)) +
                                     C::Attr("stroke-linejoin", "round"));
    }
  }

  double y = panel.top + panel.height + 15;
  const std::string small = C::Attr("font-size", 10) + C::Attr("fill", "#333");
  canvas.Text(panel.left, y,
              std::to_string(view.overlays.size()) + " overlay layers, " +
                  std::to_string(featureCount) + " features, " + std::to_string(view.refreshCount) +
                  " refreshes",
              small);
  y += 13;
  for (size_t i = 0; i < view.overlays.size() && i < kListedLayers; ++i) {
    const auto& layer = view.overlays[i];
    canvas.Element("rect", C::Attr("x", panel.left) + C::Attr("y", y - 8) + C::Attr("width", 8) +
                               C::Attr("height", 8) +
                               C::Attr("fill", PenColor(layer.style ? &*layer.style : nullptr)) +
                               C::Attr("stroke", "#777") + C::Attr("stroke-width", 0.5));
    const std::string summary = LayerSummary(layer);
    // Name and summary share the panel's width (about 6 pixels a character).
    const size_t room = summary.size() < 37 ? 37 - summary.size() : 4;
    canvas.Text(panel.left + 12, y, Shortened(layer.name, room), small);
    canvas.Text(panel.left + panel.width, y, summary, small + C::Attr("text-anchor", "end"));
    y += 13;
  }
  if (view.overlays.size() > kListedLayers) {
    canvas.Text(panel.left + 12, y,
                "and " + std::to_string(view.overlays.size() - kListedLayers) + " more", small);
    y += 13;
  }
  return y - panel.top;
}

}  // namespace nimbo::replay
