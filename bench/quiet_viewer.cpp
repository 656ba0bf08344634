#include "bench/quiet_viewer.h"

#include "automation/convert.h"
#include "automation/error.h"
#include "host/viewer_operations.h"

namespace nimbo::bench {

using automation::Variant;
namespace dispid = host::dispid;

namespace {

int32_t ViewOf(std::span<const Variant> arguments, size_t at = 0) {
  if (at >= arguments.size()) {
    throw automation::errors::Standard(automation::errors::kInvalidCall, "QuietViewer");
  }
  return automation::ToLong(arguments[at]);
}

}  // namespace

Variant QuietViewer::Invoke(int32_t id, std::span<Variant> arguments) {
  ++calls_;
  if (id >= dispid::kTotalULx && id < dispid::kTotalULx + 8) {
    return Variant(model_.TotalCorner(id - dispid::kTotalULx, ViewOf(arguments)));
  }
  if (id >= dispid::kVisibleULx && id < dispid::kVisibleULx + 8) {
    return Variant(model_.VisibleCorner(id - dispid::kVisibleULx, ViewOf(arguments)));
  }
  switch (id) {
    case dispid::kGetViewMode:
      return Variant(model_.GetViewMode(ViewOf(arguments)));
    case dispid::kIsViewActive:
      return Variant::Bool(model_.IsViewActive(ViewOf(arguments)));
    case dispid::kIsMapSyncView:
      return Variant::Bool(model_.IsMapSyncView(ViewOf(arguments)));
    case dispid::kShowTotalExtent:
      return Variant::Bool(model_.Options().showTotalExtent);
    case dispid::kShowVisibleExtent:
      return Variant::Bool(model_.Options().showVisibleExtent);
    case dispid::kViewerFollowsMap:
      return Variant::Bool(model_.Options().viewerFollowsMap);
    case dispid::kMapFollowsViewer:
      return Variant::Bool(model_.Options().mapFollowsViewer);
    case dispid::kBeginFeature:
      ++features_;
      return Variant();
    default:
      break;
  }
  const host::ViewerOperation* operation = host::FindViewerOperation(id);
  if (operation == nullptr || operation->result != automation::VarType::Empty) {
    // Questions the benchmarks never ask; answering them wrongly would go unnoticed.
    throw automation::errors::Standard(automation::errors::kNotSupported, "QuietViewer");
  }
  return Variant();
}

int32_t QuietViewer::Advise(host::ViewerEvents* sink) {
  sink_ = sink;
  return 1;
}

void QuietViewer::Unadvise(int32_t) {
  sink_ = nullptr;
}

void QuietViewer::RaiseExtentChanged(const std::vector<Variant>& a) {
  if (sink_ != nullptr) sink_->OnViewerEvent(*host::FindViewerEvent("ExtentChanged"), a);
}

void QuietViewer::RaiseOverlaysPermissionChanged(bool accept) {
  if (sink_ == nullptr) return;
  sink_->OnViewerEvent(*host::FindViewerEvent("OverlaysPermissionChanged"),
                       {Variant::Bool(accept)});
}

void QuietViewer::SetTotalExtent(int view, const std::array<double, 8>& corners) {
  standalone::ViewerStatePatch patch;
  patch.views[view].total = corners;
  model_.Apply(patch);
}

}  // namespace nimbo::bench
