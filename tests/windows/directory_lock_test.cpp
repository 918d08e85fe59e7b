// The lock among this system's programs: a hidden file held unshared and
// deleted when let go.
#include "platform/host/directory_lock.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/windows/windows_fixture.h"

namespace verdan {
namespace {

using WindowsDirectoryLock = test::WindowsHost;

TEST_F(WindowsDirectoryLock, ASecondTakerGoesOnWithoutItAndNothingStays) {
  std::filesystem::create_directory(dir_ / "DATA");
  {
    DirectoryLock first("DATA\\");
    ASSERT_TRUE(first.held());
    EXPECT_FALSE(DirectoryLock("DATA\\", 50).held());
    EXPECT_TRUE(DirectoryLock(".", 0).held());  // another directory, another lock
  }
  EXPECT_TRUE(DirectoryLock("DATA\\", 0).held());
  EXPECT_TRUE(std::filesystem::is_empty(dir_ / "DATA"));
  EXPECT_FALSE(DirectoryLock("MISSING\\", 0).held());
}

}  // namespace
}  // namespace verdan
