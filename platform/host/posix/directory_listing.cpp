#include "platform/host/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <memory>

#include "platform/codec/cp932.h"
#include "platform/host/dos_path.h"
#include "platform/failure.h"

namespace verdan {

std::optional<std::vector<ListedFile>> list_files(std::string_view dos_directory) {
  std::string directory;
  try {
    directory = host_path(dos_directory);
  } catch (const Failure&) {
    return std::nullopt;
  }
  auto close_dir = [](DIR* d) { ::closedir(d); };
  std::unique_ptr<DIR, decltype(close_dir)> dir(::opendir(directory.c_str()), close_dir);
  if (!dir) return std::nullopt;

  std::vector<ListedFile> files;
  const int dir_fd = ::dirfd(dir.get());
  while (const dirent* entry = ::readdir(dir.get())) {
    // Known not to be a file: spares the look at it (a link is followed).
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_REG && entry->d_type != DT_LNK) continue;
    std::string name = entry->d_name;
    struct stat info {};
    // Looked at from the directory itself, not by the whole path again. A
    // name that vanished or cannot be looked at is simply not listed.
    if (::fstatat(dir_fd, name.c_str(), &info, 0) != 0 || !S_ISREG(info.st_mode)) continue;
    std::tm parts{};
    if (::localtime_r(&info.st_mtime, &parts) == nullptr) continue;
    files.push_back({to_cp932(name), parts.tm_mon + 1, parts.tm_mday, static_cast<std::int64_t>(info.st_size)});
  }
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) { return a.name < b.name; });
  return files;
}

}  // namespace verdan
