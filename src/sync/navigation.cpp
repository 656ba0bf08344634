#include "sync/navigation.h"

#include <cstdint>

#include "automation/convert.h"
#include "automation/error.h"
#include "automation/error_rules.h"
#include "automation/object_cast.h"

namespace nimbo::sync {

using automation::Require;
using automation::Variant;

namespace {

constexpr const char* kViewCentreVariable = "VIEWCTR";
// The viewer's own zoom argument for a centring from the drawing.
constexpr double kCenterScale = 30.0;
constexpr const char* kPickMessage = "Click a point in the map";

// Element `index` of a point the host hands out as an array, as a Double.
double PointElement(const Variant& point, int32_t index, const automation::Locale& locale) {
  const Variant value = point.Value();
  auto at = [&](const auto& array) -> const auto& {
    const int64_t offset = int64_t{index} - array.lowerBound;
    if (offset < 0 || offset >= static_cast<int64_t>(array.values.size())) {
      throw automation::errors::Standard(automation::errors::kSubscriptOutOfRange);
    }
    return array.values[static_cast<size_t>(offset)];
  };
  switch (value.Type()) {
    case automation::VarType::DoubleArray:
      return at(value.AsDoubleArray());
    case automation::VarType::VariantArray:
      return automation::ToDouble(at(value.AsVariantArray()), locale);
    default:
      throw automation::errors::Standard(automation::errors::kTypeMismatch);
  }
}

bool IsViewCommand(const std::string& commandName) {
  return commandName == "PAN" || commandName == "ZOOM";
}

}  // namespace

void FollowDrawingView(control::ControlState& state, const std::string& commandName) {
  host::DocumentRef document = control::BindActiveDocument(state);
  // Asked after every command, whatever its name.
  const bool follows = state.Viewer().ViewerFollowsMap();
  if (!follows || !IsViewCommand(commandName) || !document) return;

  const Variant centre = document->GetVariable(kViewCentreVariable);
  const double x = PointElement(centre, 0, state.Locale());
  const double y = PointElement(centre, 1, state.Locale());
  if (!state.Viewer().CenterOnPoint(x, y, kCenterScale)) state.Viewer().SearchImageAtPoint(x, y);
}

void SearchImage(control::ControlState& state) {
  automation::Reraise("SearchImage", [&] {
    host::DocumentRef document = control::BindActiveDocument(state);
    // The pick starts only once the person has read and closed the message.
    state.Dialogs().MessageBox(kPickMessage, host::MessageButtons::Ok, std::nullopt);
    // No drawing to pick in is error 91, told to the person like any other.
    auto utility = Require<host::Utility>(Require<host::Document>(document)->Utility());
    const host::Point3 picked = utility->GetPoint(std::nullopt, std::nullopt);
    double x = picked.x;
    double y = picked.y;
    state.Viewer().SearchImageAtPointByRef(x, y);
  });
}

}  // namespace nimbo::sync
