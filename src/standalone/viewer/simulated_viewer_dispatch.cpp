#include "standalone/viewer/simulated_viewer_dispatch.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "automation/convert.h"
#include "automation/error.h"

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

using Handler = std::function<Variant(ViewerModel&, const Args&)>;

Variant None() {
  return Variant();
}

std::map<std::string_view, Handler> BuildHandlers() {
  std::map<std::string_view, Handler> handlers = {
      {"SetClientInfo",
       [](ViewerModel& m, const Args& a) {
         m.SetClientInfo(a.String(0), a.String(1));
         return None();
       }},
      {"GetViewMode",
       [](ViewerModel& m, const Args& a) { return Variant(m.GetViewMode(a.Long(0))); }},
      {"IsViewActive",
       [](ViewerModel& m, const Args& a) { return Variant::Bool(m.IsViewActive(a.Long(0))); }},
      {"IsMapSyncView",
       [](ViewerModel& m, const Args& a) { return Variant::Bool(m.IsMapSyncView(a.Long(0))); }},
      {"RegisterOverlayLayer",
       [](ViewerModel& m, const Args& a) {
         m.RegisterOverlayLayer(a.String(0), a.Long(1),
                                OverlayRegistration{a.Bool(2), a.Bool(3), a.Bool(4)});
         return None();
       }},
      {"RemoveOverlayLayer",
       [](ViewerModel& m, const Args& a) {
         m.RemoveOverlayLayer(a.String(0), a.Long(1));
         return None();
       }},
      {"ResetOverlays",
       [](ViewerModel& m, const Args& a) {
         m.ResetOverlays(a.Long(0));
         return None();
       }},
      {"GetOverlayLayerCount",
       [](ViewerModel& m, const Args& a) { return Variant(m.GetOverlayLayerCount(a.Long(0))); }},
      {"GetOverlayLayerName",
       [](ViewerModel& m, const Args& a) {
         return Variant(m.GetOverlayLayerName(a.Long(0), a.Long(1)));
       }},
      {"ActivateOverlayMosaic",
       [](ViewerModel& m, const Args& a) {
         m.ActivateOverlay(a.String(0), a.Long(1), "mosaic");
         return None();
       }},
      {"ActivateOverlayDiscrete",
       [](ViewerModel& m, const Args& a) {
         m.ActivateOverlay(a.String(0), a.Long(1), "discrete");
         return None();
       }},
      {"BeginFeature",
       [](ViewerModel& m, const Args&) {
         m.BeginFeature();
         return None();
       }},
      {"AddVertex",
       [](ViewerModel& m, const Args& a) {
         m.AddVertex(a.Double(0), a.Double(1));
         return None();
       }},
      {"AddPointFeature",
       [](ViewerModel& m, const Args& a) {
         m.FinishFeature("point", a.String(0), a.Long(1), a.Bool(3));
         return None();
       }},
      {"AddLineFeature",
       [](ViewerModel& m, const Args& a) {
         m.FinishFeature("line", a.String(0), a.Long(1), a.Bool(3));
         return None();
       }},
      {"ClearOverlayLayer",
       [](ViewerModel& m, const Args& a) {
         m.ClearOverlayLayer(a.String(0), a.Long(1));
         return None();
       }},
      {"SetFeatureStyle",
       [](ViewerModel& m, const Args& a) {
         m.SetFeatureStyle(a.Pen(0));
         return None();
       }},
      {"PrepareLayerStepOne",
       [](ViewerModel& m, const Args& a) {
         m.PrepareLayer(a.String(0), a.Long(1), "One");
         return None();
       }},
      {"PrepareLayerStepTwo",
       [](ViewerModel& m, const Args& a) {
         m.PrepareLayer(a.String(0), a.Long(1), "Two");
         return None();
       }},
      {"PrepareLayerStepThree",
       [](ViewerModel& m, const Args& a) {
         m.PrepareLayer(a.String(0), a.Long(1), "Three");
         return None();
       }},
      {"SetOverlayLayerStyle",
       [](ViewerModel& m, const Args& a) {
         m.SetOverlayLayerStyle(a.String(0), a.Long(1), a.Pen(3));
         return None();
       }},
      {"RefreshDiscreteOverlays",
       [](ViewerModel& m, const Args& a) {
         m.RefreshDiscreteOverlays(a.Long(0));
         return None();
       }},
      {"RefreshOverlays",
       [](ViewerModel& m, const Args& a) {
         m.RefreshOverlays(a.Long(0));
         return None();
       }},
      {"ShowTotalExtent",
       [](ViewerModel& m, const Args&) { return Variant::Bool(m.Options().showTotalExtent); }},
      {"ShowVisibleExtent",
       [](ViewerModel& m, const Args&) { return Variant::Bool(m.Options().showVisibleExtent); }},
      {"ViewerFollowsMap",
       [](ViewerModel& m, const Args&) { return Variant::Bool(m.Options().viewerFollowsMap); }},
      {"MapFollowsViewer",
       [](ViewerModel& m, const Args&) { return Variant::Bool(m.Options().mapFollowsViewer); }},
      {"SearchImageAtPoint",
       [](ViewerModel& m, const Args& a) {
         m.SearchImageAtPoint(a.Double(0), a.Double(1));
         return None();
       }},
      {"CenterOnPoint",
       [](ViewerModel& m, const Args& a) {
         return Variant::Bool(m.CenterOnPoint(a.Double(0), a.Double(1), a.Double(2)));
       }},
      {"AddTableInfo",
       [](ViewerModel& m, const Args& a) {
         m.AddTableInfo(a.String(0));
         return None();
       }},
      {"ClearTableInfo",
       [](ViewerModel& m, const Args&) {
         m.ClearTableInfo();
         return None();
       }},
  };
  // The sixteen corner getters, by their DISPIDs' order in the table.
  for (const host::ViewerOperation& op : host::ViewerOperations()) {
    const int offset = op.dispid - host::dispid::kTotalULx;
    if (offset < 0 || offset >= 16) continue;
    const int corner = offset % 8;
    const bool total = offset < 8;
    handlers[op.name] = [corner, total](ViewerModel& m, const Args& a) {
      return Variant(total ? m.TotalCorner(corner, a.Long(0)) : m.VisibleCorner(corner, a.Long(0)));
    };
  }
  return handlers;
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

Variant PerformViewerOperation(ViewerModel& model, const host::ViewerOperation& operation,
                               std::span<Variant> values) {
  // By DISPID: the handlers are found once, not by name on every call.
  static const std::vector<Handler> handlers = [] {
    const std::map<std::string_view, Handler> byName = BuildHandlers();
    return host::TableByDispid<Handler>([&byName](const host::ViewerOperation& op) {
      auto it = byName.find(op.name);
      return it == byName.end() ? Handler() : it->second;
    });
  }();
  const auto at = static_cast<size_t>(operation.dispid);
  if (at >= handlers.size() || !handlers[at])
    throw errors::Standard(errors::kNotSupported, kSource);
  return handlers[at](model, Args{values});
}

}  // namespace nimbo::standalone
