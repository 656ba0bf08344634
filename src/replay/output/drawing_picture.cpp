#include "replay/output/drawing_picture.h"

#include <cmath>
#include <map>
#include <numbers>

#include "overlay/acad_colors.h"
#include "standalone/journal.h"

namespace nimbo::replay {

namespace {

using standalone::EntityData;
using standalone::EntityKind;
using C = SvgCanvas;

constexpr const char* kBackground = "#1b1f24";
constexpr const char* kFrameColor = "#8a9099";
constexpr const char* kSelectedColor = "#ffd400";
constexpr size_t kLegendLayers = 28;

// The view is drawn 4:3, the usual shape of a drawing window; VIEWSIZE is its height.
constexpr double kViewAspect = 4.0 / 3.0;

std::map<std::string, standalone::LayerData> LayersByKey(const standalone::Drawing& drawing) {
  std::map<std::string, standalone::LayerData> layers;
  for (const auto& layer : drawing.Layers()) layers[standalone::NameKey(layer.name)] = layer;
  return layers;
}

bool Shown(const standalone::LayerData& layer) {
  return layer.on && !layer.frozen;
}

int32_t PointMode(const standalone::Drawing& drawing) {
  for (const standalone::Variable& variable : drawing.Variables()) {
    if (variable.name != "PDMODE") continue;
    const automation::Variant value = variable.value.Value();
    if (value.Type() == automation::VarType::Integer) return value.AsInteger();
    if (value.Type() == automation::VarType::Long) return value.AsLong();
  }
  return 0;
}

void CoverEntity(Bounds& b, const EntityData& e) {
  auto cover3 = [&](const host::Point3& p) { b.Cover(p.x, p.y); };
  switch (e.kind) {
    case EntityKind::Polyline:
    case EntityKind::Region:
    case EntityKind::Solid:
      for (size_t i = 0; i + 1 < e.points.size(); i += 2) b.Cover(e.points[i], e.points[i + 1]);
      break;
    case EntityKind::Line:
      cover3(e.start);
      cover3(e.end);
      break;
    case EntityKind::Circle:
    case EntityKind::Arc:
      b.Cover(e.center.x - e.radius, e.center.y - e.radius);
      b.Cover(e.center.x + e.radius, e.center.y + e.radius);
      break;
    case EntityKind::AngularDimension:
      cover3(e.vertex);
      [[fallthrough]];
    case EntityKind::AlignedDimension:
      cover3(e.first);
      cover3(e.second);
      cover3(e.textPosition);
      break;
    default:
      cover3(e.at);
      break;
  }
}

// Writes the entities of one drawing into a panel.
class EntityPainter {
 public:
  EntityPainter(SvgCanvas& canvas, const PanelMap& map, int32_t pointMode)
      : canvas_(canvas), map_(map), pointMode_(pointMode) {}

  void Paint(const EntityData& e, const std::string& color, double width) {
    const std::string line = C::Attr("stroke", color) + C::Attr("stroke-width", width) +
                             C::Attr("stroke-linejoin", "round");
    const std::string stroke = line + C::Attr("fill", "none");
    switch (e.kind) {
      case EntityKind::Polyline:
        canvas_.Element(e.closed ? "polygon" : "polyline",
                        C::Attr("points", Ring(e.points)) + stroke);
        break;
      case EntityKind::Region:
        canvas_.Element("polygon", C::Attr("points", Ring(e.points)) + line +
                                       C::Attr("fill", color) + C::Attr("fill-opacity", "0.25"));
        break;
      case EntityKind::Solid:
        // A solid seen from above: its profile, filled, with its height.
        canvas_.Element("polygon", C::Attr("points", Ring(e.points)) + C::Attr("stroke", color) +
                                       C::Attr("stroke-width", width + 1.5) +
                                       C::Attr("fill", color) + C::Attr("fill-opacity", "0.3"));
        Label(Centroid(e.points), "solid " + standalone::TranscriptNumber(e.height), color);
        break;
      case EntityKind::Line:
        Segment(e.start, e.end, stroke);
        break;
      case EntityKind::Point:
        Point(e.at, color);
        break;
      case EntityKind::Circle:
        canvas_.Element("circle", C::Attr("cx", map_.X(e.center.x)) +
                                      C::Attr("cy", map_.Y(e.center.y)) +
                                      C::Attr("r", map_.Length(e.radius)) + stroke);
        break;
      case EntityKind::Arc:
        Arc(e, stroke);
        break;
      case EntityKind::Text:
        Text(e.at, e.text, e.height, color);
        break;
      case EntityKind::AlignedDimension:
        Segment(e.first, e.second, stroke);
        Text(e.textPosition, e.text, e.height, color);
        break;
      case EntityKind::AngularDimension:
        Segment(e.vertex, e.first, stroke);
        Segment(e.vertex, e.second, stroke);
        Text(e.textPosition, e.text, e.height, color);
        break;
      case EntityKind::BlockReference:
        BlockReference(e, color);
        break;
      case EntityKind::AttributeDefinition:
        Text(e.at, e.tag, e.height, color);
        break;
    }
  }

