#include "platform/host/directory_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

class DirectoryLockTest : public ::testing::Test {
 protected:
  DirectoryLockTest() { fs::create_directory(dir_ / "DATA"); }

  test::TempDir dir_;
  test::ScopedCwd cwd_{dir_.path()};
};

TEST_F(DirectoryLockTest, ASecondTakerWaitsItsTimeAndGoesOnWithoutIt) {
  {
    DirectoryLock first("DATA\\");
    ASSERT_TRUE(first.held());
    const auto start = std::chrono::steady_clock::now();
    DirectoryLock second("DATA\\", 100);
    EXPECT_FALSE(second.held());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    // Another directory is another lock.
    EXPECT_TRUE(DirectoryLock(".").held());
  }
  EXPECT_TRUE(DirectoryLock("DATA\\", 0).held());
  // Nothing is left in the user's directory.
  EXPECT_TRUE(fs::is_empty(dir_ / "DATA"));
}

TEST_F(DirectoryLockTest, ALockThatCannotBeHadIsNoFailure) {
  EXPECT_FALSE(DirectoryLock("MISSING\\", 0).held());
  EXPECT_FALSE(DirectoryLock("\x83/AB", 0).held());
  EXPECT_FALSE(DirectoryLock("", 0).held());
}

// The lock goes with its holder, however the holder ends.
TEST_F(DirectoryLockTest, AKilledHolderLeavesTheLockFree) {
  const int status = test::run_in_child([] {
    DirectoryLock held("DATA\\");
    ::raise(SIGKILL);
    return 0;
  });
  EXPECT_NE(status, 0);
  EXPECT_TRUE(DirectoryLock("DATA\\", 0).held());
}

}  // namespace
}  // namespace verdan
