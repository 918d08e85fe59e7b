#include "platform/host/file_calls.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/host/windows/wide.h"

namespace verdan::host {
namespace {

int fill(const struct _stat64& info, FileStatus& status) {
  const unsigned kind = info.st_mode & _S_IFMT;
  status.type = kind == _S_IFREG   ? FileType::regular
                : kind == _S_IFDIR ? FileType::directory
                : kind == _S_IFCHR ? FileType::device
                : kind == _S_IFIFO ? FileType::fifo
                                   : FileType::other;
  status.directory = (info.st_mode & _S_IFDIR) != 0;
  status.regular = (info.st_mode & _S_IFREG) != 0;
  status.size = info.st_size;
  status.permissions = info.st_mode & 0777;
  status.modified = info.st_mtime;
  return 0;
}

HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

int open_file(const std::string& path, int flags) {
  return _wopen(wide(path).c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

// Windows opens devices and pipes without waiting for their other end.
int open_file_at_once(const std::string& path, int flags) { return open_file(path, flags); }

long read_file(int fd, void* data, std::size_t size) {
  constexpr std::size_t kMost = 1u << 30;
  return _read(fd, data, static_cast<unsigned>(size < kMost ? size : kMost));
}

long read_file_at(int fd, void* data, std::size_t size, std::int64_t offset) {
  if (_lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  return read_file(fd, data, size);
}

long write_file(int fd, const void* data, std::size_t size) {
  constexpr std::size_t kMost = 1u << 30;
  return _write(fd, data, static_cast<unsigned>(size < kMost ? size : kMost));
}

int close_file(int fd) { return _close(fd); }

long copy_file_part(int, int, std::size_t) {
  errno = ENOSYS;
  return -1;
}

int seek_file(int fd, std::int64_t offset) { return _lseeki64(fd, offset, SEEK_SET) < 0 ? -1 : 0; }

int file_status(const std::string& path, FileStatus& status) {
  struct _stat64 info {};
  if (_wstat64(wide(path).c_str(), &info) != 0) return -1;
  return fill(info, status);
}

// Windows links are rare in a user's folders; the name is looked at as is.
int name_status(const std::string& path, FileStatus& status) { return file_status(path, status); }

int open_file_status(int fd, FileStatus& status) {
  struct _stat64 info {};
  if (_fstat64(fd, &info) != 0) return -1;
  return fill(info, status);
}

int sync_file(int fd) { return FlushFileBuffers(handle_of(fd)) ? 0 : fail_with_last_error(); }

// Windows has no call that starts writing without waiting for it.
void start_writeback(int, std::int64_t, std::int64_t) {}

// An open descriptor cannot change to unbuffered transfers on Windows.
bool set_past_cache(int, bool) { return false; }

int replace_file(const std::string& from, const std::string& to) {
  if (MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  return fail_with_last_error();
}

int rename_file(const std::string& from, const std::string& to) {
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : fail_with_last_error();
}

// Links are looked at as they are on Windows (see name_status).
int read_link(const std::string&, std::string&) {
  errno = EINVAL;
  return -1;
}

int delete_file(const std::string& path) { return _wunlink(wide(path).c_str()); }

// The replaced file's attributes are those a new file gets.
int keep_permissions(int, unsigned) { return 0; }

int cut_open_file(int fd, std::int64_t length) { return _chsize_s(fd, length) == 0 ? 0 : -1; }

int cut_file(const std::string& path, std::int64_t length) {
  int fd = open_file(path, _O_WRONLY);
  if (fd < 0) return -1;
  int result = cut_open_file(fd, length);
  _close(fd);
  return result;
}

int make_directory(const std::string& path) { return _wmkdir(wide(path).c_str()); }

int remove_directory(const std::string& path) { return _wrmdir(wide(path).c_str()); }

int change_directory(const std::string& path) { return _wchdir(wide(path).c_str()); }

std::string full_path(const std::string& path) {
  const std::wstring name = native(path);
  const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD used = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
  if (used == 0 || used >= size) return path;
  full.resize(used);
  return narrow(full);
}

// "C:/X" is held by "C:/", "C:X" by drive C's current directory ("C:."):
// the C runtime finds no directory "C:".
std::string parent_directory(const std::string& path) {
  auto separator = [](char c) { return c == '/' || c == '\\'; };
  const bool drive = path.size() >= 2 && path[1] == ':';
  std::size_t root = drive ? 2 : 0;
  if (root < path.size() && separator(path[root])) ++root;
  std::size_t end = path.size();
  while (end > root && separator(path[end - 1])) --end;
  std::size_t cut = end;
  while (cut > root && !separator(path[cut - 1])) --cut;
  if (cut > root) return path.substr(0, cut - 1);
  if (root > 0) return drive && root == 2 ? path.substr(0, 2) + "." : path.substr(0, root);
  return ".";
}

std::string shown_path(const std::string& path) {
  std::string shown = path;
  std::replace(shown.begin(), shown.end(), '/', '\\');
  return shown;
}

}  // namespace verdan::host
