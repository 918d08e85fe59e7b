#include "tools/vdn-plot/member_pipeline.h"

#include <utility>

namespace verdan::plot_tool {

class MemberPipeline::Feed : public MemberSink {
 public:
  explicit Feed(MemberPipeline& pipeline) : pipeline_(pipeline) { batch_.reserve(kBatch); }
  void add(const Member& member) override {
    batch_.push_back(member);
    if (batch_.size() == kBatch) pipeline_.hand_over(batch_);
  }
  void flush() {
    if (!batch_.empty()) pipeline_.hand_over(batch_);
  }

 private:
  MemberPipeline& pipeline_;
  std::vector<Member> batch_;
};

MemberPipeline::MemberPipeline(std::function<void(MemberSink&)> read)
    : thread_([this, read = std::move(read)] { run(read); }) {}

MemberPipeline::~MemberPipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  emptied_.notify_all();
  thread_.join();
}

void MemberPipeline::run(const std::function<void(MemberSink&)>& read) {
  std::exception_ptr failure;
  try {
    Feed feed(*this);
    try {
      read(feed);
    } catch (const Stopped&) {
      throw;
    } catch (...) {
      failure = std::current_exception();
    }
    // The members before a failure go first, so that it comes where it
    // happened.
    feed.flush();
  } catch (const Stopped&) {
    // The caller is gone; nobody takes what was read.
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    failure_ = failure;
    done_ = true;
  }
  filled_.notify_all();
}

void MemberPipeline::hand_over(std::vector<Member>& batch) {
  std::unique_lock<std::mutex> lock(mutex_);
  // Once the caller has fallen behind, the reading waits until it has taken
  // half of what waits: one wake-up for several batches, not one for each.
  if (full_.size() >= kWaiting) {
    emptied_.wait(lock, [this] { return full_.size() <= kWaiting / 2 || stopping_ || dropping_; });
  }
  if (stopping_) throw Stopped{};
  if (dropping_) {
    batch.clear();
    return;
  }
  full_.push_back(std::move(batch));
  batch = {};
  if (!spare_.empty()) {
    batch = std::move(spare_.back());
    spare_.pop_back();
  }
  lock.unlock();
  filled_.notify_one();
  batch.reserve(kBatch);
}

bool MemberPipeline::next(std::vector<Member>& batch) {
  std::unique_lock<std::mutex> lock(mutex_);
  filled_.wait(lock, [this] { return !full_.empty() || done_; });
  if (full_.empty()) {
    if (failure_) throw ReaderFailure{failure_};
    return false;
  }
  if (batch.capacity() > 0) {
    batch.clear();
    spare_.push_back(std::move(batch));
  }
  batch = std::move(full_.front());
  full_.pop_front();
  lock.unlock();
  emptied_.notify_one();
  return true;
}

std::exception_ptr MemberPipeline::finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  dropping_ = true;
  full_.clear();
  emptied_.notify_all();
  filled_.wait(lock, [this] { return done_; });
  return failure_;
}

}  // namespace verdan::plot_tool
