#include "standalone/viewer/simulated_extender.h"

namespace nimbo::standalone {

std::string ExtenderLine(const std::string& control, const char* property, float value) {
  return control + " " + property + " = " + TranscriptNumber(static_cast<double>(value));
}

void SimulatedExtender::Set(const char* property, float& member, float value) {
  member = value;
  journal_.Write(ExtenderLine(control_, property, value));
}

}  // namespace nimbo::standalone
