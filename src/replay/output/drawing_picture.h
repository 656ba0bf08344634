// The drawing part of the replay's picture: model space as the CAD application shows it
// (entities on layers that are on and thawed, in their colours on a dark background, points
// in the drawing's PDMODE), the drawing's view frame, the control's selected point, and a
// legend of the layers.
#pragma once

#include <optional>

#include "replay/output/svg_canvas.h"
#include "standalone/cad/memory_drawing.h"

namespace nimbo::replay {

struct Rectangle {
  double left = 0, top = 0, width = 0, height = 0;
};

// The colour an entity of that colour shows in on that layer.
Rgb DisplayColor(const standalone::ColorValue& color, const standalone::LayerData& layer);
Rgb IndexColor(int32_t index);
// The stroke width, in picture units, of a line weight (hundredths of a millimetre).
double DisplayWidth(int32_t lineweight, const standalone::LayerData& layer);

struct SelectedPoint {
  double x = 0, y = 0;
};

void DrawModelSpace(SvgCanvas& canvas, const standalone::Drawing& drawing,
                    const std::optional<SelectedPoint>& selected, const Rectangle& panel);

// Answers the height the legend took.
double DrawLayerLegend(SvgCanvas& canvas, const standalone::Drawing& drawing,
                       const std::optional<SelectedPoint>& selected, double left, double top);

}  // namespace nimbo::replay
