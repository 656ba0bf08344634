#include "sync/drawing_follows_viewer.h"

#include "automation/convert.h"
#include "automation/object_cast.h"

namespace nimbo::sync {

void FollowViewer(control::ControlState& state, double X, double Y, int32_t& viewIndex) {
  host::Viewer& viewer = state.Viewer();
  const bool syncView = viewer.IsMapSyncView(viewIndex);
  const bool follows = viewer.MapFollowsViewer();
  if (!syncView || !follows) return;
  host::DocumentRef doc = control::BindActiveDocument(state);
  if (!doc) return;
  const host::Point3 center{X, Y, 0.0};
  const double viewSize = automation::ToDouble(doc->GetVariable("VIEWSIZE"), state.Locale());
  automation::Require<host::Application>(doc->Application())->ZoomCenter(center, viewSize);
}

}  // namespace nimbo::sync
