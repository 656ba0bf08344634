// Drawings made up for the benchmarks: polylines, lines and points spread evenly over an
// area, on three layers, with the viewer's five views placed over it.
//
// The area is a grid of 100 x 100 cells, ten entities a cell, and each cell's content
// comes from a random stream seeded by the cell's position alone. So a region of a small
// drawing holds exactly the same entities in every larger one (the larger grid contains
// the smaller): a view placed there shows the same features whatever the drawing's size.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "replay/session/session.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::bench {

// Corners in the viewer's order: ULx, ULy, URx, URy, LLx, LLy, LRx, LRy.
using ViewerCorners = std::array<double, 8>;

// The three layers every entity lies on, all on, in table order after "0".
struct GeneratedLayer {
  const char* name;
  int32_t colorIndex;
  int32_t lineweight;
};
inline constexpr std::array<GeneratedLayer, 3> kGeneratedLayers{{
    {"Roads", 1, 50},
    {"Buildings", 3, -3},
    {"Parcels", 5, 18},
}};

// One generated entity, before it takes the host's or the session's form.
struct GeneratedEntity {
  standalone::EntityKind kind = standalone::EntityKind::Point;  // Polyline, Line or Point
  int layer = 0;                                                // into kGeneratedLayers
  int32_t colorIndex = 256;                                     // 256: by layer
  int32_t lineweight = -1;                                      // -1: by layer
  std::vector<double> xy;  // flat x, y: a polyline's vertices, a line's ends, a point
};

class GeneratedDrawing {
 public:
  static constexpr double kCellSize = 100;
  static constexpr int kEntitiesPerCell = 10;

  // `entities` is rounded down to a whole number of cells (at least one).
  explicit GeneratedDrawing(int64_t entities);

  int64_t EntityCount() const { return static_cast<int64_t>(columns_) * rows_ * kEntitiesPerCell; }
  int64_t VertexCount() const;  // over every entity: a line has two, a point one
  double Width() const { return columns_ * kCellSize; }
  double Height() const { return rows_ * kCellSize; }

  // Every entity, cell by cell, in model-space order.
  void ForEach(const std::function<void(const GeneratedEntity&)>& visit) const;
  // Adds the three layers and every entity to the drawing's model space.
  void Fill(standalone::Drawing& drawing) const;
  // The same drawing in the session's form, for a replay.
  replay::SessionDocument AsSessionDocument(const std::string& name) const;

  // The footprint of view 1..5, each about 1% of the area: a trapezoid that is wider at
  // the top, as an oblique view's footprint on the ground is. The visible extent lies
  // inside the total one.
  ViewerCorners TotalExtent(int view) const;
  ViewerCorners VisibleExtent(int view) const;
  // A footprint at the same place in every drawing, the size of a view of the
  // 10,000-entity drawing (about 100 entities), inside even the smallest drawing and
  // clear of every view, so that it holds the same features in all of them.
  static ViewerCorners FixedFootprint();
  // The point in the middle of a footprint.
  static std::array<double, 2> Middle(const ViewerCorners& corners);

 private:
  void ForEachInCell(int column, int row,
                     const std::function<void(const GeneratedEntity&)>& visit) const;
  int columns_ = 1;
  int rows_ = 1;
};

}  // namespace nimbo::bench
