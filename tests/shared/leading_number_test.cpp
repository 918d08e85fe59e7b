#include "shared/leading_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace verdan {
namespace {

TEST(LeadingNumber, TakesTheLeadingNumberOfAnEntry) {
  EXPECT_EQ(leading_number("12"), 12);
  EXPECT_EQ(leading_number(""), 0);
  EXPECT_EQ(leading_number("abc"), 0);
  EXPECT_EQ(leading_number("3.5x"), 3.5f);
  EXPECT_EQ(leading_number("-2"), -2);
  EXPECT_EQ(leading_number("   +7"), 7);
  EXPECT_EQ(leading_number(".5"), 0.5f);
  EXPECT_EQ(leading_number("1.2.3"), 1.2f);
  EXPECT_EQ(leading_number("4 5"), 4);   // stops at the blank
  EXPECT_EQ(leading_number("-"), 0);
  EXPECT_EQ(leading_number("."), 0);
  EXPECT_EQ(leading_number("3.2004"), 3.2004f);
}

TEST(LeadingNumber, HexadecimalAndOctalPrefixes) {
  EXPECT_EQ(leading_number("&H1F"), 31);
  EXPECT_EQ(leading_number("&hff"), 255);
  EXPECT_EQ(leading_number("&O17"), 15);
  EXPECT_EQ(leading_number("&17"), 15);
  EXPECT_EQ(leading_number("&H"), 0);
  EXPECT_EQ(leading_number("&O8"), 0);
}

TEST(LeadingNumber, HugeEntriesStayHugeInsteadOfBecomingZero) {
  const std::string huge(60, '9');
  EXPECT_EQ(leading_number(huge), std::numeric_limits<float>::max());
  EXPECT_EQ(leading_number("-" + huge), -std::numeric_limits<float>::max());
  EXPECT_EQ(leading_number("0." + std::string(60, '0') + "1"), 0);
}

}  // namespace
}  // namespace verdan
