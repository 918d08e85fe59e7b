// Reading the data files VDN-GENE writes, however large.
#include "tools/vdn-plot/frame_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/platform/host_fixtures.h"

namespace verdan::plot_tool {
namespace {

const std::string kMemberTail = "   -1             0             0             0             0 \r\n";

// Counts are singles with six digits: beyond 999,999 the file holds them
// rounded, and the lines themselves tell where nodes and members end.
TEST(FrameData, CountsRoundedToSixDigitsStandForTheLinesThatFollow) {
  test::TempDir dir;
  const int nodes = 1'048'576, members = 1'000'001;
  {
    std::ofstream out(dir / "FRAME", std::ios::binary);
    out << "VERDAN V2.50\r\n 1.04858E+06   1E+06         1             0 \r\n";
    for (int n = 1; n < nodes; ++n) out << " 0             0 \r\n";
    out << " 600           350 \r\n";
    for (int m = 1; m < members; ++m) out << "  1   2   1" << kMemberTail;
    out << "%1048575 %1048576   4" << kMemberTail;
    out << " 1            -1             0             0             0 \r\n";
  }
  const FrameData frame = read_frame_data(dir / "FRAME");
  ASSERT_EQ(frame.size(), static_cast<std::size_t>(nodes));
  EXPECT_EQ(frame.node_y.max(), 350);  // the last node read
  ASSERT_EQ(frame.members.size(), static_cast<std::size_t>(members));
  EXPECT_EQ(frame.members.back().end_a, nodes - 1);
  EXPECT_EQ(frame.members.back().end_b, nodes);
  EXPECT_EQ(frame.members.back().kind, 4);
}

TEST(FrameData, ARoundedCountStillNeedsTheLinesItCannotDoWithout) {
  test::TempDir dir;
  test::write_bytes(dir / "FRAME",
                    "VERDAN V2.50\r\n 1E+06         0             1             0 \r\n 0             0 \r\n");
  try {
    read_frame_data(dir / "FRAME");
    FAIL() << "read a frame of one node";
  } catch (const DataFileError& e) {
    EXPECT_EQ(e.line(), 4);
    EXPECT_STREQ(e.what(), "the file ends where node 2 should be");
  }
}

// Member lines end alike; one whose end is damaged is refused all the same,
// whatever the lines before it.
TEST(FrameData, AMemberLineDamagedInItsLastTokensIsRefusedAfterAnyNumberOfGoodOnes) {
  test::TempDir dir;
  std::string file = "VERDAN V2.50\r\n 2             5             1             0 \r\n 0             0 \r\n 1 1\r\n";
  for (int m = 1; m <= 4; ++m) file += "  1   2   1" + kMemberTail;
  file += "  1   2   1   -1             0             0             0             O \r\n 1\r\n";
  test::write_bytes(dir / "FRAME", file);
  try {
    read_frame_data(dir / "FRAME");
    FAIL() << "read a member line ending in a letter";
  } catch (const DataFileError& e) {
    EXPECT_EQ(e.line(), 9);
    EXPECT_STREQ(e.what(), "'O' is not a number");
  }
}

}  // namespace
}  // namespace verdan::plot_tool
