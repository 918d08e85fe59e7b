// DOS-form names are native here: only the text changes, CP932 to UTF-8.
#include "platform/host/dos_path.h"

#include <gtest/gtest.h>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "tests/windows/windows_fixture.h"

namespace verdan {
namespace {

TEST(WindowsHostPath, DriveLettersAndSeparatorsAreTheHosts) {
  EXPECT_EQ(host_path("C:\\WORK\\FRAME"), "C:/WORK/FRAME");
  EXPECT_EQ(host_path("D:FRAME"), "D:FRAME");
  EXPECT_EQ(host_path("\\DATA\\A.DAT"), "/DATA/A.DAT");
  EXPECT_EQ(host_path("SUB\\A.DAT  "), "SUB/A.DAT");
}

// 0x5C is the trail byte of some CP932 characters; it separates nothing.
TEST(WindowsHostPath, TrailByteBackslashStaysInItsCharacter) {
  EXPECT_EQ(host_path(to_cp932("C:\\表\\ソ.DAT")), "C:/表/ソ.DAT");
}

TEST(WindowsHostPath, EmptyOrNulNamesAreBadFileNames) {
  for (std::string_view bad : {std::string_view(""), std::string_view("  "), std::string_view("A\0B", 3)}) {
    try {
      host_path(bad);
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.code(), kBadFileName);
    }
  }
}

// Replaced by U+FFFD, "\x83/AB" and "\x82/AB" would be one name.
TEST(WindowsHostPath, BytesOfNoCharacterAreBadFileNames) {
  for (std::string_view bad : {"\x83/AB", "AB\x83", "A\x85\x40", "\x80X", "C:\\DATA\\\xFD"}) {
    try {
      host_path(bad);
      ADD_FAILURE() << "mapped";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.code(), kBadFileName);
    }
  }
}

using WindowsCurrentDirectory = test::WindowsHost;

TEST_F(WindowsCurrentDirectory, IsTheHostsInDosForm) {
  const std::string dos = dos_current_directory();
  ASSERT_GE(dos.size(), 3u);
  EXPECT_EQ(dos[1], ':');
  EXPECT_EQ(dos.substr(dos.rfind('\\') + 1), dir_.filename().string());
}

}  // namespace
}  // namespace verdan
