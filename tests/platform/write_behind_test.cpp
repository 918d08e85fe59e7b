// Output written behind the caller: the same bytes in the same order as
// written directly, and a failure of the writing thread that reaches the
// caller instead of being lost.
#include "platform/write_behind.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/failure.h"
#include "tests/platform/failure_code.h"

namespace verdan {
namespace {

using test::failure_code_of;

// Refuses one write, the `refused`th, as a disk that was full for a moment.
class RefusingSink : public TextSink {
 public:
  explicit RefusingSink(int refused) : refused_(refused) {}
  void write(std::string_view bytes) override {
    if (++calls_ == refused_) fail(kDiskFull, "disk full");
    text.append(bytes);
  }
  void end_line() override { write("\r\n"); }
  int column() const override { return 0; }
  std::string text;

 private:
  int refused_;
  int calls_ = 0;
};

// In the usual blocks and in blocks of another size.
void pieces_of_every_size(std::size_t block) {
  std::string expected;
  StringSink out;
  {
    WriteBehind behind(out, block);
    std::size_t n = 0;
    // Small pieces across several blocks, every other one from a padded
    // buffer (some too long for its inline copy, some near a block's end,
    // the bytes past them not to be written), then pieces larger than a
    // block, one that fills the rest of a block exactly, and lines.
    std::string padded(2 * WriteBehind::kPadded, '#');
    for (; expected.size() < 3 * block + 17; ++n) {
      const std::size_t size = n % 2 == 0 ? n % 97 + 1 : n % (WriteBehind::kPadded + 61) + 1;
      const std::string piece(size, static_cast<char>('a' + n % 26));
      if (n % 2 == 0) {
        behind.write(piece);
      } else {
        padded.replace(0, piece.size(), piece);
        behind.write_padded(std::string_view(padded.data(), piece.size()));
        padded.replace(0, piece.size(), piece.size(), '#');
      }
      expected += piece;
    }
    EXPECT_EQ(behind.column(), static_cast<int>(expected.size()));
    const std::string large(2 * block + 5, 'L');
    behind.write(large);
    expected += large;
    const std::string rest(block - (expected.size() % block), 'R');
    behind.write(rest);
    expected += rest;
    behind.write_line("line");
    expected += "line\r\n";
    EXPECT_EQ(behind.column(), 0);
    behind.write("ab");
    EXPECT_EQ(behind.column(), 2);
    expected += "ab";
    behind.finish();
    EXPECT_EQ(out.text().size(), expected.size());
    EXPECT_TRUE(out.text() == expected);
    // Written after finish(): goes out when dropped.
    behind.write("end");
    expected += "end";
  }
  EXPECT_TRUE(out.text() == expected);
}

TEST(WriteBehind, PiecesOfEverySizeArriveWholeAndInOrder) {
  pieces_of_every_size(WriteBehind::kBlock);
  pieces_of_every_size(16 * 4096);
}

TEST(WriteBehind, AFailedBlockReachesTheCallerAndEveryCallAfterIt) {
  const std::size_t block = WriteBehind::kBlock;
  RefusingSink out(2);
  WriteBehind behind(out);
  const std::string piece(4096, 'x');
  int failure = -1;  // none
  // The second block fails on the thread; a later block or finish() says
  // so, and nothing is written after it.
  for (std::size_t written = 0; written < 4 * block && failure == -1; written += piece.size()) {
    failure = failure_code_of([&] { behind.write(piece); });
  }
  if (failure == -1) failure = failure_code_of([&] { behind.finish(); });
  EXPECT_EQ(failure, kDiskFull);
  EXPECT_EQ(failure_code_of([&] { behind.finish(); }), kDiskFull);
  EXPECT_EQ(out.text.size(), block);
}

TEST(WriteBehind, ASmallOutputFailsAtFinish) {
  RefusingSink out(1);
  WriteBehind behind(out);
  behind.write("four");
  EXPECT_EQ(out.text, "");
  EXPECT_EQ(failure_code_of([&] { behind.finish(); }), kDiskFull);
}

}  // namespace
}  // namespace verdan
