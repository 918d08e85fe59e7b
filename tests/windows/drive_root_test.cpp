// Names at a drive root and drive-relative names as Windows has them, and
// paths in failure details in the form a Windows user reads.
#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/failure.h"
#include "platform/host/directory_listing.h"
#include "platform/host/file_calls.h"
#include "platform/host/files.h"
#include "platform/host/host_error.h"
#include "tests/windows/windows_fixture.h"

namespace verdan {
namespace {

using WindowsDrives = test::WindowsHost;

// The C runtime finds no directory "C:": the parent of a name at a root is
// the root, that of a drive-relative name the drive's current directory.
TEST(WindowsDriveRoots, ParentsOfNamesAtRootsAndOnDrives) {
  EXPECT_EQ(host::parent_directory("C:/PRT.TXT"), "C:/");
  EXPECT_EQ(host::parent_directory("C:/DATA/"), "C:/");
  EXPECT_EQ(host::parent_directory("C:/DATA/INDEX"), "C:/DATA");
  EXPECT_EQ(host::parent_directory("C:FRAME"), "C:.");
  EXPECT_EQ(host::parent_directory("/PRT.TXT"), "/");
  EXPECT_EQ(host::parent_directory("SUB/A"), "SUB");
  EXPECT_EQ(host::parent_directory("A"), ".");
  // A missing file at the root is missing in a directory that is there.
  EXPECT_EQ(failure_code(ENOENT, HostSubject::file, "C:/VERDAN-NO-SUCH-FILE.DAT"), kFileNotFound);
  EXPECT_EQ(failure_code(ENOENT, HostSubject::file, "C:VERDAN-NO-SUCH-FILE.DAT"), kFileNotFound);
}

TEST_F(WindowsDrives, DriveRelativeDirectoryIsListedWhereTheDriveStands) {
  write(dir_ / "FRAME", "1234");
  ASSERT_EQ(dir_.root_name().string(), "C:");  // the temporary directory
  auto files = list_files("C:");
  ASSERT_TRUE(files);
  ASSERT_EQ(files->size(), 1u);
  EXPECT_EQ((*files)[0].name, "FRAME");
  EXPECT_EQ((*files)[0].size, 4);
}

// Started on another drive, the default data directory "C:" is drive C's
// current directory: a replaced file's temporary goes there too, or the
// rename would cross drives.
TEST_F(WindowsDrives, ReplacingADriveRelativeNameFromAnotherDrive) {
  ASSERT_TRUE(SetEnvironmentVariableW(L"=C:", dir_.wstring().c_str()));
  if (!SetCurrentDirectoryW(L"Z:\\")) GTEST_SKIP() << "no drive Z: (wine's root) to start from";
  TextFile file = TextFile::open_replacing("C:ENV.INI");
  file.write("new\r\n");
  int temporaries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
    temporaries += entry.path().filename().string().starts_with(".~");
  }
  EXPECT_EQ(temporaries, 1);
  file.commit();
  SetCurrentDirectoryW(dir_.wstring().c_str());
  SetEnvironmentVariableW(L"=C:", nullptr);
  EXPECT_EQ(read(dir_ / "ENV.INI"), "new\r\n");
}

TEST_F(WindowsDrives, FailureDetailsShowWindowsPaths) {
  for (const char* name : {"C:\\VERDAN-NOPE\\PRT.TXT", "C:/VERDAN-NOPE/PRT.TXT"}) {
    try {
      File::open_input(name);
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.code(), kPathNotFound);
      EXPECT_NE(std::string(failure.what()).find("C:\\VERDAN-NOPE\\PRT.TXT"), std::string::npos) << failure.what();
    }
  }
}

}  // namespace
}  // namespace verdan
