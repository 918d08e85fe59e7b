// Where the window goes, how big it is drawn and what is sent to it again.
#include "platform/frontends/sdl_window/window_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace verdan {
namespace {

TEST(WindowLayout, ScaleIsTheLargestWholeOneThatFitsAndNeverBelowOne) {
  EXPECT_EQ(fitting_scale(1920, 1080 - 64), 2);
  EXPECT_EQ(fitting_scale(3840, 2160 - 64), 5);
  EXPECT_EQ(fitting_scale(1279, 2000), 1);
  EXPECT_EQ(fitting_scale(1280, 768), 2);
  EXPECT_EQ(fitting_scale(320, 200), 1);
}

TEST(WindowLayout, PositionGoesThroughTheEnvironmentTextAndRefusesAnythingElse) {
  EXPECT_EQ(parse_position(position_text({-12, 340})), (WindowPosition{-12, 340}));
  for (const char* refused : {"", "12", "12,", ",3", "1,2,3", "a,b", "1 ,2", "1,2 "}) {
    EXPECT_FALSE(parse_position(refused)) << refused;
  }
}

TEST(WindowLayout, OnlyCellsWithChangedPixelsAreSentAgain) {
  std::vector<unsigned char> before(640 * 384, 0);
  EXPECT_EQ(changed_cells({}, before).size(), 80u * 24u);
  std::vector<unsigned char> now = before;
  now[5 * 640 + 7] = 13;             // row 0, column 0, its last pixel column
  now[(16 * 23 + 15) * 640 + 639] = 2;  // the last pixel of the screen
  now[17 * 640 + 8] = 4;             // row 1, column 1
  EXPECT_EQ(changed_cells(before, now),
            (std::vector<CellBox>{{0, 0}, {1, 1}, {23, 79}}));
  EXPECT_TRUE(changed_cells(now, now).empty());
}

}  // namespace
}  // namespace verdan
