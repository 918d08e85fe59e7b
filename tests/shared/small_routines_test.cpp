#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "shared/failure_report.h"
#include "shared/leading_number.h"
#include "shared/wide_numerals.h"
#include "shared/plot_numbers.h"
#include "shared/value_routines.h"

namespace verdan {
namespace {

int failure_code(void (*step)()) {
  try {
    step();
  } catch (const Failure& f) {
    return f.code();
  }
  return 0;
}

TEST(PlotNumbers, FixedDecimalTexts) {
  EXPECT_EQ(MAR(3.14159f, 2), " 3.14");
  EXPECT_EQ(MAR(-2, 1), "-2.0");
  EXPECT_EQ(MAR(2.5f, 0), " 3");
  EXPECT_EQ(MAR(-2.5f, 0), "-3");
  EXPECT_EQ(MAR(1, 3), " 1.000");
  EXPECT_EQ(MAR(0.25f, 1), " .3");
  EXPECT_EQ(MAR(1234.5f, -2), " 1200");
  EXPECT_EQ(failure_code([] { MAR(1, 60); }), kOverflow);
}

TEST(PlotNumbers, PlainAndWholeTexts) {
  EXPECT_EQ(N2A(0), "0");
  EXPECT_EQ(N2A(-0.5f), "-.5");
  EXPECT_EQ(N2A(0.09f), ".09");
  EXPECT_EQ(N2A(150), "150");
  EXPECT_EQ(S2X(12.9f), "12");
  EXPECT_EQ(S2X(-3.5f), "4");  // floor is -4, its minus sign dropped with the first character
  EXPECT_EQ(S2X(0), "0");
}

TEST(PlotNumbers, BinaryFieldsAreLittleEndian) {
  EXPECT_EQ(F2X(1), std::string("\x00\x00\x80\x3F", 4));
  EXPECT_EQ(L2X(65536), std::string("\x00\x00\x01\x00", 4));
  EXPECT_EQ(L2X(-1), std::string("\xFF\xFF\xFF\xFF", 4));
  EXPECT_EQ(I2X(-1.5f), std::string("\xFE\xFF", 2));
  EXPECT_EQ(I2X(32767), std::string("\xFF\x7F", 2));
  EXPECT_EQ(I2X(-32768), std::string("\x00\x80", 2));
}

TEST(PlotNumbers, FieldsOutOfRangeAreOverflowFailures) {
  EXPECT_EQ(failure_code([] { I2X(32768); }), kOverflow);
  EXPECT_EQ(failure_code([] { I2X(-32768.5f); }), kOverflow);
  EXPECT_EQ(failure_code([] { L2X(3e9f); }), kOverflow);
  EXPECT_EQ(failure_code([] { L2X(__builtin_nanf("")); }), kOverflow);
  // A command text never carries "Inf" or "NaN".
  EXPECT_EQ(failure_code([] { N2A(__builtin_inff()); }), kOverflow);
  EXPECT_EQ(failure_code([] { N2A(__builtin_nanf("")); }), kOverflow);
  EXPECT_EQ(failure_code([] { S2X(-__builtin_inff()); }), kOverflow);
  EXPECT_EQ(failure_code([] { MAR(__builtin_inff(), 2); }), kOverflow);
}

TEST(ValueRoutines, CodesAndBitSets) {
  EXPECT_EQ(DAT2SP("120"), 35);
  EXPECT_EQ(DAT2SP("3"), DAT2SP("2"));
  EXPECT_EQ(DAT2SP("x1"), 2);
  EXPECT_EQ(DAT2SP(""), 0);
  EXPECT_EQ(SP2DAT(35), "120");
  EXPECT_EQ(SP2DAT(0), "000");
  EXPECT_EQ(SP2DAT(DAT2SP("212")), "212");
  EXPECT_EQ(SP2DAT(DAT2SP("001")), "001");
  EXPECT_EQ(MIN(2, 2), 2);
  EXPECT_EQ(MIN(-1, 3), -1);
}

}  // namespace
}  // namespace verdan

namespace verdan {
namespace {

TEST(WideNumerals, FullWidthNumbersReadAsTheNumbersTheyShow) {
  EXPECT_EQ(narrow_numerals(sj("１２．５")), "12.5");
  EXPECT_EQ(narrow_numerals(sj("－３，４　５")), "-3,4 5");
  EXPECT_EQ(narrow_numerals(sj("山１")), sj("山") + "1");
  EXPECT_EQ(leading_number(narrow_numerals(sj("１"))), 1.0f);
}

TEST(FailureLog, KeepsWholeNewestLinesWithinItsLimit) {
  const std::string path = ::testing::TempDir() + "verdan-failure-log-test.log";
  std::remove(path.c_str());
  for (int i = 0; i < 10; ++i) append_to_log(path, "line " + std::to_string(i), 30);
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "line 6\nline 7\nline 8\nline 9\n");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace verdan
