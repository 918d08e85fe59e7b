#include "platform/host/environment.h"

#include <windows.h>

#include "platform/codec/cp932.h"
#include "platform/host/windows/wide.h"

namespace verdan {

std::string get_env(std::string_view name) {
  const std::wstring wide_name = host::wide(to_utf8(name));
  DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  size = GetEnvironmentVariableW(wide_name.c_str(), value.data(), size);
  value.resize(size);
  return to_cp932(host::narrow(value));
}

// APPDATA, windir, OS and ComSpec are the real ones here.
void apply_posix_defaults() {}

}  // namespace verdan
