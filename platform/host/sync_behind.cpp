#include "platform/host/sync_behind.h"

#include <cerrno>
#include <system_error>

#include "platform/host/file_calls.h"

namespace verdan {

void SyncBehind::written(std::int64_t bytes) {
  if (bytes - asked_ < kStep) return;
  asked_ = bytes;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_) return;
    wanted_ = bytes;
    if (!thread_.joinable()) {
      try {
        thread_ = std::thread([this] { run(); });
      } catch (const std::system_error&) {
        // No thread to spare: the sync at the end does it all, as before.
        stopping_ = true;
        return;
      }
    }
  }
  changed_.notify_one();
}

int SyncBehind::stop() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  if (thread_.joinable()) thread_.join();
  return error_;
}

void SyncBehind::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || wanted_ > synced_; });
    if (stopping_) return;
    const std::int64_t covered = wanted_;
    lock.unlock();
    const int result = host::sync_file(fd_);
    const int err = errno;
    lock.lock();
    if (result != 0 && error_ == 0) error_ = err;
    synced_ = covered;
  }
}

}  // namespace verdan
