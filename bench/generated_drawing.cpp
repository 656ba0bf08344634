#include "bench/generated_drawing.h"

#include <cmath>

namespace nimbo::bench {

namespace {

using standalone::EntityKind;

// SplitMix64: a small generator whose output is the same on every platform (the standard
// library's distributions are not), so every run builds the same drawings.
class Stream {
 public:
  explicit Stream(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform(double low, double high) {
    return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t state_;
};

// Four polylines of three to six vertices, three lines, three points: ten a cell.
constexpr int kPolylinesPerCell = 4;
constexpr int kLinesPerCell = 3;
// How far a polyline's next vertex or a line's end may lie from the one before.
constexpr double kPolylineStep = 10;
constexpr double kLineLength = 15;

// The style of one entity in ten: eight follow their layer entirely, one has a colour of
// its own, one a line weight of its own (and so a pen of its own in the viewer).
void Style(Stream& stream, GeneratedEntity& e) {
  const int pick = stream.Below(10);
  if (pick == 8) e.colorIndex = 1 + stream.Below(255);
  if (pick == 9) e.lineweight = 30;
}

int ColumnsFor(int64_t cells) {
  // The divisor of `cells` nearest above its square root: an area close to square.
  auto columns = static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(cells))));
  while (cells % columns != 0) ++columns;
  return static_cast<int>(columns);
}

ViewerCorners Trapezoid(double centerX, double centerY, double width, double height) {
  // 0.8 of the width at the bottom, 1.2 at the top: the area is width * height.
  const double top = 0.6 * width;
  const double bottom = 0.4 * width;
  const double up = centerY + height / 2;
  const double down = centerY - height / 2;
  return {centerX - top, up, centerX + top, up, centerX - bottom, down, centerX + bottom, down};
}

// Where views 1..5 look, as fractions of the area: all in the upper part, clear of the
// fixed footprint at the bottom, so that no display-layer polygon crosses it.
constexpr std::array<std::array<double, 2>, 5> kViewCentres{{
    {0.2, 0.45},
    {0.5, 0.6},
    {0.8, 0.45},
    {0.3, 0.8},
    {0.7, 0.8},
}};
// A tenth of the width by a tenth of the height: 1% of the area.
constexpr double kViewFraction = 0.1;
// The visible extent is the total one shrunk about its middle.
constexpr double kVisibleFraction = 0.6;

}  // namespace

GeneratedDrawing::GeneratedDrawing(int64_t entities) {
  const int64_t cells = std::max<int64_t>(1, entities / kEntitiesPerCell);
  columns_ = ColumnsFor(cells);
  rows_ = static_cast<int>(cells / columns_);
}

void GeneratedDrawing::ForEachInCell(
    int column, int row, const std::function<void(const GeneratedEntity&)>& visit) const {
  Stream stream(static_cast<uint64_t>(row) << 32 | static_cast<uint32_t>(column));
  const double x0 = column * kCellSize;
  const double y0 = row * kCellSize;
  GeneratedEntity e;
  for (int i = 0; i < kEntitiesPerCell; ++i) {
    e = GeneratedEntity{};
    e.layer = stream.Below(static_cast<int>(kGeneratedLayers.size()));
    Style(stream, e);
    double x = stream.Uniform(x0, x0 + kCellSize);
    double y = stream.Uniform(y0, y0 + kCellSize);
    e.xy = {x, y};
    if (i < kPolylinesPerCell) {
      e.kind = EntityKind::Polyline;
      const int vertices = 3 + stream.Below(4);
      for (int v = 1; v < vertices; ++v) {
        x += stream.Uniform(-kPolylineStep, kPolylineStep);
        y += stream.Uniform(-kPolylineStep, kPolylineStep);
        e.xy.push_back(x);
        e.xy.push_back(y);
      }
    } else if (i < kPolylinesPerCell + kLinesPerCell) {
      e.kind = EntityKind::Line;
      e.xy.push_back(x + stream.Uniform(-kLineLength, kLineLength));
      e.xy.push_back(y + stream.Uniform(-kLineLength, kLineLength));
    } else {
      e.kind = EntityKind::Point;
    }
    visit(e);
  }
}

void GeneratedDrawing::ForEach(const std::function<void(const GeneratedEntity&)>& visit) const {
  for (int row = 0; row < rows_; ++row) {
    for (int column = 0; column < columns_; ++column) ForEachInCell(column, row, visit);
  }
}

