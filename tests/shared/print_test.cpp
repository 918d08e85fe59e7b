#include "shared/print.h"

#include <gtest/gtest.h>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

std::string printed_mask(std::string_view mask, std::initializer_list<MaskValue> values) {
  return apply_mask(mask, values);
}

TEST(Zones, ItemsAlignOnMultiplesOfFourteen) {
  StringSink s;
  print(s, 12, zone, 17);
  EXPECT_EQ(s.text(), " 12            17 \r\n");
  s.clear();
  // At a zone start a separator moves a whole zone on.
  print(s, zone, 1);
  EXPECT_EQ(s.text(), std::string(14, ' ') + " 1 \r\n");
}

TEST(Zones, DataFileHeaderAndNodeLinesMatchTheirLayout) {
  StringSink s;
  print(s, 12.0f, zone, 17.0f, zone, 1.0f, zone, 0.0f);
  print(s, 630.0, zone, 350.0);
  EXPECT_EQ(s.text(),
            " 12            17            1             0 \r\n"
            " 630           350 \r\n");
}

TEST(Zones, MemberLineIsSeventyThreeCharacters) {
  StringSink s;
  print(s, Using("### ### ###", {1.0f, 2.0f, 1.0f}), "   ", -1, zone, 0, zone, 0, zone, 0, zone, 0);
  const std::string line =
      "  1   2   1   -1             0             0             0             0 ";
  EXPECT_EQ(line.size(), 73u);
  EXPECT_EQ(s.text(), line + "\r\n");
}

TEST(LineEnds, TrailingSeparatorKeepsTheLineOpen) {
  StringSink s;
  print(s, "A", stay);
  print(s, 5, zone);
  print(s, "B");
  print(s);
  EXPECT_EQ(s.text(), "A 5           B\r\n\r\n");
}

TEST(Masks, ExamplesFromTheOutputRules) {
  EXPECT_EQ(printed_mask("### ### ###", {1, 2, 1}), "  1   2   1");
  EXPECT_EQ(printed_mask(" ###.### ", {3.5f}), "   3.500 ");
  EXPECT_EQ(printed_mask("Y&& +---", {"3"}), "Y3  +---");
  EXPECT_EQ(printed_mask("##FL +-  ", {3}), " 3FL +-  ");
  EXPECT_EQ(printed_mask("+-###.### -", {6.0f}), "+-  6.000 -");
  EXPECT_EQ(printed_mask("_-##.### -+", {12.5f}), "-12.500 -+");
  EXPECT_EQ(printed_mask("  ERROR : CODE =### LINE =#####", {55, 120}),
            "  ERROR : CODE = 55 LINE =  120");
}

TEST(Masks, NumbersTooWideAreWrittenWholeAfterPercent) {
  EXPECT_EQ(printed_mask("### -###", {999, 1000}), "999 -%1000");
  EXPECT_EQ(printed_mask("###", {-12}), "-12");
  EXPECT_EQ(printed_mask("###", {-123}), "%-123");
  EXPECT_EQ(printed_mask("###.###", {1234.5}), "%1234.500");
  EXPECT_EQ(printed_mask(".##", {0.999}), "%1.00");
}

TEST(Masks, RoundingZerosAndSigns) {
  EXPECT_EQ(printed_mask("###", {2.5f}), "  3");
  EXPECT_EQ(printed_mask("###", {-2.5f}), " -3");
  EXPECT_EQ(printed_mask("###", {0}), "  0");
  EXPECT_EQ(printed_mask("##.#", {0.05}), " 0.1");
  EXPECT_EQ(printed_mask(".##", {0.5}), ".50");
  EXPECT_EQ(printed_mask("#.##", {-0.5}), "-.50");
  EXPECT_EQ(printed_mask("#.##", {-0.001}), "0.00");  // no minus before a rounded zero
  EXPECT_EQ(printed_mask("##.##", {1.005}), " 1.01");  // decimal digits, not binary noise
  EXPECT_EQ(printed_mask("###.###", {0.0004}), "  0.000");
  EXPECT_EQ(printed_mask("###.#", {0.05f}), "  0.1");
  EXPECT_EQ(printed_mask("+###", {5}), "  +5");
  EXPECT_EQ(printed_mask("###-", {-5}), "  5-");
  EXPECT_EQ(printed_mask("###-", {5}), "  5 ");
}

TEST(Masks, TextFieldsCutByCharacterAndPad) {
  EXPECT_EQ(printed_mask("[&  &]", {"ABCDEF"}), "[ABCD]");
  EXPECT_EQ(printed_mask("[& &]", {sj("あいう")}), "[" + sj("あ") + " ]");
  EXPECT_EQ(printed_mask("[&]", {"whole text"}), "[whole text]");
  // "_" escapes any character, a double-byte one whole.
  EXPECT_EQ(printed_mask(sj("___#_表##"), {7}), "_#" + sj("表") + " 7");
}

TEST(Masks, ValuesRestartTheMaskOrStopAtTheFirstEmptyField) {
  EXPECT_EQ(printed_mask("<##>", {1, 2}), "< 1>< 2>");
  EXPECT_EQ(printed_mask("### - ###", {1}), "  1 - ");
}

TEST(Masks, WrongValueKindsAreFailures) {
  try {
    printed_mask("###", {"text"});
    FAIL();
  } catch (const Failure& f) {
    EXPECT_EQ(f.code(), kTypeMismatch);
  }
  try {
    printed_mask("&&", {3});
    FAIL();
  } catch (const Failure& f) {
    EXPECT_EQ(f.code(), kTypeMismatch);
  }
  try {
    printed_mask("no fields", {3});
    FAIL();
  } catch (const Failure& f) {
    EXPECT_EQ(f.code(), kIllegalFunctionCall);
  }
}

}  // namespace
}  // namespace verdan
