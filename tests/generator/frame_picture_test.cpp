#include <gtest/gtest.h>

#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

class FramePicture : public test::GeneratorRun {
 protected:
  FramePicture() { write_settings(test::settings_file("C:", "PRT.TXT")); }
  int pixel(int x, int y) const { return console_->screen().pixel(x, y); }
};

// One span of 6 m, one storey of 3.5 m on the 640 x 384 plane: the area
// right of x = 304 and below y = 80, centre (468, 224); the width decides
// the scale, (640 - 304) * 0.9 / 600 = 0.504 pixels a centimetre.
TEST_F(FramePicture, ScaleLinesAndLabelsWhereTheyBelong) {
  EXPECT_EQ(run({"1", "1", "1", "6", "3.5"}), 3);
  EXPECT_FLOAT_EQ(program_->diagram_scale(), 0.504f);
  // Axis 0 at x = 316.8, the ground at y = 312.2, the roof at y = 135.8.
  EXPECT_EQ(pixel(317, 312), 13);
  EXPECT_EQ(pixel(317, 200), 13);
  EXPECT_EQ(pixel(317, 136), 13);
  EXPECT_EQ(pixel(317, 134), 0);
  EXPECT_EQ(pixel(468, 136), 13);  // the roof line
  // Axis label "0" from (314.8, 322.2): its first point (0, 1) and the end
  // of its slash (4, 5), in the label colour.
  EXPECT_EQ(pixel(315, 321), 15);
  EXPECT_EQ(pixel(319, 317), 15);
  // Axis label "1" under the right column, 302.4 pixels further right.
  EXPECT_EQ(pixel(618, 322), 15);  // the foot (1,0)-(3,0) of the "1" at x = 617.2
  // Level label "1" from (302.8, 313.2): its foot from x 304 to 306.
  EXPECT_EQ(pixel(304, 313), 15);
  EXPECT_EQ(pixel(306, 313), 15);
}

TEST_F(FramePicture, TallFrameIsScaledByItsHeight) {
  EXPECT_EQ(run({"1", "1", "3", "2", "4", "", ""}), 3);
  // (384 - 80) * 0.9 / 1200 = 0.228, below the width's (336 * 0.9 / 200).
  EXPECT_FLOAT_EQ(program_->diagram_scale(), 0.228f);
}

}  // namespace
}  // namespace verdan
