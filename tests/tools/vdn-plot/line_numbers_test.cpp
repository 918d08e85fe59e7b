// The numbers of a data file's line: whole numbers read in one pass, the
// rest by the general conversion, with the same values and the same damage.
#include "tools/vdn-plot/line_numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <functional>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tools/vdn-plot/frame_data.h"

namespace verdan::plot_tool {
namespace {

// The numbers by the general conversion alone, token by token: nothing
// when a token is none.
std::optional<std::vector<double>> converted(const std::string& line) {
  std::vector<double> values;
  std::size_t i = 0;
  auto separator = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (i < line.size()) {
    if (separator(line[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && !separator(line[end])) ++end;
    std::string token = line.substr(i, end - i);
    if (token[0] == '%') token.erase(0, 1);
    for (char& c : token) {
      if (c == 'D' || c == 'd') c = 'E';
    }
    double value = 0;
    const auto [at, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (token.empty() || ec != std::errc() || at != token.data() + token.size() || !std::isfinite(value)) {
      return std::nullopt;
    }
    values.push_back(value);
    i = end;
  }
  return values;
}

// Lines the whole-number road took, of those it was given.
struct WholesTaken {
  int taken = 0, given = 0;
};

// The whole-number road through `tail` takes a line only as the general
// conversion reads it: its numbers, no "-0" among them, and the tail's count
// after them.
void expect_wholes_as_converted(std::string_view line, const CheckedTail& tail,
                                const std::optional<std::vector<double>>& expected, WholesTaken& wholes) {
  std::int64_t got[LineNumbers::kKept];
  ++wholes.given;
  if (!plain_wholes_in_place(line, tail, got)) return;
  ++wholes.taken;
  ASSERT_TRUE(expected) << "taken as whole numbers";
  ASSERT_EQ(expected->size(), tail.kept + tail.count);
  for (std::size_t i = 0; i < tail.kept; ++i) {
    EXPECT_EQ(static_cast<double>(got[i]), (*expected)[i]) << "whole number " << i;
    EXPECT_FALSE((*expected)[i] == 0 && std::signbit((*expected)[i])) << "whole number " << i << " is -0";
  }
}

// Read both ways: a copy of the line ended by zeros, and the line in place as
// a LineReader hands it over, followed by its line end and the next line's
// digits.
void expect_as_converted(const std::string& line, CheckedTail& tail, CheckedTail& read_tail,
                         WholesTaken& wholes) {
  SCOPED_TRACE("line '" + line + "'");
  const std::optional<std::vector<double>> expected = converted(line);
  const std::string copy = line + std::string(kReadablePastLine, '\0');
  const std::string buffer = line + "\r\n12345678 12345678 -1";
  expect_wholes_as_converted(std::string_view(copy).substr(0, line.size()), tail, expected, wholes);
  expect_wholes_as_converted(std::string_view(buffer).substr(0, line.size()), read_tail, expected, wholes);
  const std::function<LineNumbers()> roads[] = {
      [&] { return read_line_numbers(std::string_view(copy).substr(0, line.size()), 7, tail); },
      [&] { return read_line_numbers(std::string_view(buffer).substr(0, line.size()), 7, read_tail); }};
  for (const auto& road : roads) {
    try {
      const LineNumbers got = road();
      ASSERT_TRUE(expected) << "read as numbers";
      ASSERT_EQ(got.count, expected->size());
      for (std::size_t i = 0; i < got.count && i < tail.kept; ++i) {
        EXPECT_EQ(got.value[i], (*expected)[i]) << "number " << i;
        EXPECT_EQ(std::signbit(got.value[i]), std::signbit((*expected)[i])) << "number " << i;
      }
    } catch (const DataFileError& e) {
      EXPECT_FALSE(expected) << e.what();
      EXPECT_EQ(e.line(), 7);
    }
  }
}

void expect_as_converted(const std::string& line) {
  CheckedTail none, read_none;
  WholesTaken wholes;
  expect_as_converted(line, none, read_none, wholes);
}

TEST(LineNumbers, TokensNearTheWholeNumbersRoadReadAsTheGeneralConversionReadsThem) {
  for (const std::string line :
       {"", " ", "\r", "         \r", " 251001        1.001E+06     1             0 ",
        "%48997 %49498   1   -1       0             0             0             0 \r",
        " 600           0 \r", "1", "-0", "%-0", "0", "007", "-007",
        // 15 digits are exact as they are; beyond, the general conversion rounds.
        "999999999999999", "-999999999999999", "9999999999999999", "12345678901234567",
        "1234567890123456789012345", "%123456789012345678901",
        // Not whole, or not numbers at all.
        "1.5", "-.25", "1E+06", "1.04858E+06", "1D+03", "1.5d-2", "%1E+06", "1e999", "1x", "x1", "--1", "%", "-",
        "1-", "+5", "%%1", "1%", "0x10", "inf", "nan", "1\t-2\t3", "1\r2", "1,2",
        // Runs of blanks of every length around the tokens.
        "1        2", "1         2", "               -3", "12345678        1234567 "}) {
    expect_as_converted(line);
  }
}

// Zero bytes are the line's own, and the last tokens of the longest lines end
// where the line ends.
TEST(LineNumbers, ZeroBytesAndTheLastTokensOfTheLongestLinesReadAsTheGeneralConversionReadsThem) {
  for (const std::string& line : {std::string("12\0 3", 5), std::string("7 \0", 3), std::string("1 2 3 4 5\0", 10),
                                 std::string("\0", 1), std::string("-\0", 2)}) {
    expect_as_converted(line);
  }
  for (std::size_t size = 120; size <= 130; ++size) {
    for (const std::string last : {"7", "-7", "%-7", "1234567", "12345678", "123456789012345", "1234567890123456"}) {
      if (last.size() < size) expect_as_converted("1" + std::string(size - 1 - last.size(), ' ') + last);
    }
  }
}

// The generator closes member lines with the same tokens: lines read through
// one tail, one byte or one token apart, are read as each alone.
TEST(LineNumbers, LinesReadThroughOneTailReadAsTheGeneralConversionReadsThem) {
  const std::vector<std::string> heads = {"  7 158   1", "%22498 %22650   4", "  1   2", " 1 2 3 4 5", "1"};
  const std::vector<std::string> tails = {
      "   -1             0             0             0             0 ",
      "   -1             0             0             0             O ",
      "   -1             0             0             0            00",
      "   -1             0             0             0             0\t",
      "   -1             0             0             0            -0 ",
      "   -1             0             0             0           0 0 ",
      "   -1             0             0             0 ",
      "   -1             0            1.5            0             0 ",
      "   -1             0             0             0             0 0",
      "   -1             0             0             0   0 ",
      "   -1  0   0   0   0 ",
      "   -1  0   0   0   x ",
      "   -1",
      ""};
  std::mt19937 random(27);
  // Counts keep four numbers, members three, nodes two.
  for (const std::size_t kept : {4, 3, 2}) {
    CheckedTail tail, read_tail;
    tail.kept = read_tail.kept = kept;
    WholesTaken wholes;
    for (int n = 0; n < 5000; ++n) {
      const std::string& ending = tails[random() % 3 == 0 ? random() % tails.size() : 0];
      expect_as_converted(heads[random() % heads.size()] + ending, tail, read_tail, wholes);
      if (HasFailure()) return;
    }
    // Many lines repeat the tail before them and are taken.
    EXPECT_GT(wholes.taken, wholes.given / 10) << "kept " << kept;
  }
}

TEST(LineNumbers, RandomLinesOfGeneratorLikeTokensReadAsTheGeneralConversionReadsThem) {
  const std::vector<std::string> tokens = {"0",      "-0",    "1",     "-1",          "%48997",   "251001",
                                           "4",      "350",   "-350.5", "1.001E+06", "1D-3",     "12.",
                                           "-",      "1x",    "%",     "99999999999999999999", ".5", "7e2",
                                           "1234567", "12345678", "-123456789", "%09876543", "98765432109",
                                           "12345678.5", "1234567x", "\x82\xa0", "7\x82\xa0", "9:", "0/"};
  const std::vector<std::string> separators = {" ", "  ", "        ", "         ", "             ", "\t", "\r", " \r"};
  std::mt19937 random(27);
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    const int count = static_cast<int>(random() % 10);
    if (random() % 2 == 0) line += separators[random() % separators.size()];
    for (int i = 0; i < count; ++i) {
      if (i > 0) line += separators[random() % separators.size()];
      line += tokens[random() % tokens.size()];
    }
    if (random() % 2 == 0) line += separators[random() % separators.size()];
    expect_as_converted(line);
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace verdan::plot_tool
