#include "host/viewer.h"

#include <algorithm>
#include <array>

#include "automation/convert.h"
#include "automation/error.h"
#include "host/viewer_operations.h"

namespace nimbo::host {

using automation::Variant;
using automation::VBool;

namespace {

const Variant kTrue = Variant::Bool(true);
const Variant kFalse = Variant::Bool(false);

// The pen's fixed values between blue and width.
constexpr size_t kPenMiddleCount = 7;
const std::array<Variant, kPenMiddleCount> kPenMiddle = {
    Variant(int32_t{255}), Variant("Flat"), Variant(int32_t{0}), Variant("Solid"),
    Variant("Flat"),       Variant("Flat"), Variant("Miter")};

// A corner past the eighth would reach the next run of getters, which take the same
// arguments: the table cannot tell, so the corner is checked here.
void CheckCorner(int corner) {
  if (corner < 0 || corner >= kCornerCount) {
    throw automation::errors::Standard(automation::errors::kInvalidCall, "Viewer");
  }
}

}  // namespace

Variant Viewer::Dispatch(int32_t dispid, std::span<Variant> arguments) {
  // The table is the one truth of argument count and passing; a call that strays from it
  // is a fault of ours, not of the viewer.
  const ViewerOperation* op = FindViewerOperation(dispid);
  if (op == nullptr || op->parameters.size() != arguments.size()) {
    throw automation::errors::Standard(automation::errors::kInvalidCall, "Viewer");
  }
  for (size_t i = 0; i < arguments.size(); ++i) {
    const Passing passing = op->parameters[i].passing;
    if ((passing == Passing::ByReference && !arguments[i].IsByRef()) ||
        (passing == Passing::ByValue && arguments[i].IsByRef())) {
      throw automation::errors::Standard(automation::errors::kInvalidCall, "Viewer");
    }
  }
  return control_.Invoke(dispid, arguments);
}

void Viewer::SetClientInfo(const std::string& title, const std::string& version) {
  Call(dispid::kSetClientInfo, Variant(title), Variant(version));
}

std::string Viewer::GetViewMode(int32_t viewIndex) {
  return automation::ToString(Call(dispid::kGetViewMode, Variant(viewIndex)), locale_);
}

double Viewer::TotalCorner(int corner, int32_t& viewIndex) {
  CheckCorner(corner);
  return automation::ToDouble(Call(dispid::kTotalULx + corner, Variant::Ref(viewIndex)), locale_);
}

double Viewer::VisibleCorner(int corner, int32_t& viewIndex) {
  CheckCorner(corner);
  return automation::ToDouble(Call(dispid::kVisibleULx + corner, Variant::Ref(viewIndex)), locale_);
}

bool Viewer::IsViewActive(int32_t viewIndex) {
  return automation::ToBoolean(Call(dispid::kIsViewActive, Variant(viewIndex)), locale_);
}

bool Viewer::IsMapSyncView(int32_t& viewIndex) {
  return automation::ToBoolean(Call(dispid::kIsMapSyncView, Variant::Ref(viewIndex)), locale_);
}

void Viewer::RegisterOverlayLayer(const std::string& name, int32_t& viewIndex, VBool& flag) {
  Call(dispid::kRegisterOverlayLayer, Variant(name), Variant::Ref(viewIndex), Variant::Ref(flag),
       kFalse, kFalse);
}

void Viewer::RemoveOverlayLayer(std::string& name, int32_t& viewIndex) {
  Call(dispid::kRemoveOverlayLayer, Variant::Ref(name), Variant::Ref(viewIndex), kTrue);
}

void Viewer::ResetOverlays() {
  Call(dispid::kResetOverlays, Variant(int32_t{0}), kTrue, kTrue, kTrue);
}

int32_t Viewer::GetOverlayLayerCount(int32_t& viewIndex) {
  return automation::ToLong(Call(dispid::kGetOverlayLayerCount, Variant::Ref(viewIndex)), locale_);
}

std::string Viewer::GetOverlayLayerName(int32_t& layerIndex, int32_t& viewIndex) {
  return automation::ToString(
      Call(dispid::kGetOverlayLayerName, Variant::Ref(layerIndex), Variant::Ref(viewIndex)),
      locale_);
}

void Viewer::ActivateOverlayMosaic(const std::string& name, int32_t viewIndex) {
  Call(dispid::kActivateOverlayMosaic, Variant(name), Variant(viewIndex), kTrue);
}

void Viewer::ActivateOverlayDiscrete(const std::string& name, int32_t viewIndex) {
  Call(dispid::kActivateOverlayDiscrete, Variant(name), Variant(viewIndex), kTrue);
}

void Viewer::BeginFeature() {
  Call(dispid::kBeginFeature);
}

void Viewer::AddVertex(double x, double y) {
  Call(dispid::kAddVertex, Variant(x), Variant(y));
}

void Viewer::AddVertexByRef(double& x, double& y) {
  Call(dispid::kAddVertex, Variant::Ref(x), Variant::Ref(y));
}

void Viewer::AddPointFeature(std::string& layer, int32_t& viewIndex, VBool& byLayer) {
  Call(dispid::kAddPointFeature, Variant::Ref(layer), Variant::Ref(viewIndex), kTrue,
       Variant::Ref(byLayer));
}

void Viewer::AddLineFeature(std::string& layer, int32_t& viewIndex, VBool& byLayer) {
  Call(dispid::kAddLineFeature, Variant::Ref(layer), Variant::Ref(viewIndex), kTrue,
       Variant::Ref(byLayer));
}

void Viewer::ClearOverlayLayer(const std::string& name, int32_t& viewIndex) {
  Call(dispid::kClearOverlayLayer, Variant(name), Variant::Ref(viewIndex), kTrue);
}

void Viewer::SetFeatureStyle(int32_t& red, int32_t& green, int32_t& blue, int32_t& width) {
  std::array<Variant, 4 + kPenMiddleCount> args{Variant::Ref(red), Variant::Ref(green),
                                                Variant::Ref(blue)};
  std::copy(kPenMiddle.begin(), kPenMiddle.end(), args.begin() + 3);
  args.back() = Variant::Ref(width);
  Dispatch(dispid::kSetFeatureStyle, args);
}

void Viewer::PrepareLayerStepOne(const std::string& name) {
  Call(dispid::kPrepareLayerStepOne, Variant(name), Variant(int32_t{0}), kFalse);
}

void Viewer::PrepareLayerStepTwo(const std::string& name) {
  Call(dispid::kPrepareLayerStepTwo, Variant(name), Variant(int32_t{0}), kFalse);
}

void Viewer::PrepareLayerStepThree(const std::string& name) {
  Call(dispid::kPrepareLayerStepThree, Variant(name), Variant(int32_t{0}), kFalse);
}

void Viewer::SetOverlayLayerStyle(const std::string& name, int32_t& viewIndex, int32_t& red,
                                  int32_t& green, int32_t& blue, int32_t& width) {
  std::array<Variant, 7 + kPenMiddleCount> args{
      Variant(name),     Variant::Ref(viewIndex), kTrue,
      Variant::Ref(red), Variant::Ref(green),     Variant::Ref(blue)};
  std::copy(kPenMiddle.begin(), kPenMiddle.end(), args.begin() + 6);
  args.back() = Variant::Ref(width);
  Dispatch(dispid::kSetOverlayLayerStyle, args);
}

void Viewer::RefreshDiscreteOverlays(int32_t viewIndex) {
  Call(dispid::kRefreshDiscreteOverlays, Variant(viewIndex));
}

void Viewer::RefreshOverlays(int32_t viewIndex) {
  Call(dispid::kRefreshOverlays, Variant(viewIndex));
}

bool Viewer::ShowTotalExtent() {
  return automation::ToBoolean(Call(dispid::kShowTotalExtent), locale_);
}

bool Viewer::ShowVisibleExtent() {
  return automation::ToBoolean(Call(dispid::kShowVisibleExtent), locale_);
}

bool Viewer::ViewerFollowsMap() {
  return automation::ToBoolean(Call(dispid::kViewerFollowsMap), locale_);
}

bool Viewer::MapFollowsViewer() {
  return automation::ToBoolean(Call(dispid::kMapFollowsViewer), locale_);
}

void Viewer::SearchImageAtPoint(double x, double y) {
  Call(dispid::kSearchImageAtPoint, Variant(x), Variant(y));
}

void Viewer::SearchImageAtPointByRef(double& x, double& y) {
  Call(dispid::kSearchImageAtPoint, Variant::Ref(x), Variant::Ref(y));
}

bool Viewer::CenterOnPoint(double x, double y, double scale) {
  return automation::ToBoolean(Call(dispid::kCenterOnPoint, Variant(x), Variant(y), Variant(scale)),
                               locale_);
}

void Viewer::AddTableInfo(const std::string& entry) {
  Call(dispid::kAddTableInfo, Variant(entry));
}

void Viewer::ClearTableInfo() {
  Call(dispid::kClearTableInfo);
}

}  // namespace nimbo::host
