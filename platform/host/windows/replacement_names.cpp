#include "platform/host/replacement_names.h"

#include <windows.h>

#include <string_view>

#include "platform/host/windows/wide.h"

namespace verdan {
namespace {

constexpr std::string_view kPrefix = ".~";

bool parse_number(std::string_view digits, unsigned long& value) {
  if (digits.empty() || digits.size() > 9) return false;
  value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  return true;
}

// The process id in a name ".~<pid>.<n>", or 0 when the name is not one.
unsigned long owner_of(std::string_view name) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return 0;
  name.remove_prefix(kPrefix.size());
  std::size_t dot = name.find('.');
  unsigned long pid = 0;
  unsigned long counter = 0;
  if (dot == std::string_view::npos || !parse_number(name.substr(0, dot), pid) ||
      !parse_number(name.substr(dot + 1), counter)) {
    return 0;
  }
  return pid;
}

bool process_is_gone(unsigned long pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

}  // namespace

std::string temporary_stem(const std::string& host_dir) {
  return host_dir + "/" + std::string(kPrefix) + std::to_string(GetCurrentProcessId()) + ".";
}

void remove_dead_temporaries(const std::string& host_dir) {
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW(host::wide(host_dir + "/.~*").c_str(), &entry);
  // A directory that cannot be listed is reported by the replacement itself.
  if (search == INVALID_HANDLE_VALUE) return;
  const unsigned long self = GetCurrentProcessId();
  do {
    const std::string name = host::narrow(entry.cFileName);
    unsigned long pid = owner_of(name);
    if (pid == 0 || pid == self || !process_is_gone(pid)) continue;
    // Best effort: what cannot be removed now is tried again next time.
    DeleteFileW(host::wide(host_dir + "/" + name).c_str());
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

}  // namespace verdan
