#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
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

TEST(RangeList, HugeRangesAddressOnlyWhatLiesWithinTheBounds) {
  auto span = [](double first, double last, int low, int high) {
    std::optional<IndexSpan> s = indices_within(first, last, low, high);
    return s ? std::pair{s->first, s->last} : std::pair{-99, -99};
  };
  EXPECT_EQ(span(1, 2e9, 1, 3), (std::pair{1, 3}));
  EXPECT_EQ(span(-3e38, 3e38, 0, 2), (std::pair{0, 2}));
  EXPECT_EQ(span(2.5, 5, 0, 10), (std::pair{3, 5}));  // 2.5, 3.5, 4.5 round away
  EXPECT_EQ(span(7, 9, 0, 5), (std::pair{-99, -99}));
}

TEST(RangeList, FractionsMeetTheBoundsAsTypedAndOnlyDecimalsCount) {
  auto span = [](double first, double last, int low, int high) {
    std::optional<IndexSpan> s = indices_within(first, last, low, high);
    return s ? std::pair{s->first, s->last} : std::pair{-99, -99};
  };
  EXPECT_EQ(span(0.6, 0.6, 1, 3), (std::pair{-99, -99}));  // below storey 1, not storey 1
  EXPECT_EQ(span(2.6, 2.6, 1, 2), (std::pair{-99, -99}));  // above the top
  EXPECT_EQ(span(0.6, 2.6, 1, 3), (std::pair{2, 3}));      // 1.6 and 2.6
  EXPECT_EQ(span(1.4, 2.6, 1, 2), (std::pair{1, 1}));      // 1.4 only
  // "&" marks no number in a range list.
  EXPECT_EQ(ranges("&H1,&O7,&17,", -1), (Ranges{{0, 0}, {0, 0}, {0, 0}}));
  EXPECT_EQ(ranges("1.5-&H3,", 0), (Ranges{{0, 1.5}}));
}

TEST(RangeList, EachIndexOnceInThePlaceOfItsLastAddress) {
  auto order = [](std::vector<IndexSpan> spans, int low, int high) {
    std::vector<std::pair<int, bool>> out;
    for (AddressedIndex a : by_last_address(spans, low, high)) out.emplace_back(a.index, a.odd);
    return out;
  };
  // Walk: 1 2 3, 2, 0 1: 3 last in span 0, 2 in span 1, 0 and 1 in span 2.
  EXPECT_EQ(order({{1, 3}, {2, 2}, {0, 1}}, 0, 5),
            (std::vector<std::pair<int, bool>>{{3, true}, {2, false}, {0, true}, {1, false}}));
  EXPECT_TRUE(order({}, 0, 5).empty());
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

// A console that cannot show the plane, as a dumb terminal: it is given
// the frame in characters.
class CharacterPictures : public ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  bool wants_text_picture() const override { return true; }
  void show_text_picture(std::string_view cp932) override { pictures.emplace_back(cp932); }
  std::vector<std::string> pictures;
};

TEST_F(MemberEdit, WithoutThePlaneTheFrameComesAsThePrintFileDrawsItAfterEachEdit) {
  test::ScopedEnv path("PATH", dir_.path());  // no analysis program
  auto owned = std::make_unique<CharacterPictures>(std::vector<std::string>{
      "1", "3", "2", "6", "", "", "4", "", "1", "1", "0-1", "", "5", "", "", "", "E"});
  CharacterPictures& console = *owned;
  console_ = std::move(owned);
  program_ = std::make_unique<GeneratorProgram>(*console_);
  EXPECT_THROW(program_->run(), ProgramEnd);
  // Once as editing starts, once after the one edit.
  ASSERT_EQ(console.pictures.size(), 2u);
  EXPECT_EQ(console.pictures[0].find('*'), std::string::npos);
  EXPECT_NE(console.pictures[1].find('*'), std::string::npos) << "the rising brace";
  // Numbered in the default directions, as this run was: the drawing the
  // print file got.
  const std::string& last = console.pictures[1];
  const std::string drawing = last.substr(last.find("\r\n", 2) + 2);
  EXPECT_NE(test::read_bytes(dir_ / "PRT.TXT").find(drawing), std::string::npos) << to_utf8(last);
}

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

TEST_F(MemberEdit, FractionalOrPrefixedEntriesAddressWhatTheyReadAs) {
  // Level 0.6 lies below storey 1; "&H1" reads as 0, so axis 0 is toggled.
  EXPECT_EQ(edit({"3", "0.6", "0", "1", "&H1"}), 3);
  EXPECT_EQ(f().column_on(1, 0), -1);
  EXPECT_EQ(f().column_on(1, 1), 1);
  EXPECT_EQ(f().column_on(2, 0), 1);
}

// The picture and tables after one pair of lists equal those after toggling
// each addressed member in turn, one pair per member, in the walk's order.
TEST_F(MemberEdit, OneVisitPerMemberLeavesWhatEveryToggleInTurnLeaves) {
  // Levels 2-1, 1 visit 1 2 1; axes 0-2, 1-3 address the braces 0 1, 1 2
  // at each visit: in storey 1 every brace an even number of times, in
  // storey 2 braces 0 and 2 once.
  EXPECT_EQ(edit({"1", "2-1 1", "0-2,1-3"}), 3);
  const ScreenModel together = console_->screen();
  const FrameModel frame_together = f();
  std::vector<std::string> one_by_one = {"1"};
  for (const char* level : {"1", "2", "1"}) {
    for (const char* axes : {"0-1", "1-2", "1-2", "2-3"}) {
      one_by_one.push_back(level);
      one_by_one.push_back(axes);
    }
  }
  EXPECT_EQ(edit(one_by_one), 3);
  for (int s = 1; s <= 2; ++s) {
    for (int k = 0; k <= 2; ++k) EXPECT_EQ(f().brace_on(s, k, 1), frame_together.brace_on(s, k, 1)) << s << k;
  }
  for (int l = 1; l <= 3; ++l) {
    for (int a = 0; a <= 3; ++a) EXPECT_EQ(f().node_use(l, a), frame_together.node_use(l, a)) << l << a;
  }
  EXPECT_EQ(frame_together.brace_on(1, 1, 1), -1);
  EXPECT_EQ(frame_together.brace_on(2, 0, 1), 1);
  EXPECT_EQ(frame_together.brace_on(2, 1, 1), -1);
  EXPECT_EQ(frame_together.brace_on(2, 2, 1), 1);
  const ScreenModel& apart = console_->screen();
  int differing = 0;
  for (int y = 0; y < apart.plane_height(); ++y) {
    for (int x = 0; x < apart.plane_width(); ++x) differing += apart.pixel(x, y) != together.pixel(x, y) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(MemberEdit, ManyCopiesOfARangeCostAboutWhatOneCosts) {
  // 100 x 100 frame; 2,001 copies of every storey leave the columns as one
  // copy does, toggling each once instead of two thousand times.
  auto frame_with = [&](const std::string& levels) {
    std::vector<std::string> script = {"1", "100", "100", "3"};
    script.insert(script.end(), 99, "");
    script.push_back("3");
    script.insert(script.end(), 99, "");
    script.insert(script.end(), {"3", levels, "0-100"});
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run(script), 3);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  const double one = frame_with("1-100");
  std::string copies = "1-100";
  for (int i = 0; i < 2000; ++i) copies += ",1-100";
  const double many = frame_with(copies);
  EXPECT_EQ(f().column_on(1, 0), -1);
  EXPECT_EQ(f().column_on(100, 100), -1);
  EXPECT_LT(many, one * 5 + 0.2);
}

}  // namespace
}  // namespace verdan
