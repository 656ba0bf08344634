#include "measure/measurement_dispatch.h"

#include <optional>

#include "automation/error_rules.h"
#include "measure/annotation_writers.h"
#include "measure/extrusion.h"
#include "measure/object_data.h"
#include "measure/save_options.h"

namespace nimbo::measure {

namespace {

constexpr const char* kCaption = "VeskNIMBO";
constexpr const char* kTextHeightPrompt = "Default text height in map units:";
constexpr const char* kDefaultTextHeight = "10";
// What a method that writes no text passes on as its height text; never parsed.
constexpr const char* kNoTextHeight = "0";

bool Confirmed(control::ControlState& state, double measure, const std::string& tablename,
               const std::string& fieldname) {
  const std::string text = "Saving measuring " + state.Locale().NumberText(measure) +
                           " using method " + tablename + " and sub-option " + fieldname;
  return state.Dialogs().MessageBox(text, host::MessageButtons::YesNo, std::string(kCaption)) ==
         host::MessageAnswer::Yes;
}

bool WritesText(const std::string& tablename) {
  return tablename == kSaveAsText || tablename == kSaveAsDimension || tablename == kSaveAsAttribute;
}

}  // namespace

void SaveMeasurement(control::ControlState& state, double measure, const std::string& tablename,
                     const std::string& fieldname) {
  automation::Reraise("SaveMeasurement", [&] {
    if (fieldname == kNoSubOption) return;
    if (!Confirmed(state, measure, tablename, fieldname)) return;

    std::string heightText = kNoTextHeight;
    if (WritesText(tablename)) {
      // A cancelled prompt gives the empty text, which no locale parses: error 13 before
      // anything is written.
      heightText = state.Dialogs()
                       .InputBox(kTextHeightPrompt, kCaption, kDefaultTextHeight)
                       .value_or(std::string());
    }
    auto textHeight = [&] { return state.Locale().ParseNumber(heightText); };

    if (tablename == kSaveAsText) {
      AddText(state, measure, textHeight());
    } else if (tablename == kSaveAsDimension) {
      AddDimension(state, measure, fieldname, textHeight());
    } else if (tablename == kSaveAsAttribute) {
      AddAttribute(state, measure, fieldname, textHeight());
    } else if (tablename == kSaveAsExtrusion) {
      ExtrudeEntity(state, measure);
    } else {
      SaveAsDataObject(state, measure, tablename, fieldname);
    }
  });
}

}  // namespace nimbo::measure
