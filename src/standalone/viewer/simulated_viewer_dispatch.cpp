#include "standalone/viewer/simulated_viewer_dispatch.h"

#include <string>

#include "automation/convert.h"
#include "automation/error.h"
#include "host/viewer_views.h"

namespace nimbo::standalone {

namespace {

using automation::Variant;
using automation::VarType;
namespace errors = automation::errors;

constexpr const char* kSource = "NimboViewer";

Variant Convert(const Variant& argument, VarType type) {
  switch (argument.Type()) {
    case VarType::Null:
    case VarType::Missing:
    case VarType::Object:
    case VarType::DoubleArray:
    case VarType::VariantArray:
      throw errors::Standard(errors::kTypeMismatch, kSource);
    default:
      break;
  }
  try {
    switch (type) {
      case VarType::Long:
        return Variant(automation::ToLong(argument));
      case VarType::Double:
        return Variant(automation::ToDouble(argument));
      case VarType::String:
        return Variant(automation::ToString(argument));
      case VarType::Boolean:
        return Variant::Bool(automation::ToBoolean(argument));
      default:
        break;
    }
  } catch (const automation::AutomationError& e) {
    if (e.number() == errors::kOverflow) throw errors::Standard(errors::kOverflow, kSource);
  }
  throw errors::Standard(errors::kTypeMismatch, kSource);
}

// Typed access to the converted arguments.
struct Args {
  std::span<Variant> values;
  const Variant& At(size_t i) const {
    if (i >= values.size()) throw errors::Standard(errors::kInvalidCall, kSource);
    return values[i];
  }
  int32_t Long(size_t i) const { return At(i).AsLong(); }
  double Double(size_t i) const { return At(i).AsDouble(); }
  const std::string& String(size_t i) const { return At(i).AsString(); }
  bool Bool(size_t i) const { return At(i).AsBoolean().IsTrue(); }
  ViewerPen Pen(size_t first) const {
    return ViewerPen{Long(first),       Long(first + 1),   Long(first + 2),   Long(first + 3),
                     String(first + 4), Long(first + 5),   String(first + 6), String(first + 7),
                     String(first + 8), String(first + 9), Long(first + 10)};
  }
};

Variant None() {
  return Variant();
}

}  // namespace

ViewerArguments ConvertViewerArguments(const host::ViewerOperation& operation,
                                       std::span<const Variant> arguments) {
  if (arguments.size() != operation.parameters.size()) {
    throw errors::Standard(errors::kInvalidCall, kSource);
  }
  ViewerArguments values;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const VarType type = operation.parameters[i].type;
    if (arguments[i].IsByRef() && arguments[i].Type() != type) {
      throw errors::Standard(errors::kTypeMismatch, kSource);
    }
    // An argument of the parameter's own type needs no conversion, only its value.
    values.push_back(arguments[i].Type() == type ? arguments[i].Value()
                                                 : Convert(arguments[i], type));
  }
  return values;
}

bool HasParameterTypes(const host::ViewerOperation& operation, std::span<const Variant> arguments) {
  if (arguments.size() != operation.parameters.size()) return false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i].Type() != operation.parameters[i].type) return false;
  }
  return true;
}

