#include "platform/read_ahead.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/failure.h"

namespace verdan {

ReadAhead::ReadAhead(File file)
    : file_(std::move(file)),
      length_(file_.length()),
      blocks_(PastCache::make_block(2 * (kLead + kBlock))),
      held_(blocks_.get()),
      given_(held_ + kLead + kBlock) {}

ReadAhead::~ReadAhead() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

std::size_t ReadAhead::read_block(char* block, std::int64_t offset) {
  const auto size = static_cast<std::size_t>(std::min<std::int64_t>(kBlock, length_ - offset));
  file_.read_into(block + kLead, size);
  return size;
}

std::string_view ReadAhead::next(std::string_view kept) {
  if (kept.size() > kLead) fail(kIllegalFunctionCall, "more kept than a block's lead");
  if (done()) return kept;
  std::size_t size = 0;
  if (thread_.joinable()) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    if (failure_) std::rethrow_exception(failure_);
    size = given_size_;
  } else {
    // The first block: a file of one never needs the thread.
    size = read_block(given_, handed_);
  }
  char* const start = given_ + kLead - kept.size();
  if (!kept.empty()) std::memcpy(start, kept.data(), kept.size());
  std::swap(held_, given_);
  handed_ += static_cast<std::int64_t>(size);
  if (!done()) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      busy_ = true;
    }
    if (!thread_.joinable()) {
      thread_ = std::thread([this] { run(); });
    } else {
      changed_.notify_all();
    }
  }
  return {start, kept.size() + size};
}

void ReadAhead::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (stopping_) return;
    // The caller waits for the block before it touches `given_` or moves on.
    char* const block = given_;
    const std::int64_t offset = handed_;
    lock.unlock();
    std::exception_ptr failure;
    std::size_t size = 0;
    try {
      size = read_block(block, offset);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    if (failure) failure_ = failure;
    given_size_ = size;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace verdan
