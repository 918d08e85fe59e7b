#include "platform/host/host_error.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/failure.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

TEST(HostErrorTable, MapsEachKnownCauseToItsCode) {
  test::TempDir dir;
  const std::string path = dir / "NAME";  // its directory exists
  struct Case {
    int err;
    int code;
  };
  const Case cases[] = {
      {ENOTDIR, 55}, {EXDEV, 55},        {EROFS, 73},  {EACCES, 75},  {EPERM, 75},
      {ENOSPC, 61},  {EDQUOT, 61},       {EEXIST, 58}, {EMFILE, 67},  {ENFILE, 67},
      {EIO, 57},     {ENXIO, 72},        {ENODEV, 72}, {ENOMEDIUM, 72}, {ENAMETOOLONG, 64},
      {EISDIR, 75},  {ENOTEMPTY, 75},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(failure_code(c.err, HostSubject::file, path), c.code) << "errno " << c.err;
    EXPECT_EQ(failure_code(c.err, HostSubject::directory, path), c.code) << "errno " << c.err;
  }
}

TEST(HostErrorTable, UnknownErrorsAreDeviceErrors) {
  EXPECT_EQ(failure_code(EPROTO, HostSubject::file, "x"), 57);
  EXPECT_EQ(failure_code(99999, HostSubject::file, "x"), 57);
}

TEST(HostErrorTable, MissingNameDependsOnWhetherItsDirectoryExists) {
  test::TempDir dir;
  EXPECT_EQ(failure_code(ENOENT, HostSubject::file, dir / "FILE"), 63);
  EXPECT_EQ(failure_code(ENOENT, HostSubject::file, dir / "NODIR/FILE"), 55);
  // A plain name lies in the current directory, which exists.
  EXPECT_EQ(failure_code(ENOENT, HostSubject::file, "FILE"), 63);
  // A file where a directory should be is no directory either.
  test::write_bytes(dir / "PLAIN", "x");
  EXPECT_EQ(failure_code(ENOENT, HostSubject::file, dir / "PLAIN/FILE"), 55);
  // A directory that is not there is a path not found even in an existing parent.
  EXPECT_EQ(failure_code(ENOENT, HostSubject::directory, dir / "SUB"), 55);
}

TEST(HostErrorTable, AnyFailureToStartAProgramIsProgramNotFound) {
  for (int err : {ENOENT, ENOEXEC, EACCES, E2BIG}) {
    EXPECT_EQ(failure_code(err, HostSubject::program, "/bin/x"), 53) << "errno " << err;
  }
}

TEST(HostErrorTable, FailureCarriesCodeAndNamesThePath) {
  try {
    fail_from_errno(EROFS, "open", "/media/floppy/DATA");
    FAIL() << "no failure thrown";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.code(), 73);
    EXPECT_NE(std::string(failure.what()).find("/media/floppy/DATA"), std::string::npos);
  }
}

}  // namespace
}  // namespace verdan
