// The viewer part of the replay's picture: for each of the five views, a panel with the
// view's total and visible footprints and the overlay features it received, drawn in
// their pens, with a list of its overlay layers.
#pragma once

#include "replay/output/drawing_picture.h"
#include "replay/output/svg_canvas.h"
#include "standalone/viewer/viewer_model.h"

namespace nimbo::replay {

// The pen a feature shows in: its own when it does not follow its layer, else its
// layer's; nothing when neither was sent.
const standalone::ViewerPen* FeaturePen(const standalone::ViewerFeature& feature,
                                        const standalone::OverlayLayer& layer);

// Answers the height the panel and its list took.
double DrawViewOverlays(SvgCanvas& canvas, const standalone::ViewerModel& model, int viewIndex,
                        const Rectangle& panel);

}  // namespace nimbo::replay
