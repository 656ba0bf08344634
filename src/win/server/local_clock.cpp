#include "win/server/local_clock.h"

#include <windows.h>

namespace nimbo::win::server {

automation::DateTime LocalClock::Now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return automation::DateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace nimbo::win::server
