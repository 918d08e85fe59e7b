// Files through the Windows calls: replacement over an existing file, the
// failure codes of host errors, the listing and the programs' search.
#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <filesystem>

#include "platform/host/directory_listing.h"
#include "platform/failure.h"
#include "platform/host/files.h"
#include "platform/host/windows/wide.h"
#include "platform/host/host_error.h"
#include "platform/host/program_start.h"
#include "tests/windows/windows_fixture.h"

namespace verdan {
namespace {

using WindowsFiles = test::WindowsHost;

int failure_of(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const Failure& failure) {
    return failure.code();
  }
  return 0;
}

// The plain rename of the C runtime refuses an existing target.
TEST_F(WindowsFiles, ReplacingWritesOverTheOldFileAndLeavesNoTemporary) {
  write(dir_ / "ENV.INI", "old\r\n");
  TextFile file = TextFile::open_replacing("ENV.INI");
  file.write("new\r\n");
  file.commit();
  EXPECT_EQ(read(dir_ / "ENV.INI"), "new\r\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(WindowsFiles, TextIsWrittenByteForByte) {
  TextFile file = TextFile::open_output("OUT.TXT");
  file.write("A\r\nB\n\x1A");
  file.close();
  EXPECT_EQ(read(dir_ / "OUT.TXT"), "A\r\nB\n\x1A");
}

TEST_F(WindowsFiles, MissingNamesFailWithTheDosCodes) {
  EXPECT_EQ(failure_of([] { File::open_input("NONE.DAT"); }), kFileNotFound);
  EXPECT_EQ(failure_of([] { File::open_input("NODIR\\NONE.DAT"); }), kPathNotFound);
  EXPECT_EQ(failure_of([] { change_directory("NODIR"); }), kPathNotFound);
  write(dir_ / "TAKEN", "");
  EXPECT_EQ(failure_of([] { rename_file("TAKEN", "TAKEN"); }), kFileAlreadyExists);
}

TEST(WindowsHostErrors, MapToTheSameCodesAsOnPosix) {
  auto code = [](unsigned long error) { return failure_code(host::errno_of(error), HostSubject::file, "C:/x"); };
  EXPECT_EQ(code(ERROR_SHARING_VIOLATION), kAccessDenied);
  EXPECT_EQ(code(ERROR_ACCESS_DENIED), kAccessDenied);
  EXPECT_EQ(code(ERROR_WRITE_PROTECT), kWriteProtected);
  EXPECT_EQ(code(ERROR_NOT_READY), kDriveNotReady);
  EXPECT_EQ(code(ERROR_DISK_FULL), kDiskFull);
  EXPECT_EQ(code(ERROR_FILE_EXISTS), kFileAlreadyExists);
  EXPECT_EQ(code(ERROR_TOO_MANY_OPEN_FILES), kTooManyFiles);
  EXPECT_EQ(failure_code(host::errno_of(ERROR_PATH_NOT_FOUND), HostSubject::directory, "C:/x"), kPathNotFound);
}

TEST_F(WindowsFiles, ListingHoldsTheFilesInNameOrder) {
  write(dir_ / "B.DAT", "12345");
  write(dir_ / "A.DAT", "");
  std::filesystem::create_directory(dir_ / "SUB");
  auto files = list_files(".");
  ASSERT_TRUE(files.has_value());
  ASSERT_EQ(files->size(), 2u);
  EXPECT_EQ((*files)[0].name, "A.DAT");
  EXPECT_EQ((*files)[1].name, "B.DAT");
  EXPECT_EQ((*files)[1].size, 5);
}

TEST_F(WindowsFiles, BareProgramNamesTakeTheExeAndTheCurrentDirectory) {
  write(dir_ / "TOOL.EXE", "");
  EXPECT_EQ(find_program("TOOL"), "./TOOL.EXE");
  EXPECT_EQ(find_program("tool.exe"), "./tool.exe");
  EXPECT_EQ(find_program("NOSUCH"), "");
}

}  // namespace
}  // namespace verdan
