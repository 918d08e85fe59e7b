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
  // Whole numbers up to seven digits, as an owner's number in "INDEX".
  EXPECT_EQ(register_number("9999999"), 9999999.0f);
  EXPECT_EQ(register_number("100000"), 100000.0f);
  for (const char* rejected : {"12abc", "1.5", "10000000", "-", ".", "1 2"}) {
    EXPECT_FALSE(register_number(rejected)) << rejected;
  }
  EXPECT_EQ(name_entry("  A\"B  "), "AB");
  // ソ is 83 5C, 表 95 5C: no comma or blank hides in them.
  EXPECT_EQ(name_entry(sj("ソ表,x")), sj("ソ表"));
  // Characters led by 0x85 take one column.
  EXPECT_EQ(padded_name("\x85\x40\x85\x41"), "\x85\x40\x85\x41    ");
  EXPECT_EQ(padded_name(""), "      ");
}

// A grid place has twelve columns and a blank before the next: a number
// wider than five digits shows whole, and the name what is left of them.
TEST(RegisterEntryRules, GridPlacesAndTheEchoShowWideNumbersWhole) {
  auto shown = [](float number, const std::string& name) {
    GridText text = grid_text({number, name});
    return text.number + "|" + text.name;
  };
  EXPECT_EQ(shown(12, "AB    "), "   12 |AB    ");
  EXPECT_EQ(shown(99999, sj("長谷川太")), "99999 |" + sj("長谷川太"));
  EXPECT_EQ(shown(123456, "ABC   "), "123456 |ABC  ");
  // All seven digits, though a single's free format has six; the name is
  // cut between characters.
  EXPECT_EQ(shown(9999999, sj("山田  ")), "9999999 |" + sj("山田"));
  EXPECT_EQ(shown(1234567, sj("長谷川")), "1234567 |" + sj("長谷"));
  EXPECT_EQ(number_echo(12), "   12   ");
  EXPECT_EQ(number_echo(123456), "123456  ");
  EXPECT_EQ(number_echo(9999999), "9999999 ");
  EXPECT_EQ(register_line({9999999, "A     "}), "9999999,\"A     \"");
}

}  // namespace
}  // namespace verdan
