// A viewer that costs next to nothing: it answers the control's questions (views, modes,
// corners, options) from a ViewerModel, takes every other call without doing anything,
// and writes no journal. Measured beside the simulated viewer, it shows what the control
// and the in-memory host cost on their own, without the simulation's transcript.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "host/viewer.h"
#include "standalone/viewer/viewer_model.h"

namespace nimbo::bench {

class QuietViewer : public host::ViewerControl {
 public:
  explicit QuietViewer(const standalone::ViewerStatePatch& state) { model_.Apply(state); }

  automation::Variant Invoke(int32_t dispid, std::span<automation::Variant> arguments) override;
  int32_t Advise(host::ViewerEvents* sink) override;
  void Unadvise(int32_t cookie) override;

  // Raised at the bound sink, as the viewer raises its events.
  void RaiseExtentChanged(const std::vector<automation::Variant>& arguments);
  void RaiseOverlaysPermissionChanged(bool accept);
  void SetTotalExtent(int view, const std::array<double, 8>& corners);

  int64_t Calls() const { return calls_; }
  int64_t Features() const { return features_; }  // BeginFeature calls

 private:
  standalone::ViewerModel model_;
  host::ViewerEvents* sink_ = nullptr;  // borrowed until Unadvise
  int64_t calls_ = 0;
  int64_t features_ = 0;
};

}  // namespace nimbo::bench
