#include "shared/screen_draw.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/frontends/headless/scripted_console.h"
#include "platform/failure.h"

namespace verdan {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels lit(const Console& console) {
  Pixels out;
  const ScreenModel& s = console.screen();
  for (int y = 0; y < s.plane_height(); ++y) {
    for (int x = 0; x < s.plane_width(); ++x) {
      if (s.pixel(x, y) != 0) out.insert({x, y});
    }
  }
  return out;
}

TEST(Dspn, SmallGlyphIsOnePixelPerUnitWhateverItsSize) {
  ScriptedConsole console({});
  PenState pen;
  DSPN(console, pen, 7, 0.5f, 10, 20);  // (0,0) (3,3) (3,5) (0,5)
  EXPECT_EQ(lit(console), (Pixels{{10, 20}, {11, 19}, {12, 18}, {13, 17}, {13, 16}, {13, 15},
                                  {12, 15}, {11, 15}, {10, 15}}));
  EXPECT_EQ(console.screen().pixel(13, 17), 15);
  EXPECT_EQ(pen.pen_x, 10);
  EXPECT_EQ(pen.pen_y, 15);
}

TEST(Dspn, LargeGlyphWithItsTwoPolylines) {
  ScriptedConsole console({});
  PenState pen;
  DSPN(console, pen, 1, 0.9f, 50, 60);  // (1,0) (3,0) | (2,0) (2,6) (1,5), 0.9 pixels a unit
  // 0.9-pixel units round half away from zero onto whole pixels.
  Pixels got = lit(console);
  EXPECT_TRUE(got.count({51, 60}) && got.count({53, 60}));
  ScriptedConsole unit({});
  DSPN(unit, pen, 1, 1, 50, 60);
  EXPECT_EQ(lit(unit), (Pixels{{51, 60}, {52, 60}, {53, 60}, {52, 59}, {52, 58}, {52, 57}, {52, 56},
                               {52, 55}, {52, 54}, {51, 55}}));
  EXPECT_EQ(pen.pen_x, 51);
  EXPECT_EQ(pen.pen_y, 55);
}

TEST(Dspn, PenEndsOnTheLastPointAndBadDigitsDrawNothing) {
  ScriptedConsole console({});
  PenState pen;
  DSPN(console, pen, 7, 1, 100, 200);
  EXPECT_EQ(pen.pen_x, 100);
  EXPECT_EQ(pen.pen_y, 194);
  ScriptedConsole empty({});
  for (float digit : {10.0f, -1.0f, 1.5f}) DSPN(empty, pen, digit, 1, 30, 30);
  EXPECT_TRUE(lit(empty).empty());
  EXPECT_EQ(pen.pen_x, 100);  // untouched
}

TEST(Dspn, SmallSizeCodesAboveNineReachTheLargeGlyphsAtOnePixel) {
  ScriptedConsole small({}), large({});
  PenState pen;
  DSPN(small, pen, 11, 0.5f, 50, 60);
  DSPN(large, pen, 1, 1, 50, 60);
  EXPECT_EQ(lit(small), lit(large));
  EXPECT_FALSE(lit(small).empty());
}

TEST(Dspn, LabelsAdvanceSixUnitsADigit) {
  ScriptedConsole one({}), twelve({});
  PenState pen;
  draw_number_label(one, pen, 2, 1, 106, 100);
  draw_number_label(twelve, pen, 12, 1, 100, 100);
  Pixels digit_two = lit(one);
  Pixels both = lit(twelve);
  for (auto p : digit_two) EXPECT_TRUE(both.count(p)) << p.first << "," << p.second;
  EXPECT_TRUE(both.count({101, 100}));  // the 1's foot at the first position
}

TEST(Draw, UsesTheLineColourRoundedAndMovesThePen) {
  ScriptedConsole console({});
  PenState pen{5, 5, 12.5f};
  DRAW(console, pen, 8, 5);
  EXPECT_EQ(console.screen().pixel(5, 5), 13);
  EXPECT_EQ(console.screen().pixel(8, 5), 13);
  EXPECT_EQ(pen.pen_x, 8);
}

// A place that is no number is refused before anything is drawn; taken
// as the plane's edge it would draw a line across the screen.
TEST(Draw, APenOrEndAtNoPlaceIsRefusedAndDrawsNothing) {
  ScriptedConsole console({});
  const float nan = __builtin_nanf("");
  auto failure_of = [&](PenState pen, float x, float y) {
    try {
      DRAW(console, pen, x, y);
    } catch (const Failure& failure) {
      return failure.code();
    }
    return 0;
  };
  EXPECT_EQ(failure_of({nan, 5, 15}, 8, 5), kOverflow);
  EXPECT_EQ(failure_of({5, __builtin_inff(), 15}, 8, 5), kOverflow);
  EXPECT_EQ(failure_of({5, 5, 15}, nan, 5), kOverflow);
  EXPECT_EQ(lit(console), Pixels{});
}

}  // namespace
}  // namespace verdan
