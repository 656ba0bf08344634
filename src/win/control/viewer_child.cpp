#include "win/control/viewer_child.h"

#include <utility>

#include "win/com/process_classes.h"

namespace nimbo::win::control {

namespace {
// The viewer's persisted design size, 465 by 377 pixels, until the first Resize places it.
constexpr int kDesignWidthPixels = 465;
constexpr int kDesignHeightPixels = 377;
}  // namespace

ViewerChild::ViewerChild(std::string progId) : progId_(std::move(progId)) {
  const PixelsPerInch pixelsPerInch = ScreenPixelsPerInch();
  placement_.width = static_cast<float>(PixelsToTwips(kDesignWidthPixels, pixelsPerInch.x));
  placement_.height = static_cast<float>(PixelsToTwips(kDesignHeightPixels, pixelsPerInch.y));
}

ViewerChild::~ViewerChild() {
  automation::TrapSilently([&] { Close(); });
}

void ViewerChild::Create(HWND parent) {
  try {
    site_ = OleControlSite::Create(parent, com::ClassIdFromProgId(progId_), kViewerChildName,
                                   placement_);
    viewer_ =
        std::make_unique<win::host::ComViewerControl>(com::ComPtr<IDispatch>(site_->Control()));
    failure_.reset();
  } catch (...) {
    failure_ = automation::CurrentError();
    site_.Reset();
  }
}

void ViewerChild::Close() {
  // The adapter's event bindings go first: they hold the viewer's connection point.
  viewer_.reset();
  if (com::ComPtr<OleControlSite> site = std::move(site_)) site->Close();
}

nimbo::host::ViewerControl& ViewerChild::Viewer() {
  if (viewer_) return *viewer_;
  if (failure_) throw *failure_;
  throw automation::errors::Standard(automation::errors::kObjectNotSet);
}

automation::Variant ViewerChild::Invoke(int32_t dispid, std::span<automation::Variant> arguments) {
  return Viewer().Invoke(dispid, arguments);
}

int32_t ViewerChild::Advise(nimbo::host::ViewerEvents* sink) {
  return Viewer().Advise(sink);
}

void ViewerChild::Unadvise(int32_t cookie) {
  Viewer().Unadvise(cookie);
}

void ViewerChild::SetTop(float value) {
  placement_.top = value;
  if (site_) site_->SetTop(value);
}
void ViewerChild::SetLeft(float value) {
  placement_.left = value;
  if (site_) site_->SetLeft(value);
}
void ViewerChild::SetWidth(float value) {
  placement_.width = value;
  if (site_) site_->SetWidth(value);
}
void ViewerChild::SetHeight(float value) {
  placement_.height = value;
  if (site_) site_->SetHeight(value);
}

}  // namespace nimbo::win::control
