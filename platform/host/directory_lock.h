// An advisory lock that this system's programs take on a directory while
// they read a file there and put a new one in its place, so that two of
// them do not both replace it from the same reading. Other programs (the
// analysis program) take no lock, so nothing may depend on it: a lock the
// host or its file system cannot give, or that another holder keeps past
// the wait, is simply not held.
#pragma once

#include <cstdint>
#include <string_view>

namespace verdan {

class DirectoryLock {
 public:
  // The longest a holder is waited for: its reading and replacement are
  // short, and it lets go before it shows an error screen.
  static constexpr int kWaitMs = 3000;

  // Takes the lock on the directory `dos_dir` ("." the current one),
  // waiting at most `wait_ms`. Never fails.
  explicit DirectoryLock(std::string_view dos_dir, int wait_ms = kWaitMs);
  ~DirectoryLock();
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

  bool held() const { return handle_ != kNone; }

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;  // the host's descriptor or handle
};

}  // namespace verdan
