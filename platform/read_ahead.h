// A file read once from start to end, the next block read on a thread of
// its own while the caller works through the last: a transfer past the
// host's cache has no read-ahead of the host's, and the caller would wait
// for each. A file of one block never starts the thread. A failure of the
// thread reaches the caller at the next block, and every one after it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string_view>
#include <thread>

#include "platform/host/files.h"
#include "platform/host/past_cache.h"

namespace verdan {

class ReadAhead {
 public:
  // Before each block, room for bytes the caller keeps from the last one:
  // a block and its lead fill a megabyte, whole blocks at whole offsets.
  static constexpr std::size_t kLead = 64 * 1024;
  static constexpr std::size_t kBlock = (std::size_t{1} << 20) - kLead;

  // Reads `file` from its start to its length now.
  explicit ReadAhead(File file);
  // Stops the thread, its read finished first.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The next bytes of the file, up to kBlock, after a copy of `kept` (at
  // most kLead bytes, which may lie in the view last returned); just
  // `kept` at the end. The view holds until the next call.
  std::string_view next(std::string_view kept);
  // Whether every byte has been handed out.
  bool done() const { return handed_ >= length_; }

 private:
  // Reads the block at `offset` into `block`'s place after its lead.
  std::size_t read_block(char* block, std::int64_t offset);
  void run();

  File file_;
  const std::int64_t length_;
  std::int64_t handed_ = 0;  // bytes of the file handed out
  // Both blocks, each with its lead, in one piece on a page's boundary.
  PastCache::Block blocks_;
  char* held_;   // the caller's
  char* given_;  // the thread's, while `busy_`
  std::size_t given_size_ = 0;

  std::mutex mutex_;
  std::condition_variable changed_;
  bool busy_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;  // started at the second block
};

}  // namespace verdan