 private:
  std::string Ring(const std::vector<double>& flat) const {
    std::vector<std::pair<double, double>> points;
    for (size_t i = 0; i + 1 < flat.size(); i += 2) {
      points.emplace_back(map_.X(flat[i]), map_.Y(flat[i + 1]));
    }
    return C::Points(points);
  }
  static host::Point3 Centroid(const std::vector<double>& flat) {
    host::Point3 c;
    const size_t n = flat.size() / 2;
    for (size_t i = 0; i + 1 < flat.size(); i += 2) {
      c.x += flat[i] / n;
      c.y += flat[i + 1] / n;
    }
    return c;
  }
  void Segment(const host::Point3& a, const host::Point3& b, const std::string& stroke) {
    canvas_.Element("line", C::Attr("x1", map_.X(a.x)) + C::Attr("y1", map_.Y(a.y)) +
                                C::Attr("x2", map_.X(b.x)) + C::Attr("y2", map_.Y(b.y)) + stroke);
  }
  void Point(const host::Point3& p, const std::string& color) {
    const double x = map_.X(p.x), y = map_.Y(p.y), r = 5;
    const std::string stroke = C::Attr("stroke", color) + C::Attr("stroke-width", 1.5);
    const int shape = pointMode_ % 32;
    if (shape == 2 || shape == 3) {
      const bool plus = shape == 2;
      const double dx = plus ? r : r * 0.75, dy = plus ? 0 : r * 0.75;
      canvas_.Element("line", C::Attr("x1", x - dx) + C::Attr("y1", y - dy) +
                                  C::Attr("x2", x + dx) + C::Attr("y2", y + dy) + stroke);
      canvas_.Element("line", C::Attr("x1", x - (plus ? 0 : dx)) +
                                  C::Attr("y1", y + (plus ? r : dy)) +
                                  C::Attr("x2", x + (plus ? 0 : dx)) +
                                  C::Attr("y2", y - (plus ? r : dy)) + stroke);
    } else {
      canvas_.Element(
          "circle", C::Attr("cx", x) + C::Attr("cy", y) + C::Attr("r", 2) + C::Attr("fill", color));
    }
  }
  void Arc(const EntityData& e, const std::string& stroke) {
    // Arcs run counter-clockwise from the start angle, as in the drawing; the picture's y
    // runs down, so on screen that is SVG's negative sweep.
    double sweep = std::fmod(e.endAngle - e.startAngle, 2 * std::numbers::pi);
    if (sweep <= 0) sweep += 2 * std::numbers::pi;
    const double r = map_.Length(e.radius);
    auto at = [&](double angle) {
      return std::pair{map_.X(e.center.x + e.radius * std::cos(angle)),
                       map_.Y(e.center.y + e.radius * std::sin(angle))};
    };
    const auto [x0, y0] = at(e.startAngle);
    const auto [x1, y1] = at(e.startAngle + sweep);
    const std::string d = "M " + C::Number(x0) + " " + C::Number(y0) + " A " + C::Number(r) + " " +
                          C::Number(r) + " 0 " + (sweep > std::numbers::pi ? "1" : "0") + " 0 " +
                          C::Number(x1) + " " + C::Number(y1);
    canvas_.Element("path", C::Attr("d", d) + stroke);
  }
  void Text(const host::Point3& at, const std::string& text, double height,
            const std::string& color) {
    const double size = std::max(7.0, map_.Length(height));
    canvas_.Text(map_.X(at.x), map_.Y(at.y), text,
                 C::Attr("font-size", size) + C::Attr("fill", color));
  }
  void Label(const host::Point3& at, const std::string& text, const std::string& color) {
    canvas_.Text(
        map_.X(at.x), map_.Y(at.y), text,
        C::Attr("font-size", 10) + C::Attr("fill", color) + C::Attr("text-anchor", "middle"));
  }
  void BlockReference(const EntityData& e, const std::string& color) {
    const double x = map_.X(e.at.x), y = map_.Y(e.at.y), r = 5;
    canvas_.Element("polygon",
                    C::Attr("points", C::Points({{x, y - r}, {x + r, y}, {x, y + r}, {x - r, y}})) +
                        C::Attr("stroke", color) + C::Attr("fill", "none"));
    // The block's name and its attribute values; a tag is named only when it is not the
    // block's own name (the control names both after the sub-option).
    std::string text = e.block;
    for (size_t i = 0; i < e.attributes.size(); ++i) {
      const auto& a = e.attributes[i];
      text += (i == 0 ? ": " : ", ") + (a.tag == e.block ? "" : a.tag + " = ") + a.value;
    }
    canvas_.Text(x + r + 3, y + 4, text, C::Attr("font-size", 11) + C::Attr("fill", color));
  }

