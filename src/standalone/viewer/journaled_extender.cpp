#include "standalone/viewer/journaled_extender.h"

#include "standalone/viewer/simulated_extender.h"

namespace nimbo::standalone {

// Written before the value is handed on, as the simulated children write theirs: a set
// that fails still shows what was asked.
void JournaledExtender::Write(const char* property, float value) {
  if (journaling_) journal_.Write(ExtenderLine(control_, property, value));
}

void JournaledExtender::SetTop(float value) {
  Write("Top", value);
  own_.SetTop(value);
}

void JournaledExtender::SetLeft(float value) {
  Write("Left", value);
  own_.SetLeft(value);
}

void JournaledExtender::SetWidth(float value) {
  Write("Width", value);
  own_.SetWidth(value);
}

void JournaledExtender::SetHeight(float value) {
  Write("Height", value);
  own_.SetHeight(value);
}

}  // namespace nimbo::standalone
