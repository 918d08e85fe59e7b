// Register rules the screen cases do not reach.
#include "control/register_entry.h"

#include <gtest/gtest.h>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

TEST(RegisterEntryRules, NumbersNamesAndWidths) {
  EXPECT_EQ(register_number(" 42 "), 42.0f);
  EXPECT_EQ(register_number(""), 0.0f);
  EXPECT_EQ(register_number("-0.5"), -0.5f);
  EXPECT_EQ(register_number("99999"), 99999.0f);
  // Only whole numbers the grid's five positions show as they are.
  for (const char* rejected : {"12abc", "1.5", "100000", "1234567", "-", ".", "1 2"}) {
    EXPECT_FALSE(register_number(rejected)) << rejected;
  }
  EXPECT_EQ(name_entry("  A\"B  "), "AB");
  // ソ is 83 5C, 表 95 5C: no comma or blank hides in them.
  EXPECT_EQ(name_entry(sj("ソ表,x")), sj("ソ表"));
  // Characters led by 0x85 take one column.
  EXPECT_EQ(padded_name("\x85\x40\x85\x41"), "\x85\x40\x85\x41    ");
  EXPECT_EQ(padded_name(""), "      ");
}

}  // namespace
}  // namespace verdan
