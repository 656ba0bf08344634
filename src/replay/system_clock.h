// The real clock, for a session that fixes no time. It is read only here, where the
// replay wires the control; the core only ever sees the Clock it is handed.
#pragma once

#include "automation/clock.h"

namespace nimbo::replay {

class SystemClock : public automation::Clock {
 public:
  // The machine's local time, to the second.
  automation::DateTime Now() const override;
};

}  // namespace nimbo::replay
