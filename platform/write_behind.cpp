#include "platform/write_behind.h"

#include <cstring>
#include <utility>

#include "platform/host/spool_file.h"

namespace verdan {

WriteBehind::WriteBehind(TextSink& out, std::size_t block)
    : out_(out), block_(block), blocks_(PastCache::make_block(2 * block)), given_(blocks_.get() + block) {
  buffer_ = blocks_.get();
  room_ = block;
}

WriteBehind::~WriteBehind() {
  // What was written goes out, as a file's buffer does when it is dropped;
  // a failure here has nowhere to go.
  try {
    finish();
  } catch (...) {
  }
  if (!thread_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void WriteBehind::write(std::string_view bytes) {
  column_ += static_cast<int>(bytes.size());
  while (bytes.size() > block_ - used_) {
    const std::size_t part = block_ - used_;
    std::memcpy(buffer_ + used_, bytes.data(), part);
    used_ = block_;
    bytes.remove_prefix(part);
    hand_over();
  }
  std::memcpy(buffer_ + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void WriteBehind::write_spool(SpoolFile& spool) {
  if (!out_.copies_spool(spool)) {
    TextSink::write_spool(spool);
    return;
  }
  finish();
  out_.write_spool(spool);
  column_ += static_cast<int>(spool.size());
}

std::int64_t WriteBehind::rewritable_size() {
  finish();
  return out_.rewritable_size();
}

void WriteBehind::rewrite(std::int64_t offset, std::int64_t length, std::string_view bytes) {
  finish();
  out_.rewrite(offset, length, bytes);
}

void WriteBehind::wait_idle(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [this] { return !busy_; });
  if (failure_) std::rethrow_exception(failure_);
}

void WriteBehind::hand_over() {
  std::unique_lock<std::mutex> lock(mutex_);
  wait_idle(lock);
  std::swap(buffer_, given_);
  given_size_ = std::exchange(used_, 0);
  busy_ = true;
  lock.unlock();
  if (!thread_.joinable()) {
    thread_ = std::thread([this] { run(); });
  } else {
    changed_.notify_all();
  }
}

void WriteBehind::finish() {
  if (thread_.joinable()) {
    std::unique_lock<std::mutex> lock(mutex_);
    wait_idle(lock);
  }
  // The thread is idle: the last part goes from here.
  if (used_ > 0) out_.write(std::string_view(buffer_, std::exchange(used_, 0)));
}

void WriteBehind::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (stopping_) return;
    lock.unlock();
    std::exception_ptr failure;
    try {
      out_.write(std::string_view(given_, given_size_));
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    if (failure) failure_ = failure;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace verdan
