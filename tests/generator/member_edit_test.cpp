#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "generator/range_list.h"
#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

std::vector<std::pair<double, double>> ranges(std::string_view list, double no_start) {
  std::vector<std::pair<double, double>> out;
  walk_ranges(list, no_start, [&](double a, double b) { out.emplace_back(a, b); });
  return out;
}

using Ranges = std::vector<std::pair<double, double>>;

TEST(RangeList, SeparatorsStartsAndMarkers) {
  EXPECT_EQ(ranges("1,2 5 6-10,", 0), (Ranges{{1, 1}, {2, 2}, {5, 5}, {6, 10}}));
  EXPECT_EQ(ranges("3-,", 0), (Ranges{{0, 3}}));
  EXPECT_EQ(ranges("5-2,", 0), (Ranges{{2, 5}}));
  EXPECT_EQ(ranges("0-3,", 0), (Ranges{{3, 3}}));   // a start of 0 counts as none for levels
  EXPECT_EQ(ranges("-3,", -1), (Ranges{{0, 3}}));   // but not for axes
  EXPECT_EQ(ranges("1, 3,", -1), (Ranges{{1, 1}, {0, 0}, {3, 3}}));
  EXPECT_EQ(ranges("x,", 0), (Ranges{{0, 0}}));
}

TEST(RangeList, HugeRangesVisitOnlyWhatLiesWithinTheBounds) {
  std::vector<int> seen;
  for_each_within(1, 2e9, 1, 3, [&](int i) { seen.push_back(i); });
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
  seen.clear();
  for_each_within(-3e38, 3e38, 0, 2, [&](int i) { seen.push_back(i); });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  seen.clear();
  for_each_within(2.5, 5, 0, 10, [&](int i) { seen.push_back(i); });  // 2.5, 3.5, 4.5 round away
  EXPECT_EQ(seen, (std::vector<int>{3, 4, 5}));

  auto time_of = [](double last) {
    auto start = std::chrono::steady_clock::now();
    long visits = 0;
    for (int k = 0; k < 1000; ++k) for_each_within(1, last, 1, 3, [&](int) { ++visits; });
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  double small = time_of(3), huge = time_of(2e9);
  EXPECT_LT(huge, small * 10 + 0.01);
}

class MemberEdit : public test::GeneratorRun {
 protected:
  MemberEdit() { write_settings(test::settings_file("C:", "PRT.TXT")); }
  // 3 spans of 6 m, 2 storeys of 4 m, then the editing menu entries.
  int edit(std::vector<std::string> entries) {
    std::vector<std::string> script = {"1", "3", "2", "6", "", "", "4", ""};
    script.insert(script.end(), entries.begin(), entries.end());
    return run(script);
  }
  const FrameModel& f() const { return program_->frame(); }
  int frame_pixels() const {
    const ScreenModel& screen = console_->screen();
    int lit = 0;
    for (int y = 0; y < screen.plane_height(); ++y) {
      for (int x = 0; x < screen.plane_width(); ++x) lit += screen.pixel(x, y) == 13 ? 1 : 0;
    }
    return lit;
  }
};

TEST_F(MemberEdit, ColumnsToggleOffAndBackWithTheirLines) {
  EXPECT_EQ(edit({"3", "1-2", "0"}), 3);
  EXPECT_EQ(f().column_on(1, 0), -1);
  EXPECT_EQ(f().column_on(2, 0), -1);
  EXPECT_EQ(f().node_use(2, 0), 1);  // only the beam is left at (2, 0)
  EXPECT_EQ(f().node_use(1, 0), 1);
  EXPECT_EQ(edit({"3", "1-2", "0", "1-2", "0"}), 3);
  EXPECT_EQ(f().column_on(1, 0), 1);
  EXPECT_EQ(f().node_use(2, 0), 3);
}

TEST_F(MemberEdit, RisingBracesPlacedOverARangeOfAxes) {
  EXPECT_EQ(edit({"1", "1", "0-2"}), 3);
  EXPECT_EQ(f().brace_on(1, 0, 1), 1);
  EXPECT_EQ(f().brace_on(1, 1, 1), 1);
  EXPECT_EQ(f().brace_on(1, 2, 1), 0);
  EXPECT_EQ(f().node_use(1, 0), 3);  // column, beam, brace
  EXPECT_EQ(f().node_use(2, 1), 5);  // two columns, two beams, the brace from (1, 0)
  EXPECT_EQ(f().node_use(2, 2), 5);
}

TEST_F(MemberEdit, SingleAxisAddressesNoBraceOrBeam) {
  EXPECT_EQ(edit({"1", "1", "2", "", "4", "1", "2"}), 3);
  EXPECT_EQ(f().brace_on(1, 1, 1), 0);
  EXPECT_EQ(f().brace_on(1, 2, 1), 0);
  EXPECT_EQ(f().beam_on(1, 2), 1);
  EXPECT_EQ(f().beam_on(1, 3), 1);
}

TEST_F(MemberEdit, BeamsReachTheRoofColumnsDoNot) {
  EXPECT_EQ(edit({"4", "1 3", "0-3", "", "3", "3", "0"}), 3);
  EXPECT_EQ(f().beam_on(1, 1), -1);
  EXPECT_EQ(f().beam_on(3, 3), -1);
  EXPECT_EQ(f().node_use(3, 3), 1);
  EXPECT_EQ(f().column_on(2, 0), 1);  // level 3 is no storey: nothing toggled
}

TEST_F(MemberEdit, EmptyEntryBetweenSeparatorsIsAxisZeroForColumns) {
  EXPECT_EQ(edit({"3", "1", "1, 3"}), 3);
  EXPECT_EQ(f().column_on(1, 0), -1);
  EXPECT_EQ(f().column_on(1, 1), -1);
  EXPECT_EQ(f().column_on(1, 2), 1);
  EXPECT_EQ(f().column_on(1, 3), -1);
}

TEST_F(MemberEdit, FallingBraceTwiceInOnePairIsBackWhereItWas) {
  EXPECT_EQ(edit({"2", "3-1", "0-1 1-0"}), 3);
  EXPECT_EQ(f().brace_on(1, 0, 2), -1);
  EXPECT_EQ(f().brace_on(2, 0, 2), -1);
  EXPECT_EQ(f().node_use(2, 0), 3);
}

TEST_F(MemberEdit, MenuItemsRoundButOnlyFiveEnds) {
  // 4.6 rounds to 5: no edit, no end; -1 selects nothing; 9 nothing; 5 ends.
  edit({"4.6", "-1", "9", "5"});
  EXPECT_EQ(console_->remaining(), 0u);
  EXPECT_EQ(f().column_on(1, 0), 1);
}

TEST_F(MemberEdit, ErasedMemberLeavesNoPixelOfItsLine) {
  EXPECT_EQ(edit({}), 3);
  const int grid = frame_pixels();
  EXPECT_EQ(edit({"1", "1", "0-1"}), 3);
  const int with_brace = frame_pixels();
  EXPECT_GT(with_brace, grid + 50);
  EXPECT_EQ(edit({"1", "1", "0-1", "1", "0-1"}), 3);
  // Erasing draws the whole line in the background colour: nothing of the
  // diagonal remains, and the grid loses only the two pixels at its ends.
  EXPECT_EQ(frame_pixels(), grid - 2);
}

}  // namespace
}  // namespace verdan
