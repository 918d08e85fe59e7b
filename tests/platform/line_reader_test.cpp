// Lines read with a bound on their length.
#include "platform/host/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "tests/platform/host_fixtures.h"

namespace verdan {
namespace {

using Result = LineReader::Result;

// Every line up to the end or the first one too long, and how reading ended.
std::pair<std::vector<std::string>, Result> all_lines(const std::string& path, std::size_t longest) {
  LineReader reader(path, longest);
  std::vector<std::string> lines;
  std::string line;
  Result result;
  while ((result = reader.next(line)) == Result::line) lines.push_back(line);
  if (result == Result::too_long) lines.push_back(line);
  return {lines, result};
}

TEST(LineReader, LineEndsAndTheBound) {
  test::TempDir dir;
  test::write_bytes(dir / "A", "abcd\r\nef\n\r\nlast");
  EXPECT_EQ(all_lines(dir / "A", 4), std::make_pair(std::vector<std::string>{"abcd", "ef", "", "last"}, Result::end));

  // The bound counts the line without its line end; past it, only the first
  // bytes are kept.
  test::write_bytes(dir / "B", "abcd\r\nabcde\r\nnever");
  EXPECT_EQ(all_lines(dir / "B", 4), std::make_pair(std::vector<std::string>{"abcd", "abcd"}, Result::too_long));
  test::write_bytes(dir / "C", "abcd\rx\n");
  EXPECT_EQ(all_lines(dir / "C", 4).second, Result::too_long);
  test::write_bytes(dir / "D", "abc\r\nabcd\nabcde\nnever\n");
  EXPECT_EQ(all_lines(dir / "D", 4), std::make_pair(std::vector<std::string>{"abc", "abcd", "abcd"}, Result::too_long));

  // A file of zeros without line ends (2 GB, sparse) is too long at the
  // bound, not read on.
  test::write_bytes(dir / "Z", "");
  std::filesystem::resize_file(dir / "Z", std::uintmax_t{2} << 30);
  EXPECT_EQ(all_lines(dir / "Z", 100000), std::make_pair(std::vector<std::string>{std::string(100000, '\0')},
                                                           Result::too_long));
}

// Lines are cut from large blocks: those that cross a block's end come out
// whole, as views or as copies.
TEST(LineReader, LinesAcrossTheBlocksComeOutWhole) {
  test::TempDir dir;
  std::string bytes;
  std::vector<std::string> want;
  for (int i = 0; bytes.size() < (std::size_t{5} << 20); ++i) {
    want.push_back(std::string(static_cast<std::size_t>(i * 7919 % 4001), static_cast<char>('a' + i % 26)));
    bytes += want.back() + (i % 3 == 0 ? "\n" : "\r\n");
  }
  bytes += "tail";
  want.push_back("tail");
  test::write_bytes(dir / "BIG", bytes);
  EXPECT_EQ(all_lines(dir / "BIG", 4000), std::make_pair(want, Result::end));

  LineReader reader(dir / "BIG", 4000);
  std::string_view line;
  for (const std::string& expected : want) {
    ASSERT_EQ(reader.next(line), Result::line);
    ASSERT_EQ(line, expected);
    // In memory a view is followed by its line end, an LF after the last
    // line that has none, and by bytes a parser may read a word at a time.
    const char* past = line.data() + line.size();
    ASSERT_TRUE(*past == '\r' || *past == '\n') << expected.size();
    const volatile char* readable = past + LineReader::kReadablePastLine;
    EXPECT_GE(*readable, -128);
  }
  EXPECT_EQ(reader.next(line), Result::end);

  // A last line without its line end, moved over the bytes before it.
  test::write_bytes(dir / "LAST", "ab\n0123456789");
  EXPECT_EQ(all_lines(dir / "LAST", 100),
            std::make_pair(std::vector<std::string>{"ab", "0123456789"}, Result::end));
}

TEST(LineReader, FilesThatCannotBeReadAreFailures) {
  test::TempDir dir;
  EXPECT_EQ(test::failure_code_of([&] { LineReader(dir / "NONE", 10); }), kFileNotFound);
  EXPECT_EQ(test::failure_code_of([&] { LineReader(dir.path(), 10); }), kAccessDenied);
}

}  // namespace
}  // namespace verdan
