// The machine's clock, as the control reads it inside the CAD application: local time to
// the second. Only the library's class objects hand it to the core.
#pragma once

#include "automation/clock.h"

namespace nimbo::win::server {

class LocalClock final : public automation::Clock {
 public:
  automation::DateTime Now() const override;
};

}  // namespace nimbo::win::server
