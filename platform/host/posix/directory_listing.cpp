#include "platform/host/directory_listing.h"

#include <dirent.h>
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
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    std::string path = directory == "/" ? "/" + name : directory + "/" + name;
    struct stat info {};
    // A name that vanished or cannot be looked at is simply not listed.
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    std::tm parts{};
    if (::localtime_r(&info.st_mtime, &parts) == nullptr) continue;
    files.push_back({to_cp932(name), parts.tm_mon + 1, parts.tm_mday, static_cast<std::int64_t>(info.st_size)});
  }
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) { return a.name < b.name; });
  return files;
}

}  // namespace verdan
