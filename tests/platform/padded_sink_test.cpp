// Pieces made aside in memory: what is written, plainly or from a padded
// buffer, comes back whole and in order while the buffer grows, and a
// cleared sink starts again from nothing.
#include "platform/padded_sink.h"

#include <gtest/gtest.h>

#include <string>

namespace verdan {
namespace {

TEST(PaddedMemorySink, PiecesArriveWholeInOrderAsTheBufferGrowsAndAfterClearing) {
  PaddedMemorySink sink;
  std::string padded(2 * PaddedSink::kPadded, '#');
  for (int round = 0; round < 2; ++round) {
    std::string expected;
    // Enough for several growths; padded pieces up to and past the inline
    // copy's limit, the bytes past each piece not to be taken.
    for (std::size_t n = 0; expected.size() < (std::size_t{1} << 19); ++n) {
      const std::size_t size = n % 2 == 0 ? n % 97 : n % (PaddedSink::kPadded + 61) + 1;
      const std::string piece(size, static_cast<char>('a' + (n + round) % 26));
      if (n % 2 == 0) {
        sink.write(piece);
      } else {
        padded.replace(0, size, piece);
        sink.write_padded(std::string_view(padded.data(), size));
        padded.replace(0, size, size, '#');
      }
      expected += piece;
    }
    EXPECT_EQ(sink.column(), static_cast<int>(expected.size()));
    sink.write_line("end");
    expected += "end\r\n";
    EXPECT_EQ(sink.column(), 0);
    ASSERT_EQ(sink.text().size(), expected.size());
    EXPECT_TRUE(sink.text() == expected);
    sink.clear();
    EXPECT_TRUE(sink.text().empty());
    EXPECT_EQ(sink.column(), 0);
  }
}

}  // namespace
}  // namespace verdan
