#include "platform/host/environment.h"

#include <sys/stat.h>

#include <sys/utsname.h>

#include <cerrno>
#include <cstdlib>

#include "platform/codec/cp932.h"
#include "platform/host/host_error.h"

namespace verdan {
namespace {

const char* host_value(const char* name) {
  const char* value = std::getenv(name);
  return (value != nullptr && *value != '\0') ? value : nullptr;
}

void set_if_unset(const char* name, const std::string& value) {
  if (::setenv(name, value.c_str(), 0) != 0) fail_from_errno(errno, "setenv", name);
}

}  // namespace

std::string get_env(std::string_view name) {
  const char* value = std::getenv(to_utf8(name).c_str());
  return value == nullptr ? std::string() : to_cp932(value);
}

void apply_posix_defaults() {
  if (std::getenv("APPDATA") == nullptr) {
    std::string config;
    if (const char* xdg = host_value("XDG_CONFIG_HOME")) {
      config = xdg;
    } else if (const char* home = host_value("HOME")) {
      config = std::string(home) + "/.config";
    }
    if (!config.empty()) {
      set_if_unset("APPDATA", config);
      // The per-user directory is made inside it; on a fresh account the
      // configuration directory itself may not exist yet, as it always
      // does where APPDATA is native. A failure shows later, at its use.
      ::mkdir(config.c_str(), 0700);
    }
  }
  if (std::getenv("OS") == nullptr) {
    struct utsname host {};
    if (::uname(&host) != 0) fail_from_errno(errno, "uname", "");
    set_if_unset("OS", host.sysname);
  }
}

}  // namespace verdan
