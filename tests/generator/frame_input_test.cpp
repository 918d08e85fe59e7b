#include <gtest/gtest.h>

#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

class FrameInput : public test::GeneratorRun {
 protected:
  FrameInput() { write_settings(test::settings_file("C:", "PRT.TXT")); }
};

TEST_F(FrameInput, SpansRepeatThePreviousValueAndCoordinatesAccumulate) {
  // Menu 1; 3 spans, 3 storeys; spans 6, (repeat), 4.5; storeys 4, (repeat), 3.5.
  EXPECT_EQ(run({"1", "3", "3", "6", "", "4.5", "4", "", "3.5"}), 3);
  const FrameModel& f = program_->frame();
  EXPECT_EQ(f.node_x(0, 1), 600);
  EXPECT_EQ(f.node_x(0, 2), 1200);
  EXPECT_EQ(f.node_x(0, 3), 1650);
  EXPECT_EQ(f.node_x(4, 3), 1650);  // copied to every level
  EXPECT_EQ(f.node_y(1, 0), 0);
  EXPECT_EQ(f.node_y(2, 0), 400);
  EXPECT_EQ(f.node_y(3, 0), 800);
  EXPECT_EQ(f.node_y(4, 2), 1150);
}

TEST_F(FrameInput, StoreyScreenReprintsEachHeightInMetres) {
  EXPECT_EQ(run({"1", "1", "3", "6", "4", ""}), 3);
  EXPECT_EQ(row(0), "** 階高の入力 **");
  EXPECT_EQ(row(2), " 1 FL (m)= 4");
  EXPECT_EQ(row(3), " 2 FL (m)= 4");
  EXPECT_EQ(row(4), " 3 FL (m)=");
}

TEST_F(FrameInput, MetresRoundToTheMillimetreAndZeroIsAskedAgain) {
  EXPECT_EQ(run({"1", "2", "1", "3.2004", "0.0004", "", "-1", "2", "0", "3"}), 3);
  const FrameModel& f = program_->frame();
  EXPECT_EQ(f.node_x(0, 1), 320.0);
  // 0.0004 m is 0: the previous span repeats.
  EXPECT_EQ(f.node_x(0, 2), 640.0);
  // The first storey has no previous value: 0 is asked again, and so is -1.
  EXPECT_EQ(f.node_y(2, 0), 200.0);
}

TEST_F(FrameInput, EmptyOrNegativeFirstSpanIsAskedAgain) {
  EXPECT_EQ(run({"1", "2", "1", "", "-3", "6", ""}), 3);
  EXPECT_EQ(row(0), "** 階高の入力 **");
  EXPECT_EQ(program_->frame().node_x(0, 1), 600);
  EXPECT_EQ(program_->frame().node_x(0, 2), 600);  // not yet accumulated
}

TEST_F(FrameInput, SpanScreenReprintsEachLine) {
  EXPECT_EQ(run({"1", "2", "1", "6"}), 3);
  EXPECT_EQ(row(0), "** スパン長の入力 **");
  EXPECT_EQ(row(2), "X 0  - X 1  (m)= 6");
  EXPECT_EQ(row(3), "X 1  - X 2  (m)=");
}

TEST_F(FrameInput, CountsBelowOneOrTooLargeAreAskedAgain) {
  EXPECT_EQ(run({"1", "0", "-2", "1.5", "0.5", "99999999", "1", "1"}), 3);
  EXPECT_EQ(program_->frame().span_count(), 1);
  EXPECT_EQ(program_->frame().storey_count(), 1);
}

TEST_F(FrameInput, OneSpanOneStoreyHasFourNodesTwoColumnsTwoBeams) {
  EXPECT_EQ(run({"1", "1", "1", "5", "3"}), 3);
  const FrameModel& f = program_->frame();
  for (int level = 1; level <= 2; ++level) {
    for (int axis = 0; axis <= 1; ++axis) EXPECT_EQ(f.node_use(level, axis), 2);
  }
  EXPECT_EQ(f.column_on(1, 0), 1);
  EXPECT_EQ(f.column_on(1, 1), 1);
  EXPECT_EQ(f.beam_on(1, 1), 1);
  EXPECT_EQ(f.beam_on(2, 1), 1);
}

TEST_F(FrameInput, CountsBeyondTheTablesAreToldWithTheLargestSizeAndAskedAgain) {
  // Five million spans alone are too many; so are 3 spans of two million storeys.
  EXPECT_EQ(run({"1", "5000000"}), 3);
  EXPECT_EQ(row(10), "　　　　格子点数 (スパン数+1)×(層数+1) は 4000000 までです");
  EXPECT_EQ(console_->screen().cell(10, 0).color, 6);
  EXPECT_EQ(row(7), "　　　　Ｘ方向スパン数＝");  // asked again on a clean row
  EXPECT_EQ(run({"1", "3", "2000000", "3", "2"}), 3);
  EXPECT_EQ(program_->frame().span_count(), 3);
  EXPECT_EQ(program_->frame().storey_count(), 2);
}

// Lengths whose coordinates leave the single-precision range of the picture
// are overflow failures on the entry's row; "C" asks the same entry again.
TEST_F(FrameInput, LengthsBeyondTheNumberRangeAreOverflowsAskedAgain) {
  const std::string nines(40, '9');
  const std::string huge = "2" + std::string(36, '0');  // 2E36 m: fits alone, not twice
  EXPECT_EQ(run({"1", "2", "1", nines, "E"}), 1);
  EXPECT_EQ(row(2).substr(0, 31), "  ERROR : CODE =  6 LINE = 2020");
  EXPECT_EQ(run({"1", "2", "1", huge, "", "E"}), 1);  // the second span repeats the first
  EXPECT_EQ(row(3).substr(0, 31), "  ERROR : CODE =  6 LINE = 2020");
  EXPECT_EQ(run({"1", "1", "2", "6", "4", nines, "E"}), 1);
  EXPECT_EQ(row(3).substr(0, 31), "  ERROR : CODE =  6 LINE = 2030");

  EXPECT_EQ(run({"1", "2", "1", nines, "c", "6", "", "3"}), 3);
  const FrameModel& f = program_->frame();
  EXPECT_EQ(f.node_x(1, 2), 1200);
  EXPECT_EQ(f.node_y(2, 0), 300);
  EXPECT_NE(row(2).find("ITEM ="), std::string::npos);  // on to the editing menu
}

}  // namespace
}  // namespace verdan
