// Whether a descriptor of this process goes past the host's cache, as
// /proc tells its flags (Linux).
#pragma once

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace verdan::test {

// The flags of the first descriptor whose target `matches` include O_DIRECT.
template <typename Matches>
bool descriptor_past_cache(Matches matches) {
  namespace fs = std::filesystem;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const fs::path target = fs::read_symlink(entry.path(), error);
    if (error || !matches(target)) continue;
    std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
    std::string key;
    unsigned long flags = 0;
    while (info >> key) {
      if (key == "flags:" && info >> std::oct >> flags) return (flags & O_DIRECT) != 0;
    }
  }
  return false;
}

}  // namespace verdan::test
