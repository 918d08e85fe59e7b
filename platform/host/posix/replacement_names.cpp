#include "platform/host/replacement_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <memory>

#include "platform/host/temporary_owner.h"

namespace verdan {
namespace {

const std::string& this_machine() {
  static const std::string label = [] {
    char name[HOST_NAME_MAX + 1] = {};
    return machine_label(::gethostname(name, sizeof name - 1) == 0 ? name : "");
  }();
  return label;
}

bool process_is_gone(std::uint64_t pid) {
  return pid > static_cast<std::uint64_t>(INT_MAX) || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
}

}  // namespace

std::string temporary_stem(const std::string& host_dir) {
  return host_dir + "/" + temporary_prefix(this_machine(), static_cast<std::uint64_t>(::getpid()));
}

void remove_dead_temporaries(const std::string& host_dir) {
  auto close_dir = [](DIR* d) { ::closedir(d); };
  std::unique_ptr<DIR, decltype(close_dir)> dir(::opendir(host_dir.c_str()), close_dir);
  // A directory that cannot be listed is reported by the replacement itself.
  if (!dir) return;
  const auto self = static_cast<std::uint64_t>(::getpid());
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir.get())) {
    const auto owner = temporary_owner(entry->d_name);
    if (!owner) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
      continue;
    }
    const std::chrono::seconds age(now > info.st_mtime ? now - info.st_mtime : 0);
    if (!temporary_is_dead(*owner, this_machine(), self, age, process_is_gone)) continue;
    // Best effort: what cannot be removed now is tried again next time.
    ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
  }
}

}  // namespace verdan
