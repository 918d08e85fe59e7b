// flock on the directory itself, opened for reading: nothing is left in the
// user's directory, the lock goes with the process, and the file replaced
// under it may be renamed over at will. File systems whose flock cannot
// lock a descriptor open for reading (NFS gives EBADF or ENOLCK) give none.
#include "platform/host/directory_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "platform/failure.h"
#include "platform/host/dos_path.h"
#include "platform/host/file_calls.h"

namespace verdan {
namespace {

constexpr auto kPoll = std::chrono::milliseconds(10);

}  // namespace

DirectoryLock::DirectoryLock(std::string_view dos_dir, int wait_ms) {
  std::string dir;
  try {
    dir = host_path(dos_dir);
  } catch (const Failure&) {
    return;  // the failure shows when the directory's files are reached
  }
  const int fd = host::open_file(dir, O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      handle_ = fd;
      return;
    }
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(kPoll);
  }
  host::close_file(fd);
}

DirectoryLock::~DirectoryLock() {
  // Closing the only descriptor lets go of the lock.
  if (held()) host::close_file(static_cast<int>(handle_));
}

}  // namespace verdan
