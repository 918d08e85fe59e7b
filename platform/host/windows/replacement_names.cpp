#include "platform/host/replacement_names.h"

#include <windows.h>

#include "platform/host/temporary_owner.h"
#include "platform/host/windows/wide.h"

namespace verdan {
namespace {

const std::string& this_machine() {
  static const std::string label = [] {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return machine_label(GetComputerNameW(name, &size) ? host::narrow(name) : "");
  }();
  return label;
}

bool process_is_gone(std::uint64_t pid) {
  if (pid > 0xFFFFFFFFu) return true;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

// Seconds since `written`, 0 for a time still to come.
std::chrono::seconds age_of(const FILETIME& written) {
  FILETIME now_time{};
  GetSystemTimeAsFileTime(&now_time);
  auto ticks = [](const FILETIME& t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  const std::uint64_t now = ticks(now_time);
  const std::uint64_t then = ticks(written);
  return std::chrono::seconds(now > then ? (now - then) / 10000000u : 0);
}

}  // namespace

std::string temporary_stem(const std::string& host_dir) {
  return host_dir + "/" + temporary_prefix(this_machine(), GetCurrentProcessId());
}

void remove_dead_temporaries(const std::string& host_dir) {
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW(host::wide(host_dir + "/.~*").c_str(), &entry);
  // A directory that cannot be listed is reported by the replacement itself.
  if (search == INVALID_HANDLE_VALUE) return;
  const std::uint64_t self = GetCurrentProcessId();
  do {
    const std::string name = host::narrow(entry.cFileName);
    const auto owner = temporary_owner(name);
    if (!owner || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    if (!temporary_is_dead(*owner, this_machine(), self, age_of(entry.ftLastWriteTime), process_is_gone)) continue;
    // Best effort: what cannot be removed now is tried again next time.
    DeleteFileW(host::wide(host_dir + "/" + name).c_str());
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

}  // namespace verdan
