#include "platform/host/file_kinds.h"

#include <fcntl.h>

#include <cerrno>
#include <thread>

#include "platform/failure.h"
#include "platform/host/file_calls.h"
#include "platform/host/host_error.h"

namespace verdan {
namespace {

constexpr std::chrono::milliseconds kPipeRetryStep{20};
// The most links a name is followed through, as the hosts allow.
constexpr int kMostLinks = 40;

const char* type_name(host::FileType type) {
  switch (type) {
    case host::FileType::fifo:
      return "a FIFO";
    case host::FileType::device:
      return "a device";
    case host::FileType::socket:
      return "a socket";
    case host::FileType::link:
      return "a link";
    default:
      return "not a file";
  }
}

}  // namespace

void fail_not_regular(const std::string& host, host::FileType type) {
  if (type == host::FileType::directory) fail_from_errno(EISDIR, "open", host);
  fail(kAccessDenied, std::string("not a regular file (") + type_name(type) + "): " + host::shown_path(host));
}

int open_regular(const std::string& host, int flags) {
  host::FileStatus info;
  if (host::file_status(host, info) == 0 && !info.regular) fail_not_regular(host, info.type);
  // Put there since: opened without waiting on it, then refused.
  const int fd = host::open_file_at_once(host, flags);
  if (fd < 0) fail_from_errno(errno, "open", host);
  if (host::open_file_status(fd, info) != 0 || !info.regular) {
    const int err = errno;
    host::close_file(fd);
    if (info.regular) fail_from_errno(err, "fstat", host);
    fail_not_regular(host, info.type);
  }
  return fd;
}

int open_special_for_writing(const std::string& host, int flags, std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int fd = host::open_file_at_once(host, flags);
    if (fd >= 0) return fd;
    const int err = errno;
    if (err != ENXIO || std::chrono::steady_clock::now() >= deadline) {
      if (err == ENXIO) fail(kDriveNotReady, "no reader on the pipe " + host::shown_path(host));
      fail_from_errno(err, "open", host);
    }
    std::this_thread::sleep_for(kPipeRetryStep);
  }
}

std::string link_target(const std::string& host) {
  std::string path = host;
  for (int hops = 0; hops < kMostLinks; ++hops) {
    std::string target;
    if (host::read_link(path, target) != 0 || target.empty()) return path;
    path = target.front() == '/' ? target : host::parent_directory(path) + "/" + target;
  }
  fail_from_errno(ELOOP, "open", host);
}

}  // namespace verdan
