// A large output written on a thread of its own: the caller fills one block
// while the thread hands the other to the file, so the host's copying and
// the start of the writeback leave the caller's time. Small outputs never
// start the thread. A failure of the thread reaches the caller at its next
// full block or at finish(), and every one after it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "platform/host/past_cache.h"
#include "platform/padded_sink.h"

namespace verdan {

// The block being filled is the padded sink's buffer.
class WriteBehind final : public PaddedSink {
 public:
  static constexpr std::size_t kBlock = std::size_t{1} << 20;
  // For a file written past the host's cache, where each block is one
  // transfer that the thread waits for: in blocks of 4 MiB the disk keeps
  // up with the quickest plot device (SVG took 0.92 of the time it took in
  // blocks of 2 MiB, ESC/Page 0.95).
  static constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

  // Writes to `out` in blocks of `block` bytes, a multiple of 4 KiB; `out`
  // must outlive this and is not to be used otherwise until finish() has
  // returned.
  explicit WriteBehind(TextSink& out, std::size_t block = kBlock);
  // Writes what is left, quietly, and stops the thread.
  ~WriteBehind() override;
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  void write(std::string_view bytes) override;
  // Where `out` has the host copy the spool, what was written before goes
  // first and `out` takes the spool itself, on the caller's thread; else
  // the spool is read here while the thread writes it.
  void write_spool(SpoolFile& spool) override;
  // Asked of `out` once the thread has written what it was given.
  std::int64_t rewritable_size() override;
  void rewrite(std::int64_t offset, std::int64_t length, std::string_view bytes) override;

  // Everything written so far is in `out`; the thread's failure, if any,
  // is thrown here.
  void finish();

 private:
  // Waits until the thread has written what it was given; throws its
  // failure.
  void wait_idle(std::unique_lock<std::mutex>& lock);
  // Gives the filled block to the thread and takes the other to fill.
  void hand_over();
  void run();

  TextSink& out_;
  const std::size_t block_;
  // Both blocks in one piece of memory, on a page's boundary: a file may
  // take them past the host's cache, and the host may give them one large
  // page.
  PastCache::Block blocks_;
  char* given_;  // the thread's, while `busy_`
  std::size_t given_size_ = 0;

  std::mutex mutex_;
  std::condition_variable changed_;
  bool busy_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;  // started at the first full block
};

}  // namespace verdan
