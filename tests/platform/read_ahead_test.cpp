// A file read a block ahead: every byte once and in order behind the bytes
// the caller keeps, read past the host's cache where asked and the file
// system takes it, and a failure of the reading thread that reaches the
// caller at every call after it.
#include "platform/read_ahead.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/failure.h"
#include "tests/platform/failure_code.h"
#include "tests/platform/host_fixtures.h"
#include "tests/platform/past_cache_probe.h"

namespace verdan {
namespace {

namespace fs = std::filesystem;

std::string bytes_of(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t v = 12345;
  for (char& c : bytes) {
    v = v * 1103515245u + 12345u;
    c = static_cast<char>(v >> 24);
  }
  return bytes;
}

// Whether the file read from `path` is open past the cache.
bool read_past_cache(const std::string& path) {
  return test::descriptor_past_cache([&](const fs::path& target) { return target == fs::path(path); });
}

bool takes_reads_past_cache(const std::string& dir) {
  const std::string probe = dir + "/.probe";
  test::write_bytes(probe, "x");
  const int fd = ::open(probe.c_str(), O_RDONLY | O_DIRECT);
  if (fd >= 0) ::close(fd);
  ::unlink(probe.c_str());
  return fd >= 0;
}

TEST(ReadAhead, EveryByteComesOnceInOrderBehindTheKeptBytes) {
  test::TempDir dir;
  const std::string path = dir.path() + "/DATA";
  constexpr std::size_t kBlock = ReadAhead::kBlock;
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, kBlock - 1, kBlock, kBlock + 1, 3 * kBlock + 4097}) {
    const std::string bytes = bytes_of(size);
    test::write_bytes(path, bytes);
    for (bool past : {false, true}) {
      File file = File::open_input(path);
      if (past) file.read_past_cache_from(0);
      ReadAhead ahead(std::move(file));
      std::string read;
      std::string_view last;
      // Kept bytes of every size up to a block's lead, from the last view.
      for (std::size_t call = 0; !ahead.done(); ++call) {
        const std::size_t keep = std::min(last.size(), call % 3 == 0 ? 0 : call % 3 == 1 ? 1 : ReadAhead::kLead);
        const std::string kept(last.substr(last.size() - keep));
        last = ahead.next(last.substr(last.size() - keep));
        ASSERT_EQ(last.substr(0, keep), kept) << size;
        read.append(last.substr(keep));
        if (past && call == 1 && size > 2 * kBlock && takes_reads_past_cache(dir.path())) {
          // The whole blocks after the first are read past the cache.
          EXPECT_TRUE(read_past_cache(path));
        }
      }
      EXPECT_TRUE(read == bytes) << size << (past ? " past the cache" : "");
      EXPECT_EQ(ahead.next("ab"), "ab");
    }
  }
}

TEST(ReadAhead, AFailedReadReachesTheCallerAndEveryCallAfterIt) {
  test::TempDir dir;
  const std::string path = dir.path() + "/DATA";
  test::write_bytes(path, bytes_of(4 * ReadAhead::kBlock));
  ReadAhead ahead(File::open_input(path));
  ahead.next({});
  // The file loses its end while it is read: a block is found missing.
  fs::resize_file(path, ReadAhead::kBlock + 10);
  int code = -1;
  while (code == -1 && !ahead.done()) code = test::failure_code_of([&] { ahead.next({}); });
  EXPECT_EQ(code, kInputPastEnd);
  EXPECT_EQ(test::failure_code_of([&] { ahead.next({}); }), kInputPastEnd);
  EXPECT_EQ(test::failure_code_of([&] { ahead.next(std::string(ReadAhead::kLead + 1, 'x')); }), kIllegalFunctionCall);
}

}  // namespace
}  // namespace verdan
