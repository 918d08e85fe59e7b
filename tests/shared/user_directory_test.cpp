// The start and per-user directories and the repair that makes the latter,
// in the awkward places a user can start from.
#include "shared/user_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "shared/console_routines.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

class UserDirectory : public ::testing::Test {
 protected:
  UserDirectory() { fs::create_directories(dir_ / "app"); }

  test::TempDir dir_;
  test::ScopedCwd cwd_{dir_.path()};
  test::ScopedEnv appdata_{"APPDATA", dir_ / "app"};
  test::ScopedEnv os_{"OS", std::string("Linux")};
};

TEST_F(UserDirectory, RemovedCurrentDirectoryHasNoNameAndIsReachedRelatively) {
  fs::create_directories(dir_ / "gone");
  test::ScopedCwd inside(dir_ / "gone");
  fs::remove(dir_ / "gone");
  EXPECT_EQ(GETCWD(), "");
  EXPECT_EQ(start_directory(), ".\\");
}

TEST_F(UserDirectory, StartDirectoryTooLongForADosNameIsReachedRelatively) {
  std::string deep = dir_.path();
  while (deep.size() - dir_.path().size() < 260) deep += "/" + std::string(50, 'n');
  fs::create_directories(deep);
  test::ScopedCwd inside(deep);
  EXPECT_EQ(start_directory(), ".\\");
  EXPECT_EQ(GETCWD(), "");
  // The repair makes the directory and the program stays where it started.
  EXPECT_TRUE(make_user_directory());
  EXPECT_TRUE(fs::is_directory(dir_ / "app/verdan"));
  EXPECT_EQ(fs::current_path().string(), deep);
}

TEST_F(UserDirectory, RepairMakesTheDirectoryTheProgramsUse) {
  fs::create_directories(dir_ / "win");
  test::ScopedEnv windir("windir", dir_ / "win");
  {
    test::ScopedEnv empty_os("OS", std::string());
    EXPECT_EQ(user_directory(), dir_ / "win" + "\\verdan\\");
    EXPECT_TRUE(make_user_directory());
    EXPECT_TRUE(fs::is_directory(dir_ / "win/verdan"));
    EXPECT_FALSE(fs::exists(dir_ / "app/verdan"));
  }
  EXPECT_TRUE(make_user_directory());
  EXPECT_TRUE(fs::is_directory(dir_ / "app/verdan"));
  EXPECT_EQ(fs::current_path().string(), dir_.path());
}

}  // namespace
}  // namespace verdan
