// `--svg`: the picture of a replay's end. At the top, the active drawing's model space in
// its layers' colours (layers that are on), with the display layers as the control left
// them, the control's selected point, the drawing's view frame and a legend of the
// layers; below it, what each of the viewer's five views received as overlays.
#pragma once

#include <string>

#include "replay/replay_world.h"

namespace nimbo::replay {

std::string PictureOf(ReplayWorld& world);

}  // namespace nimbo::replay
