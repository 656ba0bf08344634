// The save methods and sub-options that the viewer offers next to each measurement, and
// their publishing. The viewer sends the chosen method back as `tablename` and the chosen
// sub-option as `fieldname`; every other method name is an object-data table.
#pragma once

#include <string>
#include <vector>

#include "control/control_state.h"

namespace nimbo::measure {

inline constexpr const char* kSaveAsText = "<Save as text>";
inline constexpr const char* kSaveAsDimension = "<Save as dimension>";
inline constexpr const char* kSaveAsAttribute = "<Save as attribute>";
inline constexpr const char* kSaveAsExtrusion = "<Save as extrusion (only for heights)>";

inline constexpr const char* kLinearDimension = "Linear dimension";
inline constexpr const char* kAngularDimension = "Angular dimension";

// The viewer's "do not save" choice; never published by the control.
inline constexpr const char* kNoSubOption = "<None>";

struct SaveMethod {
  const char* name;
  std::vector<const char*> subOptions;
};

// The four fixed methods, in publishing order.
const std::vector<SaveMethod>& FixedSaveMethods();

// The viewer's entry for a method: its name, then ",<sub-option>" for each sub-option.
std::string TableInfoEntry(const std::string& method, const std::vector<std::string>& subOptions);

// Replaces the viewer's list: the fixed methods, then every object-data table of activeDoc
// with its fields (when both activeDoc and mapApp are set). Raises any error again as
// "SetTableInfo".
void SetTableInfo(control::ControlState& state);

}  // namespace nimbo::measure
