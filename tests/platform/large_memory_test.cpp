// Memory for the large buffers: the alignment the large pages need, and
// containers that keep what they hold when they grow past them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/host/large_memory.h"

namespace verdan {
namespace {

TEST(LargeMemory, SmallPiecesArePageAlignedAndLargeOnesLargePageAligned) {
  struct Case {
    std::size_t size, alignment;
  };
  for (const Case k : {Case{1, LargeMemory::kPage}, Case{LargeMemory::kLargePage / 4 - 1, LargeMemory::kPage},
                       Case{LargeMemory::kLargePage / 4, LargeMemory::kLargePage},
                       Case{LargeMemory::kLargePage + 1, LargeMemory::kLargePage}}) {
    auto* p = static_cast<unsigned char*>(LargeMemory::allocate(k.size));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % k.alignment, 0u) << k.size;
    // Every byte asked for is there to be written.
    p[0] = 1;
    p[k.size - 1] = 2;
    EXPECT_EQ(p[k.size - 1], 2) << k.size;
    LargeMemory::release(p, k.size);
  }
}

TEST(LargeMemory, AVectorGrowingPastALargePageKeepsItsValues) {
  std::vector<float, LargeAllocator<float>> values;
  const std::size_t count = 3 * LargeMemory::kLargePage / sizeof(float) + 7;
  for (std::size_t i = 0; i < count; ++i) values.push_back(static_cast<float>(i));
  ASSERT_EQ(values.size(), count);
  bool kept = true;
  for (std::size_t i = 0; i < count; ++i) kept &= values[i] == static_cast<float>(i);
  EXPECT_TRUE(kept);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(values.data()) % LargeMemory::kLargePage, 0u);
}

}  // namespace
}  // namespace verdan