  SvgCanvas& canvas_;
  const PanelMap& map_;
  int32_t pointMode_;
};

}  // namespace

Rgb IndexColor(int32_t index) {
  static const overlay::AcadColors palette;
  if (index < 1 || index > 255) return Rgb{255, 255, 255};
  const auto entry = palette.PaletteEntry(index);
  return Rgb{entry[0], entry[1], entry[2]};
}

Rgb DisplayColor(const standalone::ColorValue& color, const standalone::LayerData& layer) {
  using namespace host::color_method;
  switch (color.method) {
    case kByRGB:
      return Rgb{color.red, color.green, color.blue};
    case kByACI:
      return IndexColor(color.index);
    case kByLayer:
      // A layer's own colour that says "by layer" has nothing to follow: white, like 7.
      if (layer.color.method == kByLayer) return IndexColor(7);
      return DisplayColor(layer.color, layer);
    default:
      return IndexColor(7);  // by block and the rest show in the foreground colour
  }
}

double DisplayWidth(int32_t lineweight, const standalone::LayerData& layer) {
  if (lineweight == host::kLineweightByLayer) lineweight = layer.lineweight;
  // By block (-2), the default (-3) and 0 show as the thinnest line.
  return lineweight > 0 ? 1.2 + lineweight / 30.0 : 1.2;
}

void DrawModelSpace(SvgCanvas& canvas, const standalone::Drawing& drawing,
                    const std::optional<SelectedPoint>& selected, const Rectangle& panel) {
  const auto layers = LayersByKey(drawing);
  const host::Point3 center = drawing.ViewCenter();
  const double viewHeight = drawing.ViewSize(), viewWidth = viewHeight * kViewAspect;

  Bounds bounds;
  drawing.ForEachEntity(standalone::Space::Model(), [&](const EntityData& e) {
    const auto layer = layers.find(standalone::NameKey(e.layer));
    if (layer != layers.end() && Shown(layer->second)) CoverEntity(bounds, e);
  });
  bounds.Cover(center.x - viewWidth / 2, center.y - viewHeight / 2);
  bounds.Cover(center.x + viewWidth / 2, center.y + viewHeight / 2);
  if (selected) bounds.Cover(selected->x, selected->y);
  const PanelMap map(bounds, panel.left, panel.top, panel.width, panel.height);

  canvas.Element("rect", C::Attr("x", panel.left) + C::Attr("y", panel.top) +
                             C::Attr("width", panel.width) + C::Attr("height", panel.height) +
                             C::Attr("fill", kBackground));
  // The drawing's view: where the CAD window looks.
  canvas.Element("rect", C::Attr("x", map.X(center.x - viewWidth / 2)) +
                             C::Attr("y", map.Y(center.y + viewHeight / 2)) +
                             C::Attr("width", map.Length(viewWidth)) +
                             C::Attr("height", map.Length(viewHeight)) + C::Attr("fill", "none") +
                             C::Attr("stroke", kFrameColor) + C::Attr("stroke-dasharray", "6 4"));
  canvas.Text(map.X(center.x - viewWidth / 2) + 4, map.Y(center.y + viewHeight / 2) + 13, "view",
              C::Attr("font-size", 11) + C::Attr("fill", kFrameColor));

  EntityPainter painter(canvas, map, PointMode(drawing));
  drawing.ForEachEntity(standalone::Space::Model(), [&](const EntityData& e) {
    const auto layer = layers.find(standalone::NameKey(e.layer));
    if (layer == layers.end() || !Shown(layer->second)) return;
    painter.Paint(e, DisplayColor(e.color, layer->second).Hex(),
                  DisplayWidth(e.lineweight, layer->second));
  });

  if (selected) {
    const double x = map.X(selected->x), y = map.Y(selected->y);
    canvas.Element("circle", C::Attr("cx", x) + C::Attr("cy", y) + C::Attr("r", 9) +
                                 C::Attr("fill", "none") + C::Attr("stroke", kSelectedColor) +
                                 C::Attr("stroke-width", 2));
    canvas.Text(x + 12, y - 10,
                "selected point (" + standalone::TranscriptNumber(selected->x) + ", " +
                    standalone::TranscriptNumber(selected->y) + ")",
                C::Attr("font-size", 11) + C::Attr("fill", kSelectedColor));
  }

  // The corners' coordinates, so that the picture can be read in drawing units.
  const std::string small = C::Attr("font-size", 10) + C::Attr("fill", kFrameColor);
  auto coordinates = [](double x, double y) {
    return "(" + standalone::TranscriptNumber(std::round(x * 100) / 100) + ", " +
           standalone::TranscriptNumber(std::round(y * 100) / 100) + ")";
  };
  canvas.Text(panel.left + 4, panel.top + panel.height - 5,
              coordinates((panel.left - map.X(0)) / map.Length(1),
                          (map.Y(0) - panel.top - panel.height) / map.Length(1)),
              small);
  canvas.Text(panel.left + panel.width - 4, panel.top + 13,
              coordinates((panel.left + panel.width - map.X(0)) / map.Length(1),
                          (map.Y(0) - panel.top) / map.Length(1)),
              small + C::Attr("text-anchor", "end"));
}

double DrawLayerLegend(SvgCanvas& canvas, const standalone::Drawing& drawing,
                       const std::optional<SelectedPoint>& selected, double left, double top) {
  std::map<std::string, int> counts;
  drawing.ForEachEntity(standalone::Space::Model(),
                        [&](const EntityData& e) { ++counts[standalone::NameKey(e.layer)]; });
  const std::string current = standalone::NameKey(drawing.CurrentLayer());
  const std::string text = C::Attr("font-size", 12) + C::Attr("fill", "#222");
  double y = top;
  canvas.Text(left, y, "Layers", C::Attr("font-size", 14) + C::Attr("font-weight", "bold"));
  y += 20;
  const auto layers = drawing.Layers();
  for (size_t i = 0; i < layers.size(); ++i) {
    if (i == kLegendLayers && layers.size() > kLegendLayers + 1) {
      // The legend stays beside the drawing; the state lists every layer.
      canvas.Text(left + 18, y, "and " + std::to_string(layers.size() - i) + " more layers", text);
      y += 18;
      break;
    }
    const standalone::LayerData& layer = layers[i];
    const Rgb color = DisplayColor(layer.color, layer);
    canvas.Element("rect", C::Attr("x", left) + C::Attr("y", y - 10) + C::Attr("width", 12) +
                               C::Attr("height", 12) + C::Attr("fill", color.Hex()) +
                               C::Attr("stroke", "#555"));
    const int count = counts[standalone::NameKey(layer.name)];
    std::string line = Shortened(layer.name, 40) + " \u2014 " + std::to_string(count) +
                       (count == 1 ? " entity" : " entities");
    if (!layer.on) line += ", off";
    if (layer.frozen) line += ", frozen";
    if (layer.locked) line += ", locked";
    if (standalone::NameKey(layer.name) == current) line += ", current";
    canvas.Text(left + 18, y, line, text + (Shown(layer) ? "" : C::Attr("fill-opacity", "0.5")));
    y += 18;
  }
  y += 8;
  canvas.Element("rect", C::Attr("x", left) + C::Attr("y", y - 10) + C::Attr("width", 12) +
                             C::Attr("height", 12) + C::Attr("fill", "none") +
                             C::Attr("stroke", kFrameColor) + C::Attr("stroke-dasharray", "3 2"));
  const host::Point3 center = drawing.ViewCenter();
  canvas.Text(left + 18, y,
              "view: centre (" + standalone::TranscriptNumber(center.x) + ", " +
                  standalone::TranscriptNumber(center.y) + "), height " +
                  standalone::TranscriptNumber(drawing.ViewSize()),
              text);
  y += 18;
  canvas.Element("circle", C::Attr("cx", left + 6) + C::Attr("cy", y - 4) + C::Attr("r", 5) +
                               C::Attr("fill", "none") + C::Attr("stroke", "#b89800") +
                               C::Attr("stroke-width", 2));
  canvas.Text(left + 18, y, selected ? "the control's selected point" : "no selected point", text);
  y += 18;
  return y - top;
}

}  // namespace nimbo::replay
