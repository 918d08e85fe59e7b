// The members handed from the reading thread in batches: all of them in
// order, a failure after the members before it, and a reader that is never
// waited on in vain when the caller stops taking batches.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tools/vdn-plot/member_pipeline.h"

namespace verdan::plot_tool {
namespace {

constexpr int kMembers = 10 * static_cast<int>(MemberPipeline::kBatch) + 123;

// Members 1, 2, ... up to `count`, then `failure` if one is given.
void count_up(MemberSink& sink, int count, const char* failure = nullptr) {
  for (int m = 1; m <= count; ++m) sink.add({m, m + 1, 1 + m % 4});
  if (failure) throw std::runtime_error(failure);
}

TEST(MemberPipeline, EveryMemberInOrderAndAFailureAfterTheMembersBeforeIt) {
  for (const char* failure : {static_cast<const char*>(nullptr), "damaged"}) {
    MemberPipeline pipeline([failure](MemberSink& sink) { count_up(sink, kMembers, failure); });
    std::vector<Member> batch;
    int taken = 0;
    bool in_order = true;
    try {
      while (pipeline.next(batch)) {
        EXPECT_LE(batch.size(), MemberPipeline::kBatch);
        for (const Member& m : batch) in_order = in_order && m.end_a == ++taken && m.end_b == taken + 1;
      }
      EXPECT_EQ(failure, nullptr);
    } catch (const ReaderFailure& thrown) {
      ASSERT_NE(failure, nullptr);
      EXPECT_THROW(std::rethrow_exception(thrown.cause), std::runtime_error);
    }
    EXPECT_TRUE(in_order);
    EXPECT_EQ(taken, kMembers);
  }
}

// The caller fails after the first batch while the reader waits for room:
// finish() lets the reader run to its end and gives its failure; dropping
// the pipeline unwinds a reader that would never end.
TEST(MemberPipeline, ACallerThatStopsTakingNeitherHangsNorLosesTheReadersFailure) {
  {
    std::atomic<int> added{0};
    MemberPipeline pipeline([&added](MemberSink& sink) {
      for (int m = 1; m <= kMembers; ++m, ++added) sink.add({m, m + 1, 1});
      throw std::runtime_error("damaged");
    });
    std::vector<Member> batch;
    ASSERT_TRUE(pipeline.next(batch));
    EXPECT_TRUE(pipeline.finish() != nullptr);
    EXPECT_EQ(added, kMembers);
  }
  std::atomic<bool> unwound{false};
  {
    MemberPipeline pipeline([&unwound](MemberSink& sink) {
      struct Unwinding {
        std::atomic<bool>& flag;
        ~Unwinding() { flag = true; }
      } guard{unwound};
      for (int m = 1;; m = m % 1000 + 1) sink.add({m, m + 1, 1});
    });
    std::vector<Member> batch;
    ASSERT_TRUE(pipeline.next(batch));
    // Time to fill every waiting batch and wait for room.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(unwound);
}

}  // namespace
}  // namespace verdan::plot_tool
