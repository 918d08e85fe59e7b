#include "platform/host/replacement_names.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string_view>

namespace verdan {
namespace {

constexpr std::string_view kPrefix = ".~";

// Digits only, at least one; false otherwise. `value` gets the number.
bool parse_number(std::string_view digits, long& value) {
  if (digits.empty() || digits.size() > 9) return false;
  value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// The process id in a name ".~<pid>.<n>", or 0 when the name is not one.
pid_t owner_of(std::string_view name) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return 0;
  name.remove_prefix(kPrefix.size());
  std::size_t dot = name.find('.');
  long pid = 0;
  long counter = 0;
  if (dot == std::string_view::npos || !parse_number(name.substr(0, dot), pid) ||
      !parse_number(name.substr(dot + 1), counter)) {
    return 0;
  }
  return static_cast<pid_t>(pid);
}

bool process_is_gone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

std::string temporary_stem(const std::string& host_dir) {
  return host_dir + "/" + std::string(kPrefix) + std::to_string(::getpid()) + ".";
}

void remove_dead_temporaries(const std::string& host_dir) {
  auto close_dir = [](DIR* d) { ::closedir(d); };
  std::unique_ptr<DIR, decltype(close_dir)> dir(::opendir(host_dir.c_str()), close_dir);
  // A directory that cannot be listed is reported by the replacement itself.
  if (!dir) return;
  const pid_t self = ::getpid();
  while (const dirent* entry = ::readdir(dir.get())) {
    pid_t pid = owner_of(entry->d_name);
    if (pid <= 0 || pid == self || !process_is_gone(pid)) continue;
    // Best effort: what cannot be removed now is tried again next time.
    ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
  }
}

}  // namespace verdan
