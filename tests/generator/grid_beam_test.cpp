#include <gtest/gtest.h>

#include <filesystem>

#include <chrono>

#include "generator/grid_model.h"
#include "platform/codec/cp932.h"
#include "shared/print.h"
#include "tests/build_kind.h"
#include "tests/generator/generator_fixture.h"

namespace verdan {
namespace {

GridBeam grid(std::vector<double> x_spans, std::vector<double> y_spans) {
  GridBeam g;
  g.size(static_cast<int>(x_spans.size()), static_cast<int>(y_spans.size()));
  for (std::size_t i = 0; i < x_spans.size(); ++i) g.x_span(static_cast<int>(i) + 1) = x_spans[i];
  for (std::size_t j = 0; j < y_spans.size(); ++j) g.y_span(static_cast<int>(j) + 1) = y_spans[j];
  g.accumulate();
  return g;
}

TEST(GridBeam, ThreeByTwoNodesMembersAndTies) {
  GridBeam g = grid({600, 600, 600}, {500, 500});
  DataFileContent<float> d = g.generate();
  ASSERT_EQ(d.node_x.size(), 10u);
  ASSERT_EQ(d.end_a.size(), 9u);
  EXPECT_EQ(d.node_x[2], 1100);  // node 3: X girder on line 1 at line i = 1
  EXPECT_EQ(d.node_y[2], 200);
  EXPECT_EQ(d.node_x[3], 1100);  // node 4: the Y girder's node at the same crossing
  EXPECT_EQ(d.node_y[3], 300);
  EXPECT_EQ(g.first_tie(), 8);
  EXPECT_EQ(d.end_a[7], 3);
  EXPECT_EQ(d.end_b[7], 4);
  EXPECT_EQ(d.kind[7], 4);
  EXPECT_EQ(d.end_a[8], 7);
  EXPECT_EQ(d.end_b[8], 8);
  EXPECT_EQ(d.kind[0], 1);
  // Ties differ in length: |200 j - (200 i + 100)|.
  auto tie_length = [&](int m) { return std::abs(d.node_y[d.end_a[m - 1] - 1] - d.node_y[d.end_b[m - 1] - 1]); };
  EXPECT_EQ(tie_length(8), 100);
  EXPECT_EQ(tie_length(9), 300);
}

TEST(GridBeam, TwoByTwoNumbersAlongJWithinI) {
  GridBeam g = grid({600, 600}, {500, 500});
  DataFileContent<float> d = g.generate();
  EXPECT_EQ(g.node(0, 1, 0), 1);
  EXPECT_EQ(g.node(1, 0, 1), 2);
  EXPECT_EQ(g.node(1, 1, 0), 3);
  EXPECT_EQ(g.node(1, 1, 1), 4);
  EXPECT_EQ(g.node(1, 2, 1), 5);
  EXPECT_EQ(g.node(2, 1, 0), 6);
  EXPECT_EQ(d.end_a, (std::vector<int>{1, 3, 2, 4, 3}));
  EXPECT_EQ(d.end_b, (std::vector<int>{3, 6, 4, 5, 4}));
  EXPECT_EQ(g.first_tie(), 5);
}

TEST(GridBeam, NarrowGridNumbersAlongI) {
  GridBeam g = grid({600, 600}, {500, 500, 500});
  DataFileContent<float> d = g.generate();
  // j outer: line j = 0 has only the Y girder's node at i = 1.
  EXPECT_EQ(g.node(1, 0, 1), 1);
  EXPECT_EQ(g.node(0, 1, 0), 2);
  EXPECT_EQ(g.node(1, 1, 0), 3);
  EXPECT_EQ(g.node(1, 1, 1), 4);
  EXPECT_EQ(g.node(2, 1, 0), 5);
  EXPECT_EQ(d.end_a.size(), static_cast<std::size_t>(g.member_count()));
}

TEST(GridBeam, DrawingOfThreeByTwo) {
  GridBeam g = grid({600, 600, 600}, {500, 500});
  g.generate();
  StringSink s;
  write_grid_drawing(s, g);
  EXPECT_EQ(s.text(),
            "Y2  +---             O         O      \r\n"
            "    |                |5        |9     \r\n"
            "    |                |         |      \r\n"
            "  5.000              5         7      \r\n"
            "    |                |         |      \r\n"
            "    |     1         3|        7|       10\r\n"
            "Y1  +---   O-----1---O-----2---O-----3---O\r\n"
            "    |                |4        |8     \r\n"
            "    |                |         |      \r\n"
            "  5.000              4         6      \r\n"
            "    |                |         |      \r\n"
            "    |                |         |      \r\n"
            "Y0  +---             O         O      \r\n"
            "                      2         6         \r\n"
            "\r\n"
            "\r\n"
            "           |         |         |         |\r\n"
            "           |         |         |         |\r\n"
            "           +- 6.000 -+- 6.000 -+- 6.000 -+\r\n"
            "          X0        X1        X2        X3        \r\n");
}

TEST(GridBeam, HundredByHundredIsQuick) {
  auto start = std::chrono::steady_clock::now();
  GridBeam g = grid(std::vector<double>(100, 500), std::vector<double>(100, 400));
  DataFileContent<float> d = g.generate();
  StringSink s;
  write_grid_drawing(s, g);
  write_data_file(s, d);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(d.end_a.size(), static_cast<std::size_t>(99 * 100 * 2 + 99 * 99));
  EXPECT_LT(seconds, 0.5 * test::kTimeScale);
}

class GridBeamDialogue : public test::GeneratorRun {
 protected:
  GridBeamDialogue() { write_settings(test::settings_file("C:", "PRT.TXT")); }
};

TEST_F(GridBeamDialogue, ZeroRepeatsThePreviousSpanInTheEchoLine) {
  EXPECT_EQ(run({"2", "1", "3", "2", "6", "7.5", "0", "5"}), 3);
  EXPECT_EQ(program_->grid().x_span(3), 750);
  EXPECT_EQ(row(0), "** スパン長の入力 **");
  EXPECT_EQ(row(2), "X 0  - X 1  (m)= 6");
  EXPECT_EQ(row(4), "X 2  - X 3  (m)= 7.5");
  EXPECT_EQ(row(5), "Y 0  - Y 1  (m)= 5");
  EXPECT_EQ(console_->screen().cell(2, 0).color, 6);
  EXPECT_EQ(console_->screen().cell(5, 0).color, 4);
}

TEST_F(GridBeamDialogue, ListingAppendedAfterAnEmptyAnswerAndTheDataFile) {
  test::write_bytes(dir_ / "PRT.TXT", "old\r\n");
  // Menu 2, 3 x 2 spans of 6 m and 5 m; empty answer at the question. The
  // analysis program is not to be found here: the start fails and E ends.
  test::ScopedEnv path("PATH", dir_.path());
  EXPECT_EQ(run({"2", "3", "2", "6", "", "", "5", "", "", "E"}), 1);
  std::string listing = test::read_bytes(dir_ / "PRT.TXT");
  EXPECT_EQ(listing.find("old\r\n\r\n" + to_cp932("つなぎ材　部材番号   8 -   9\r\n\r\n") + "Y2  +---"), 0u);
  std::string data = test::read_bytes(dir_ / "CROSS");
  EXPECT_EQ(data.find("VERDAN V2.50\r\n"
                      " 10            9             1             0 \r\n"),
            0u);
  EXPECT_NE(data.find("\r\n 1100          200 \r\n 1100          300 \r\n"), std::string::npos);
  EXPECT_NE(data.find("  3   4   4   -1 "), std::string::npos);
}

// The settings file or a data file named as the print file, by case or
// "..": refused on the error line before the user is asked whether to
// write over it, and before any byte is written.
TEST_F(GridBeamDialogue, APrintFileThatIsOneOfTheProgramsOwnFilesIsRefused) {
  auto error_row = [this] {
    for (int r = 0; r < 24; ++r) {
      if (row(r).find("ERROR") != std::string::npos) return row(r).substr(0, 31);
    }
    return std::string();
  };
  write_settings(test::settings_file("C:", "verdan.ini"));
  const std::string settings = test::read_bytes(dir_ / "VERDAN.INI");
  EXPECT_EQ(run({"2", "3", "2", "6", "", "", "5", ""}), 3);
  EXPECT_EQ(error_row(), "  ERROR : CODE = 75 LINE = 4010");
  EXPECT_EQ(run({"2", "3", "2", "6", "", "", "5", "", "C", "E"}), 1);
  EXPECT_EQ(test::read_bytes(dir_ / "VERDAN.INI"), settings);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "CROSS"));

