// The members of a frame read on a thread of their own and handed over in
// batches while the caller plots those before them. A few batches at most
// wait, so memory does not grow with the frame.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "tools/vdn-plot/frame_reader.h"

namespace verdan::plot_tool {

// What the reading thread threw, carried to the caller.
struct ReaderFailure {
  std::exception_ptr cause;
};

class MemberPipeline {
 public:
  static constexpr std::size_t kBatch = 4096;  // members
  static constexpr std::size_t kWaiting = 16;  // full batches

  // Starts a thread that runs `read`, which hands every member to the sink
  // it is given.
  explicit MemberPipeline(std::function<void(MemberSink&)> read);
  // Stops the reading thread if it still runs, and waits for it.
  ~MemberPipeline();
  MemberPipeline(const MemberPipeline&) = delete;
  MemberPipeline& operator=(const MemberPipeline&) = delete;

  // The next batch in file order into `batch`, whose storage is used again;
  // false once every member has been handed over and `read` has returned.
  // What `read` threw is thrown as a ReaderFailure after the members before
  // it have been handed over.
  bool next(std::vector<Member>& batch);
  // Lets `read` run to its end, its members dropped; what it threw, or null.
  std::exception_ptr finish();

 private:
  class Feed;
  struct Stopped {};

  void run(const std::function<void(MemberSink&)>& read);
  // Called by the reading thread with a full batch; gives it an empty one.
  void hand_over(std::vector<Member>& batch);

  std::mutex mutex_;
  std::condition_variable filled_;   // a batch waits or the reading ended
  std::condition_variable emptied_;  // room for a batch, or stop or drop
  std::deque<std::vector<Member>> full_;
  std::vector<std::vector<Member>> spare_;  // storage handed back
  bool done_ = false;
  bool dropping_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;  // last: started when the rest is ready
};

}  // namespace verdan::plot_tool
