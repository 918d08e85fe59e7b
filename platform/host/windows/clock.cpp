#include "platform/host/clock.h"

#include <windows.h>

namespace verdan {

LocalDate SystemClock::today() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

LocalTime SystemClock::now() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wHour, now.wMinute, now.wSecond};
}

}  // namespace verdan
