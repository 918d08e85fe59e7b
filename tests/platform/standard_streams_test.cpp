// Standard input and output taken as files ("-" on a command line): read
// and written through descriptors of their own, which leave the streams
// open, and known as the named file they are redirected from or to.
#include "platform/host/standard_streams.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/failure.h"
#include "platform/host/files.h"
#include "platform/host/line_reader.h"
#include "platform/host/same_file.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

// `path` as the child's stream `stream`; false when it cannot be.
bool redirect(int stream, const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags);
  return fd >= 0 && ::dup2(fd, stream) == stream && ::close(fd) == 0;
}

TEST(StandardStreams, LinesComeFromStandardInputWhichStaysOpen) {
  test::TempDir dir;
  test::write_bytes(dir / "IN", "first\r\nsecond\n");
  const int status = test::run_in_child([&] {
    if (!redirect(host::kStandardInput, dir / "IN", O_RDONLY)) return 100;
    {
      LineReader reader = LineReader::standard_input(10);
      std::string line;
      if (reader.next(line) != LineReader::Result::line || line != "first") return 101;
      if (reader.next(line) != LineReader::Result::line || line != "second") return 102;
      if (reader.next(line) != LineReader::Result::end) return 103;
    }
    // At its end, not closed.
    char byte = 0;
    return ::read(host::kStandardInput, &byte, 1) == 0 ? 0 : 104;
  });
  EXPECT_EQ(status, 0);
}

TEST(StandardStreams, TheTextFileOnStandardOutputEmptiesNothingAndLeavesItOpen) {
  test::TempDir dir;
  test::write_bytes(dir / "OUT", "old ");
  const int status = test::run_in_child([&] {
    if (!redirect(host::kStandardOutput, dir / "OUT", O_WRONLY)) return 100;
    if (::lseek(host::kStandardOutput, 0, SEEK_END) != 4) return 101;
    TextFile out = TextFile::open_standard_output();
    out.write("plot");
    out.close();
    return ::write(host::kStandardOutput, "!", 1) == 1 ? 0 : 102;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(test::read_bytes(dir / "OUT"), "old plot!");
}

TEST(StandardStreams, AFullStandardOutputIsCode61) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full is not writable here";
  const int status = test::run_in_child([&] {
    if (!redirect(host::kStandardOutput, "/dev/full", O_WRONLY)) return 100;
    TextFile out = TextFile::open_standard_output();
    out.write("plot");
    out.close();
    return 0;
  });
  EXPECT_EQ(status, kDiskFull);
}

TEST(StandardStreams, ARedirectedStreamIsTheFileItComesFromByAnyName) {
  test::TempDir dir;
  test::write_bytes(dir / "DATA", "data");
  test::write_bytes(dir / "OTHER", "data");
  std::filesystem::create_hard_link(dir / "DATA", dir / "LINKED");
  const int status = test::run_in_child([&] {
    if (!redirect(host::kStandardInput, dir / "DATA", O_RDONLY)) return 100;
    if (!same_file_as_stream(host::kStandardInput, dir / "DATA")) return 101;
    if (!same_file_as_stream(host::kStandardInput, dir / "LINKED")) return 102;
    if (same_file_as_stream(host::kStandardInput, dir / "OTHER")) return 103;
    if (same_file_as_stream(host::kStandardInput, dir / "NONE")) return 104;
    return same_file_as_stream(host::kStandardOutput, dir / "DATA") ? 105 : 0;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace verdan
