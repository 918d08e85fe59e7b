// The programs' own files reached by any spelling of a print file's name.
#include "shared/own_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

class OwnFiles : public ::testing::Test {
 protected:
  OwnFiles() {
    fs::create_directories(dir_ / "app/verdan");
    fs::create_directories(dir_ / "DATA");
    fs::create_directories(dir_ / "OUT");
    for (const char* name : {"app/verdan/VERDAN.INI", "DATA/INDEX", "DATA/FRAME", "VDN-USER.DAT", "OUT/PRT.TXT"}) {
      test::write_bytes(dir_ / name, "x\r\n");
    }
  }
  std::string reached(const std::string& name) const { return own_file_reached(name, places_); }

  test::TempDir dir_;
  test::ScopedCwd cwd_{dir_.path()};
  const std::string user_dir_ = dir_ / "app/verdan/";
  OwnFilePlaces places_{user_dir_, user_dir_, "DATA\\"};
};

TEST_F(OwnFiles, EverySpellingThatReachesOneIsFound) {
  EXPECT_EQ(reached(dir_ / "app/verdan/VERDAN.INI"), user_dir_ + "VERDAN.INI");
  // ASCII case, "." and "..", a drive-relative name.
  EXPECT_EQ(reached(dir_ / "app/VERDAN/verdan.ini"), user_dir_ + "VERDAN.INI");
  EXPECT_EQ(reached("data\\index"), "DATA\\INDEX");
  EXPECT_EQ(reached("OUT\\..\\.\\DATA\\Frame"), "DATA\\FRAME");
  EXPECT_EQ(reached("C:vdn-user.dat"), "VDN-USER.DAT");
  // A link to one.
  fs::create_symlink(dir_ / "DATA/INDEX", dir_ / "OUT/LIST.TXT");
  EXPECT_EQ(reached("OUT\\LIST.TXT"), "DATA\\INDEX");
  // Names the programs would make or take as theirs, though absent now: the
  // settings in the start directory under either name, a data file.
  EXPECT_EQ(reached("VERDAN.DAT"), "VERDAN.DAT");
  EXPECT_EQ(reached("OUT\\..\\VERDAN.INI"), "VERDAN.INI");
  EXPECT_EQ(reached("DATA\\CROSS"), "DATA\\CROSS");
}

TEST_F(OwnFiles, OtherFilesAreNoneOfThemAndOnlyTheOwnAreRefused) {
  for (const char* name : {"OUT\\PRT.TXT", "PRT.TXT", "DATA\\INDEX.NOW", "DATA\\FRAME2", "OUT\\INDEX", "FRAME", ""}) {
    EXPECT_EQ(reached(name), "") << name;
  }
  EXPECT_EQ(test::failure_code_of([&] { refuse_own_file("OUT\\PRT.TXT", places_); }), -1);
  EXPECT_EQ(test::failure_code_of([&] { refuse_own_file("data\\frame", places_); }), kAccessDenied);
  try {
    refuse_own_file("data\\frame", places_);
  } catch (const Failure& failure) {
    EXPECT_STREQ(failure.what(), "'data\\frame' is the programs' own file 'DATA\\FRAME'");
  }
}

}  // namespace
}  // namespace verdan
