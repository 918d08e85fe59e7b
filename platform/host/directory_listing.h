// The plain files of a directory with what a directory listing shows of
// each: name, day of the last update and size. Used where no command
// interpreter can be asked for the listing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdan {

struct ListedFile {
  std::string name;   // CP932
  int month = 0;      // of the last update, local time
  int day = 0;
  std::int64_t size = 0;
};

// The regular files (links followed) in the DOS-form directory `dos_directory`
// ("C:", "DATA\", "C:\DATA\"), in byte order of their names. Nothing when
// the directory cannot be read.
std::optional<std::vector<ListedFile>> list_files(std::string_view dos_directory);

}  // namespace verdan