  write_settings(test::settings_file("C:", "SUB\\..\\cross"));
  std::filesystem::create_directory(dir_ / "SUB");
  test::write_bytes(dir_ / "CROSS", "old data\r\n");
  EXPECT_EQ(run({"2", "3", "2", "6", "", "", "5", ""}), 3);
  EXPECT_EQ(error_row(), "  ERROR : CODE = 75 LINE = 4010");
  EXPECT_EQ(test::read_bytes(dir_ / "CROSS"), "old data\r\n");
}

TEST_F(GridBeamDialogue, SpansBeyondTheSinglePrecisionOfANodeAreOverflowsAskedAgain) {
  const std::string nines(40, '9');
  const std::string low = "-2" + std::string(36, '0');  // -2E38 cm
  // X spans -1E38 and -1E38 cm fit; a Y span of -2E38 takes the lowest x
  // to -4E38, beyond a single.
  EXPECT_EQ(run({"2", "2", "2", "-1" + std::string(36, '0'), "", low, "E"}), 1);
  EXPECT_EQ(row(4).substr(0, 31), "  ERROR : CODE =  6 LINE = 3030");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "CROSS"));

  test::ScopedEnv path("PATH", dir_.path());
  EXPECT_EQ(run({"2", "2", "2", nines, "C", "6", "", "5", "", "", "E"}), 1);
  EXPECT_EQ(row(2), "X 0  - X 1  (m)= 6");
  std::string data = test::read_bytes(dir_ / "CROSS");
  EXPECT_EQ(data.find("Inf"), std::string::npos);
  EXPECT_NE(data.find("\r\n 1100          300 \r\n"), std::string::npos);
}

TEST_F(GridBeamDialogue, CountsBeyondTheTablesAreToldWithTheLargestSize) {
  EXPECT_EQ(run({"2", "4000000"}), 3);
  EXPECT_EQ(row(10), "　　　　格子点数 (Ｘスパン数+1)×(Ｙスパン数+1) は 4000000 までです");
  EXPECT_EQ(console_->screen().cell(10, 0).color, 6);
}

}  // namespace
}  // namespace verdan
