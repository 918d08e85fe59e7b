#include "platform/host/file_calls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace verdan::host {
namespace {

FileType type_of(mode_t mode) {
  if (S_ISREG(mode)) return FileType::regular;
  if (S_ISDIR(mode)) return FileType::directory;
  if (S_ISLNK(mode)) return FileType::link;
  if (S_ISFIFO(mode)) return FileType::fifo;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileType::device;
  if (S_ISSOCK(mode)) return FileType::socket;
  return FileType::other;
}

void fill(const struct stat& info, FileStatus& status) {
  status.type = type_of(info.st_mode);
  status.device = info.st_dev;
  status.inode = info.st_ino;
  status.directory = S_ISDIR(info.st_mode);
  status.regular = S_ISREG(info.st_mode);
  status.size = info.st_size;
  status.permissions = info.st_mode & 07777;
  status.modified = info.st_mtime;
}

}  // namespace

int open_file(const std::string& path, int flags) {
  for (;;) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EINTR) return fd;
  }
}

int open_file_at_once(const std::string& path, int flags) {
  int fd = open_file(path, flags | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  const int status = ::fcntl(fd, F_GETFL);
  if (status == -1 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1) {
    const int err = errno;
    ::close(fd);
    errno = err;
    return -1;
  }
  return fd;
}

long read_file(int fd, void* data, std::size_t size) {
  for (;;) {
    ssize_t n = ::read(fd, data, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

long read_file_at(int fd, void* data, std::size_t size, std::int64_t offset) {
  for (;;) {
    ssize_t n = ::pread(fd, data, size, static_cast<off_t>(offset));
    if (n >= 0 || errno != EINTR) return n;
  }
}

long write_file(int fd, const void* data, std::size_t size) {
  for (;;) {
    ssize_t n = ::write(fd, data, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

int close_file(int fd) { return ::close(fd); }

long copy_file_part(int from, int to, std::size_t size) {
#ifdef __linux__
  for (;;) {
    ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, size, 0);
    if (n >= 0 || errno != EINTR) return n;
  }
#else
  static_cast<void>(from), static_cast<void>(to), static_cast<void>(size);
  errno = ENOSYS;
  return -1;
#endif
}

int seek_file(int fd, std::int64_t offset) { return ::lseek(fd, offset, SEEK_SET) < 0 ? -1 : 0; }

int file_status(const std::string& path, FileStatus& status) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return -1;
  fill(info, status);
  return 0;
}

int name_status(const std::string& path, FileStatus& status) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return -1;
  fill(info, status);
  return 0;
}

int open_file_status(int fd, FileStatus& status) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return -1;
  fill(info, status);
  return 0;
}

// Some file systems cannot sync (EINVAL); their data is as safe as it gets.
int sync_file(int fd) { return ::fsync(fd) != 0 && errno != EINVAL ? -1 : 0; }

void start_writeback(int fd, std::int64_t offset, std::int64_t length) {
#ifdef __linux__
  ::sync_file_range(fd, offset, length, SYNC_FILE_RANGE_WRITE);
#else
  static_cast<void>(fd), static_cast<void>(offset), static_cast<void>(length);
#endif
}

#ifdef O_DIRECT
namespace {

// Past the client's cache, each transfer to a network file system waits for
// the server: the client's own write-behind is what keeps such a file fast.
bool on_network_file_system(int fd) {
  struct statfs info {};
  if (::fstatfs(fd, &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969:      // NFS
    case 0x517B:      // SMB
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x65735546:  // FUSE (sshfs and the like)
    case 0x5346414F:  // AFS
    case 0x00C36400:  // Ceph
    case 0x01021997:  // 9P
      return true;
    default:
      return false;
  }
}

}  // namespace
#endif

bool set_past_cache(int fd, bool on) {
#ifdef O_DIRECT
  if (on && on_network_file_system(fd)) return false;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) return false;
  return ::fcntl(fd, F_SETFL, on ? flags | O_DIRECT : flags & ~O_DIRECT) == 0;
#else
  static_cast<void>(fd), static_cast<void>(on);
  return false;
#endif
}

int replace_file(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()); }

int rename_file(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()); }

int read_link(const std::string& path, std::string& target) {
  char text[4096];
  const ssize_t n = ::readlink(path.c_str(), text, sizeof text);
  if (n < 0) return -1;
  if (static_cast<std::size_t>(n) == sizeof text) {
    errno = ENAMETOOLONG;
    return -1;
  }
  target.assign(text, static_cast<std::size_t>(n));
  return 0;
}

int delete_file(const std::string& path) { return ::unlink(path.c_str()); }

int keep_permissions(int fd, unsigned permissions) { return ::fchmod(fd, permissions); }

int cut_open_file(int fd, std::int64_t length) { return ::ftruncate(fd, length); }

int cut_file(const std::string& path, std::int64_t length) { return ::truncate(path.c_str(), length); }

int make_directory(const std::string& path) { return ::mkdir(path.c_str(), 0777); }

int remove_directory(const std::string& path) { return ::rmdir(path.c_str()); }

int change_directory(const std::string& path) { return ::chdir(path.c_str()); }

std::string full_path(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  auto release = [](char* p) { std::free(p); };
  std::unique_ptr<char, decltype(release)> cwd(::getcwd(nullptr, 0), release);
  if (!cwd) return path;
  std::string dir = cwd.get();
  if (path == ".") return dir;
  if (dir.back() != '/') dir += '/';
  return dir + (path.starts_with("./") ? path.substr(2) : path);
}

std::string parent_directory(const std::string& path) {
  std::string parent = path;
  while (parent.size() > 1 && parent.back() == '/') parent.pop_back();
  const std::size_t slash = parent.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return parent.substr(0, slash);
}

std::string shown_path(const std::string& path) { return path; }

}  // namespace verdan::host
