// Where the window goes and how big it is drawn.
#include "platform/frontends/sdl_window/window_layout.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace verdan
