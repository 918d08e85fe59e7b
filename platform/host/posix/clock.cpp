#include "platform/host/clock.h"

#include <cerrno>
#include <ctime>

#include "platform/host/host_error.h"

namespace verdan {
namespace {

std::tm local_now() {
  std::time_t seconds = std::time(nullptr);
  std::tm parts{};
  if (seconds == static_cast<std::time_t>(-1) || ::localtime_r(&seconds, &parts) == nullptr) {
    fail_from_errno(errno, "localtime", "");
  }
  return parts;
}

}  // namespace

LocalDate SystemClock::today() const {
  std::tm parts = local_now();
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

LocalTime SystemClock::now() const {
  std::tm parts = local_now();
  return {parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace verdan
