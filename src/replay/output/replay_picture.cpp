#include "replay/output/replay_picture.h"

#include <algorithm>

#include "control/control_state.h"
#include "replay/output/drawing_picture.h"
#include "replay/output/overlay_picture.h"

namespace nimbo::replay {

namespace {

using C = SvgCanvas;

constexpr double kWidth = 1220;
constexpr Rectangle kDrawingPanel{20, 44, 800, 600};
constexpr double kLegendLeft = 845;
constexpr double kViewsTop = 712;
constexpr double kViewWidth = 224;
constexpr double kViewHeight = 168;
constexpr double kViewGap = 14;

// The drawing a person would look at: the active one, else the first open one.
const standalone::Drawing* ShownDrawing(ReplayWorld& world) {
  if (const auto active = world.application->ActiveDocumentName()) {
    if (const standalone::Drawing* drawing = world.application->FindDrawing(*active)) {
      return drawing;
    }
  }
  const auto open = world.application->OpenDrawings();
  return open.empty() ? nullptr : open.front();
}

std::optional<SelectedPoint> SelectedPointOf(const control::ControlState& state) {
  if (state.selectedPointX == control::kNoSelectedPoint ||
      state.selectedPointY == control::kNoSelectedPoint) {
    return std::nullopt;
  }
  return SelectedPoint{state.selectedPointX, state.selectedPointY};
}

}  // namespace

std::string PictureOf(ReplayWorld& world) {
  SvgCanvas body(kWidth, 0);  // its height is what the view panels take
  const standalone::Drawing* drawing = ShownDrawing(world);
  const std::optional<SelectedPoint> selected = SelectedPointOf(world.control->State());
  const std::string heading = C::Attr("font-size", 16) + C::Attr("font-weight", "bold");

  if (drawing) {
    body.Text(kDrawingPanel.left, 30, "Drawing \"" + drawing->Name() + "\", model space", heading);
    DrawModelSpace(body, *drawing, selected, kDrawingPanel);
    DrawLayerLegend(body, *drawing, selected, kLegendLeft, kDrawingPanel.top + 16);
  } else {
    body.Text(kDrawingPanel.left, 30, "No drawing is open", heading);
  }

  body.Text(kDrawingPanel.left, kViewsTop - 28, "Viewer overlays, per view (drawing units)",
            heading);
  double tallest = 0;
  for (int view = 1; view <= standalone::kViewCount; ++view) {
    const Rectangle panel{kDrawingPanel.left + (view - 1) * (kViewWidth + kViewGap), kViewsTop,
                          kViewWidth, kViewHeight};
    tallest = std::max(tallest, DrawViewOverlays(body, world.viewer.Model(), view, panel));
  }

  body.SetSize(kWidth, kViewsTop + tallest + 20);
  return body.Finish();
}

}  // namespace nimbo::replay
