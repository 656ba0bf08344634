#include "standalone/viewer/simulated_extender.h"

namespace nimbo::standalone {

void SimulatedExtender::Set(const char* property, float& member, float value) {
  member = value;
  // The value as the single-precision property holds it, written exactly.
  journal_.Write(control_ + " " + property + " = " + TranscriptNumber(static_cast<double>(value)));
}

}  // namespace nimbo::standalone