int64_t GeneratedDrawing::VertexCount() const {
  int64_t vertices = 0;
  ForEach([&](const GeneratedEntity& e) { vertices += static_cast<int64_t>(e.xy.size() / 2); });
  return vertices;
}

void GeneratedDrawing::Fill(standalone::Drawing& drawing) const {
  for (const GeneratedLayer& layer : kGeneratedLayers) {
    standalone::LayerData data{layer.name};
    data.color = standalone::ColorValue::Index(layer.colorIndex);
    data.lineweight = layer.lineweight;
    drawing.PutLayer(data);
  }
  standalone::EntityData data;
  ForEach([&](const GeneratedEntity& e) {
    data.kind = e.kind;
    data.layer = kGeneratedLayers[static_cast<size_t>(e.layer)].name;
    data.color = standalone::ColorValue::FromIndexPut(e.colorIndex);
    data.lineweight = e.lineweight;
    data.points.clear();
    switch (e.kind) {
      case EntityKind::Polyline:
        data.points = e.xy;
        break;
      case EntityKind::Line:
        data.start = {e.xy[0], e.xy[1], 0};
        data.end = {e.xy[2], e.xy[3], 0};
        break;
      default:
        data.at = {e.xy[0], e.xy[1], 0};
        break;
    }
    drawing.AddEntity(standalone::Space::Model(), data);
  });
}

replay::SessionDocument GeneratedDrawing::AsSessionDocument(const std::string& name) const {
  replay::SessionDocument document;
  document.name = name;
  document.layers.push_back(replay::SessionLayer{"0"});
  for (const GeneratedLayer& layer : kGeneratedLayers) {
    replay::SessionLayer data{layer.name};
    data.color = replay::SessionColor::ByIndex(layer.colorIndex);
    data.lineweight = layer.lineweight;
    document.layers.push_back(data);
  }
  document.modelSpace.reserve(static_cast<size_t>(EntityCount()));
  ForEach([&](const GeneratedEntity& e) {
    replay::SessionEntity entity;
    entity.layer = kGeneratedLayers[static_cast<size_t>(e.layer)].name;
    entity.color = e.colorIndex == host::kColorByLayer
                       ? replay::SessionColor::ByLayer()
                       : replay::SessionColor::ByIndex(e.colorIndex);
    entity.lineweight = e.lineweight;
    switch (e.kind) {
      case EntityKind::Polyline: {
        replay::PolylineGeometry polyline;
        for (size_t i = 0; i + 1 < e.xy.size(); i += 2)
          polyline.points.push_back({e.xy[i], e.xy[i + 1]});
        entity.geometry = std::move(polyline);
        break;
      }
      case EntityKind::Line:
        entity.geometry = replay::LineGeometry{{e.xy[0], e.xy[1], 0}, {e.xy[2], e.xy[3], 0}};
        break;
      default:
        entity.geometry = replay::PointGeometry{{e.xy[0], e.xy[1], 0}};
        break;
    }
    document.modelSpace.push_back(std::move(entity));
  });
  return document;
}

ViewerCorners GeneratedDrawing::TotalExtent(int view) const {
  const auto& centre = kViewCentres.at(static_cast<size_t>(view - 1));
  return Trapezoid(centre[0] * Width(), centre[1] * Height(), kViewFraction * Width(),
                   kViewFraction * Height());
}

ViewerCorners GeneratedDrawing::VisibleExtent(int view) const {
  const auto& centre = kViewCentres.at(static_cast<size_t>(view - 1));
  return Trapezoid(centre[0] * Width(), centre[1] * Height(),
                   kVisibleFraction * kViewFraction * Width(),
                   kVisibleFraction * kViewFraction * Height());
}

ViewerCorners GeneratedDrawing::FixedFootprint() {
  // The 10,000-entity drawing is 40 x 25 cells (4,000 x 2,500): its views are 400 x 250.
  // Placed low in the 1,000-entity drawing (1,000 x 1,000): 260 units from its sides, 35
  // above its bottom edge, below which no drawing has cells.
  return Trapezoid(500, 160, 400, 250);
}

std::array<double, 2> GeneratedDrawing::Middle(const ViewerCorners& c) {
  return {(c[0] + c[2] + c[4] + c[6]) / 4, (c[1] + c[3] + c[5] + c[7]) / 4};
}

}  // namespace nimbo::bench
