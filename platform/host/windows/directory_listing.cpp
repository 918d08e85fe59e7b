#include "platform/host/directory_listing.h"

#include <windows.h>

#include <algorithm>

#include "platform/codec/cp932.h"
#include "platform/host/dos_path.h"
#include "platform/host/file_calls.h"
#include "platform/failure.h"
#include "platform/host/windows/wide.h"

namespace verdan {

std::optional<std::vector<ListedFile>> list_files(std::string_view dos_directory) {
  std::string directory;
  try {
    directory = host_path(dos_directory);
  } catch (const Failure&) {
    return std::nullopt;
  }
  // "C:" is drive C's current directory, which "C:/*" would miss.
  std::string pattern = host::full_path(directory);
  if (pattern.back() != '\\') pattern += '\\';
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW(host::wide(pattern + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<ListedFile>{};
    return std::nullopt;
  }
  std::vector<ListedFile> files;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    FILETIME local{};
    SYSTEMTIME parts{};
    if (!FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &parts)) continue;
    const auto size = (static_cast<std::int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    files.push_back({to_cp932(host::narrow(entry.cFileName)), parts.wMonth, parts.wDay, size});
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) { return a.name < b.name; });
  return files;
}

}  // namespace verdan
