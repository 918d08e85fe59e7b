// The load pictograms on the drawing plane.
#include <gtest/gtest.h>

#include <functional>

#include "platform/frontends/headless/scripted_console.h"
#include "plt_draw/load_symbols.h"

namespace verdan {
namespace {

using Symbol = std::function<void(Console&, PenState&, float, float, float)>;

int lit_pixels(const Console& console) {
  int count = 0;
  const ScreenModel& s = console.screen();
  for (int y = 0; y < s.plane_height(); ++y) {
    for (int x = 0; x < s.plane_width(); ++x) count += s.pixel(x, y) != 0;
  }
  return count;
}

TEST(LoadSymbols, ErasingWithTheSameUnitsLeavesNoPixel) {
  const Symbol symbols[] = {DRAW_DKI, DRAW_SYU, DRAW_CMQ};
  for (const Symbol& draw : symbols) {
    for (auto [ux, uy] : {std::pair{1.0f, 1.0f}, std::pair{3.0f, 2.0f}, std::pair{1.5f, 2.5f}}) {
      SCOPED_TRACE(testing::Message() << ux << " x " << uy);
      ScriptedConsole console({});
      PenState pen;
      draw(console, pen, ux, uy, 1);
      EXPECT_GT(lit_pixels(console), 20);
      draw(console, pen, ux, uy, 0);
      EXPECT_EQ(lit_pixels(console), 0);
    }
  }
}

TEST(LoadSymbols, DistributedLoadFillsTheBandBelowItsMiddleLine) {
  ScriptedConsole console({});
  PenState pen;
  DRAW_DKI(console, pen, 1, 1, 1);
  const ScreenModel& s = console.screen();
  // Filled from (63, 20): the band between the line at y 18 and the bottom
  // edge at 22, not the band above the line.
  EXPECT_EQ(s.pixel(63, 20), 13);
  EXPECT_EQ(s.pixel(56, 21), 13);
  EXPECT_EQ(s.pixel(63, 16), 0);
  // Outside the block nothing is filled.
  EXPECT_EQ(s.pixel(50, 18), 0);
  EXPECT_EQ(s.pixel(63, 25), 0);
}

TEST(LoadSymbols, PenAndLineColourAfterEachRoutine) {
  ScriptedConsole console({});
  PenState pen{1, 2, 15};
  DRAW_DKI(console, pen, 2, 3, 1);
  EXPECT_EQ(pen.pen_x, 148);  // (74, 22) in grid units
  EXPECT_EQ(pen.pen_y, 66);
  EXPECT_EQ(pen.line_color, 13);  // DSPN's digits come out in it until it is set again

  pen = {1, 2, 15};
  DRAW_SYU(console, pen, 2, 3, 1);
  EXPECT_EQ(pen.pen_x, 1);
  EXPECT_EQ(pen.pen_y, 2);
  EXPECT_EQ(pen.line_color, 13);

  DRAW_CMQ(console, pen, 2, 3, 1);
  EXPECT_EQ(pen.pen_x, 134);  // (67, 19)
  EXPECT_EQ(pen.pen_y, 57);
  EXPECT_EQ(pen.line_color, 11);

  DRAW_CMQ(console, pen, 2, 3, 0);
  EXPECT_EQ(pen.line_color, 0);
}

TEST(LoadSymbols, MomentCurvesAndMarksInTheirColours) {
  ScriptedConsole console({});
  PenState pen;
  DRAW_CMQ(console, pen, 1, 1, 1);
  const ScreenModel& s = console.screen();
  EXPECT_EQ(s.pixel(20, 22), 13);  // member, not crossed by the curve there
  EXPECT_EQ(s.pixel(19, 24), 9);   // curve point (19, 23.5), rounded half away
  EXPECT_EQ(s.pixel(55, 24), 15);  // the mid-span mark, drawn over the curve
  EXPECT_EQ(s.pixel(44, 18), 11);  // a shear arrow
}

}  // namespace
}  // namespace verdan