Variant PerformViewerOperation(ViewerModel& m, const host::ViewerOperation& operation,
                               std::span<Variant> values) {
  namespace dispid = host::dispid;
  const Args a{values};
  const int32_t id = operation.dispid;
  // The sixteen corner getters, Total then Visible, in the viewer's corner order.
  if (id >= dispid::kTotalULx && id < dispid::kTotalULx + 2 * host::kCornerCount) {
    const int offset = id - dispid::kTotalULx;
    const int corner = offset % host::kCornerCount;
    return Variant(offset < host::kCornerCount ? m.TotalCorner(corner, a.Long(0))
                                               : m.VisibleCorner(corner, a.Long(0)));
  }
  switch (id) {
    case dispid::kSetClientInfo:
      m.SetClientInfo(a.String(0), a.String(1));
      return None();
    case dispid::kGetViewMode:
      return Variant(m.GetViewMode(a.Long(0)));
    case dispid::kIsViewActive:
      return Variant::Bool(m.IsViewActive(a.Long(0)));
    case dispid::kIsMapSyncView:
      return Variant::Bool(m.IsMapSyncView(a.Long(0)));
    case dispid::kRegisterOverlayLayer:
      m.RegisterOverlayLayer(a.String(0), a.Long(1),
                             OverlayRegistration{a.Bool(2), a.Bool(3), a.Bool(4)});
      return None();
    case dispid::kRemoveOverlayLayer:
      m.RemoveOverlayLayer(a.String(0), a.Long(1));
      return None();
    case dispid::kResetOverlays:
      m.ResetOverlays(a.Long(0));
      return None();
    case dispid::kGetOverlayLayerCount:
      return Variant(m.GetOverlayLayerCount(a.Long(0)));
    case dispid::kGetOverlayLayerName:
      return Variant(m.GetOverlayLayerName(a.Long(0), a.Long(1)));
    case dispid::kActivateOverlayMosaic:
      m.ActivateOverlay(a.String(0), a.Long(1), "mosaic");
      return None();
    case dispid::kActivateOverlayDiscrete:
      m.ActivateOverlay(a.String(0), a.Long(1), "discrete");
      return None();
    case dispid::kBeginFeature:
      m.BeginFeature();
      return None();
    case dispid::kAddVertex:
      m.AddVertex(a.Double(0), a.Double(1));
      return None();
    case dispid::kAddPointFeature:
      m.FinishFeature(kPointFeature, a.String(0), a.Long(1), a.Bool(3));
      return None();
    case dispid::kAddLineFeature:
      m.FinishFeature(kLineFeature, a.String(0), a.Long(1), a.Bool(3));
      return None();
    case dispid::kClearOverlayLayer:
      m.ClearOverlayLayer(a.String(0), a.Long(1));
      return None();
    case dispid::kSetFeatureStyle:
      m.SetFeatureStyle(a.Pen(0));
      return None();
    case dispid::kPrepareLayerStepOne:
      m.PrepareLayer(a.String(0), a.Long(1), "One");
      return None();
    case dispid::kPrepareLayerStepTwo:
      m.PrepareLayer(a.String(0), a.Long(1), "Two");
      return None();
    case dispid::kPrepareLayerStepThree:
      m.PrepareLayer(a.String(0), a.Long(1), "Three");
      return None();
    case dispid::kSetOverlayLayerStyle:
      m.SetOverlayLayerStyle(a.String(0), a.Long(1), a.Pen(3));
      return None();
    case dispid::kRefreshDiscreteOverlays:
      m.RefreshDiscreteOverlays(a.Long(0));
      return None();
    case dispid::kRefreshOverlays:
      m.RefreshOverlays(a.Long(0));
      return None();
    case dispid::kShowTotalExtent:
      return Variant::Bool(m.Options().showTotalExtent);
    case dispid::kShowVisibleExtent:
      return Variant::Bool(m.Options().showVisibleExtent);
    case dispid::kViewerFollowsMap:
      return Variant::Bool(m.Options().viewerFollowsMap);
    case dispid::kMapFollowsViewer:
      return Variant::Bool(m.Options().mapFollowsViewer);
    case dispid::kSearchImageAtPoint:
      m.SearchImageAtPoint(a.Double(0), a.Double(1));
      return None();
    case dispid::kCenterOnPoint:
      return Variant::Bool(m.CenterOnPoint(a.Double(0), a.Double(1), a.Double(2)));
    case dispid::kAddTableInfo:
      m.AddTableInfo(a.String(0));
      return None();
    case dispid::kClearTableInfo:
      m.ClearTableInfo();
      return None();
    default:
      throw errors::Standard(errors::kNotSupported, kSource);
  }
}

}  // namespace nimbo::standalone
