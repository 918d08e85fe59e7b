#include "shared/console_routines.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/frontends/headless/scripted_console.h"

namespace verdan {
namespace {

TEST(Inn, ReadsEntriesAsTheirLeadingNumbersAndEchoes) {
  ScriptedConsole console({"12", "", "abc", "3.5x", "-2"});
  EXPECT_EQ(INN(console, "N="), 12);
  EXPECT_EQ(INN(console, "N="), 0);
  EXPECT_EQ(INN(console, "N="), 0);
  EXPECT_EQ(INN(console, "N="), 3.5f);
  EXPECT_EQ(INN(console, "N="), -2);
  EXPECT_EQ(console.row_text(0), "N=12");
  EXPECT_EQ(console.row_text(3), "N=3.5x");
  EXPECT_EQ(console.cursor_row(), 5);  // each entry ends its line
}

TEST(Ask, ShowsTheQuestionMark) {
  ScriptedConsole console({"y"});
  EXPECT_EQ(ask(console, "OK "), "y");
  EXPECT_EQ(console.row_text(0), "OK ? y");
}

TEST(Day, FourDigitYearsFromTwoDigitOnes) {
  EXPECT_EQ(DAY(FixedClock({2024, 3, 5})), "2024/03/05");
  EXPECT_EQ(DAY(FixedClock({1999, 12, 31})), "1999/12/31");
  EXPECT_EQ(DAY(FixedClock({1980, 1, 1})), "1980/01/01");
  EXPECT_EQ(DAY(FixedClock({2079, 6, 30})), "2079/06/30");
}

TEST(Getenv, UnsetIsEmptyAndValuesComeWhole) {
  ::unsetenv("VERDAN_TEST_UNSET");
  EXPECT_EQ(GETENV("VERDAN_TEST_UNSET"), "");
  ::setenv("VERDAN_TEST_VALUE", "a b;c", 1);
  EXPECT_EQ(GETENV("VERDAN_TEST_VALUE"), "a b;c");
}

}  // namespace
}  // namespace verdan
