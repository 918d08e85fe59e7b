// Index rules the dialogue cases do not reach.
#include "control/index_entry.h"

#include <gtest/gtest.h>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

TEST(IndexEntryRules, ShortAndUnquotedLinesKeepTheirColumns) {
  IndexEntry e = parse_index_line("AB");
  EXPECT_EQ(e.registered_date, "19        ");
  EXPECT_EQ(index_line(e), "AB                19                                         ");
  EXPECT_EQ(index_field("  \"A,B\",rest"), "A,B");
  EXPECT_EQ(index_field("FRAME      1234   2019/02/20   one, two"), "FRAME      1234   2019/02/20   one, two");
  // A double quote would end the rewritten field early.
  e.comment = "say \"hi\"";
  EXPECT_EQ(index_line(e), "AB                19           say  hi ");
}

// Leading blanks are skipped as by the field rules, quotes or not; a comma
// in the comment of an unquoted line stays in it.
TEST(IndexEntryRules, UnquotedLinesLoseTheirLeadingBlanksAndKeepTheirCommas) {
  EXPECT_EQ(index_field("  LEAD       1000   2019/02/20   x, y"), "LEAD       1000   2019/02/20   x, y");
  IndexEntry e = parse_index_line(index_field("  LEAD       1000   2019/02/20   x, y"));
  EXPECT_EQ(e.file_name, "LEAD       ");
  EXPECT_EQ(e.user_number, 1000);
  EXPECT_EQ(e.registered_date, "2019/02/20");
  EXPECT_EQ(e.comment, "x, y" + std::string(26, ' '));
}

TEST(IndexEntryRules, MatchKeys) {
  EXPECT_EQ(match_key("a.b        "), "A         B ");
  EXPECT_EQ(match_key("ABCDEFGHIJKLMN"), "ABCDEFGHIJKL");
  // ヂ is 83 61: its second byte looks like "a" and must not become ア (83 41).
  EXPECT_EQ(match_key(sj("ヂx")), sj("ヂX") + std::string(9, ' '));
  EXPECT_EQ(file_updated_info(12, 1, 5), "12/01       5");
}

TEST(IndexEntryRules, ListingColumnsAndSizes) {
  EXPECT_EQ(listing_date_column(sj("MS-DOS ﾊﾞｰｼﾞｮﾝ 6.20"), false), 27);
  EXPECT_EQ(listing_date_column("Version 5", false), 32);
  auto column32 = listing_fact("FRAME       " "       " "   1234" "     " "02-20-19  10:00", 32);
  ASSERT_TRUE(column32);
  EXPECT_EQ(column32->updated_info, "02/20    1234");
  EXPECT_FALSE(listing_fact(" Directory of C:\\DATA", 27));
  EXPECT_EQ(size_text(999999), "999,999");
  EXPECT_EQ(size_text(1000000), "1000000");
  EXPECT_EQ(size_text(12345678), "12345678");
}

TEST(IndexEntryRules, OnlyPlainNamesInsideTheDataDirectoryAreDeleted) {
  EXPECT_TRUE(deletable_in_data_dir("A.B"));
  // 表 is 95 5C: its second byte is no directory separator.
  EXPECT_TRUE(deletable_in_data_dir(sj("表")));
  for (const char* name : {"..", ".", "C:X", "SUB/X", "/etc/x", "index", "A\tB", "A\x7f", "A\x1a"}) {
    EXPECT_FALSE(deletable_in_data_dir(name)) << name;
  }
  // A NUL would make the host see "A" alone.
  EXPECT_FALSE(deletable_in_data_dir(std::string_view("A\0B", 3)));
  // Bytes of no character: the lead byte hides the "/" from the stepping.
  EXPECT_FALSE(deletable_in_data_dir("\x83/AB"));
  EXPECT_FALSE(deletable_in_data_dir("AB\x83"));
}

}  // namespace
}  // namespace verdan
