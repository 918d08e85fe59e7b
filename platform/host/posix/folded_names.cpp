#include "platform/host/posix/folded_names.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statfs.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <unordered_map>

namespace verdan {
namespace {

// A change made within one tick of the clock that stamps a directory may
// leave its time as it was, so what was read is kept only when read more
// than a tick after the directory's last change. Local Linux file systems
// stamp from the kernel's clock (a tick of at most 10 ms); for any other the
// margin is that of FAT, whose times go in steps of two seconds.
std::int64_t settling_nanoseconds(const std::string& directory) {
  constexpr std::int64_t kMillisecond = 1'000'000;
  struct statfs info {};
  if (::statfs(directory.c_str(), &info) == 0) {
    switch (static_cast<unsigned long>(info.f_type)) {
      case 0xEF53:      // ext2, ext3, ext4
      case 0x58465342:  // xfs
      case 0x9123683E:  // btrfs
      case 0x01021994:  // tmpfs
      case 0xF2F52010:  // f2fs
        return 50 * kMillisecond;
      default:
        break;
    }
  }
  return 3000 * kMillisecond;
}

std::int64_t nanoseconds(const timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; }

// Host names are UTF-8, whose multi-byte characters hold no ASCII byte, so
// letters fold byte by byte.
std::string ascii_folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

std::uint64_t hash_of(const std::string& folded) { return std::hash<std::string>{}(folded); }

// A directory as last read: which one, as it was then, and the hashes of
// its names' folded forms, sorted. Most names looked up without their exact
// case are not there at all, and the hashes say so at once; a hash found
// sends the lookup through the directory for the names themselves.
struct Reading {
  dev_t device = 0;
  ino_t inode = 0;
  timespec changed{};
  std::vector<std::uint64_t> hashes;
};

bool unchanged(const Reading& reading, const struct stat& info) {
  return reading.device == info.st_dev && reading.inode == info.st_ino &&
         nanoseconds(reading.changed) == nanoseconds(info.st_mtim);
}

// One pass through the directory: the names folding to `folded`, sorted,
// and the hash of every name's folded form when `hashes` is given. False
// when the directory cannot be read.
bool read_directory(const std::string& directory, const std::string& folded, std::vector<std::string>& names,
                    std::vector<std::uint64_t>* hashes) {
  auto close_dir = [](DIR* d) { ::closedir(d); };
  std::unique_ptr<DIR, decltype(close_dir)> dir(::opendir(directory.c_str()), close_dir);
  if (!dir) return false;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string entry_folded = ascii_folded(entry->d_name);
    if (hashes) hashes->push_back(hash_of(entry_folded));
    if (entry_folded == folded) names.emplace_back(entry->d_name);
  }
  std::sort(names.begin(), names.end());
  return true;
}

}  // namespace

std::vector<std::string> names_folding_to(const std::string& host_directory, std::string_view name) {
  static std::unordered_map<std::string, Reading> readings;
  const std::string directory = host_directory.empty() ? "." : host_directory;
  const std::string folded = ascii_folded(name);
  std::vector<std::string> names;
  struct stat info {};
  if (::stat(directory.c_str(), &info) != 0) {
    readings.erase(directory);
    return names;
  }
  auto known = readings.find(directory);
  if (known != readings.end() && unchanged(known->second, info)) {
    if (std::binary_search(known->second.hashes.begin(), known->second.hashes.end(), hash_of(folded))) {
      read_directory(directory, folded, names, nullptr);
    }
    return names;
  }
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  Reading reading{info.st_dev, info.st_ino, info.st_mtim, {}};
  if (!read_directory(directory, folded, names, &reading.hashes)) return names;
  if (nanoseconds(now) - nanoseconds(info.st_mtim) > settling_nanoseconds(directory)) {
    std::sort(reading.hashes.begin(), reading.hashes.end());
    readings.insert_or_assign(directory, std::move(reading));
  } else {
    readings.erase(directory);
  }
  return names;
}

}  // namespace verdan
