#include "platform/codec/cp932.h"

#include <gtest/gtest.h>

namespace verdan {
namespace {

TEST(Cp932Codec, RoundTripsJapaneseAsciiAndHalfWidthKana) {
  const std::string utf8 = "設定終了 (Y/N) ｱｲｳ ソ表能 ＊＊";
  const std::string sjis = to_cp932(utf8);
  // 設 = 90 DD, ソ = 83 5C (a second byte that looks like '\'), ｱ = B1.
  EXPECT_EQ(sjis.substr(0, 2), "\x90\xDD");
  EXPECT_NE(sjis.find("\xB1\xB2\xB3"), std::string::npos);
  EXPECT_NE(sjis.find("\x83\x5C"), std::string::npos);
  EXPECT_EQ(to_utf8(sjis), utf8);
}

TEST(Cp932Codec, UnmappableCharactersBecomeVisibleReplacements) {
  // é is narrow, 😀 wide (4-byte UTF-8), 0xFF a malformed UTF-8 byte.
  EXPECT_EQ(to_cp932("aéb"), "a?b");
  EXPECT_EQ(to_cp932("a\xF0\x9F\x98\x80z"), "a\x81\x48z");
  EXPECT_EQ(to_cp932("a\xFF\xFEz"), "a??z");
  EXPECT_EQ(to_cp932("\xE3\x81"), "??");  // truncated sequence: one each
  // Bytes without a character and a lone lead byte at the end.
  EXPECT_EQ(to_utf8("\xA0x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(to_utf8("x\x82"), "x\xEF\xBF\xBD");
  EXPECT_EQ(to_utf8("\x82\x20"), "\xEF\xBF\xBD");  // bad trail: one replacement for the pair
}

TEST(Cp932Codec, FindsTheFirstCharacterCp932DoesNotDefine) {
  EXPECT_EQ(undefined_char_at(to_cp932("設定 ｱ ソ表 ABC")), std::string_view::npos);
  EXPECT_EQ(undefined_char_at(""), std::string_view::npos);
  EXPECT_EQ(undefined_char_at("\x83/AB"), 0u);  // a lead byte before "/"
  EXPECT_EQ(undefined_char_at("AB\x83"), 2u);   // a lead byte with nothing after it
  EXPECT_EQ(undefined_char_at("A\x85\x40"), 1u);  // an unassigned pair
  EXPECT_EQ(undefined_char_at("A\x90\xDD\x80"), 3u);
  EXPECT_EQ(undefined_char_at("\xFF"), 0u);
}

TEST(Cp932Codec, WaveDashFromInputMethodsMapsToTheCp932Tilde) {
  EXPECT_EQ(to_cp932("\xE3\x80\x9C"), "\x81\x60");  // U+301C
  EXPECT_EQ(to_cp932("～"), "\x81\x60");            // U+FF5E
}

TEST(Cp932Stepping, SecondBytesThatLookLikeAsciiNeverMatch) {
  const std::string path = sj("C:\\表\\ソフト_能");
  // 表 = 95 5C, ソ = 83 5C, 能 = 94 5C: only the two real separators count.
  EXPECT_EQ(find_char(path, '\\'), 2u);
  EXPECT_EQ(find_char(path, '\\', 3), 5u);
  EXPECT_EQ(find_char(path, '\\', 6), std::string::npos);
  EXPECT_EQ(find_char(sj("ア_"), '_'), 2u);
  EXPECT_EQ(char_length("\x82", 0), 1u);
  EXPECT_EQ(char_length("\xB1\x82\xA0", 0), 1u);
  EXPECT_EQ(char_length("\xB1\x82\xA0", 1), 2u);
}

// A lead byte before a quote is no character: the quote is still dropped,
// or a settings field read back would end there and shift every later one.
TEST(Cp932Stepping, QuoteAfterAStrayLeadByteIsDropped) {
  EXPECT_EQ(without_char("\xe2\"2.1", '"'), "\xe2" "2.1");
  EXPECT_EQ(without_char("PR\x85\"", '"'), "PR\x85");
  EXPECT_EQ(without_char("\x83\x5c\"", '"'), "\x83\x5c");  // a whole character stays whole
}

TEST(Cp932Stepping, EndingInABackslashMeansTheLastCharacter) {
  EXPECT_TRUE(ends_with_char("C:\\", '\\'));
  EXPECT_FALSE(ends_with_char(sj("C:\\表"), '\\'));  // 95 5C ends in a byte 5C
  EXPECT_TRUE(ends_with_char(sj("C:\\表\\"), '\\'));
  EXPECT_FALSE(ends_with_char("", '\\'));
}

TEST(Cp932Stepping, CuttingToAWidthNeverSplitsACharacter) {
  const std::string text = sj("aあい");
  EXPECT_EQ(cut_to_width(text, 4), sj("aあ"));
  EXPECT_EQ(cut_to_width(text, 2), "a");
  EXPECT_EQ(cut_to_width(text, 9), text);
}

TEST(Cp932Literal, IsConvertedOnceAndKept) {
  const char* literal = "番号";
  const std::string& first = sj(literal);
  EXPECT_EQ(first, "\x94\xD4\x8D\x86");
  EXPECT_EQ(&sj(literal), &first);
}

}  // namespace
}  // namespace verdan
