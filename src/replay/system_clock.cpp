#include "replay/system_clock.h"

#include <ctime>

namespace nimbo::replay {

automation::DateTime SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return automation::DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace nimbo::replay
