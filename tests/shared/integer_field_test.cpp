#include "shared/integer_field.h"

#include <gtest/gtest.h>

#include <string>

#include "shared/free_format.h"
#include "shared/mask.h"

namespace verdan {
namespace {

// The direct writer stands in for the mask writer in the large outputs; any
// difference would change a data file.
TEST(IntegerField, SameBytesAsTheMaskForEveryWidthAndSize) {
  const long long values[] = {0, 1, 9, 10, 99, 100, 999, 1000, 12345, 4'002'000, 15'988'002,
                              -1, -9, -10, -99, -100, -1000, 2'147'483'647LL, -2'147'483'648LL};
  for (int width = 1; width <= 4; ++width) {
    for (long long v : values) {
      std::string line = "x";
      append_integer_field(line, v, width);
      EXPECT_EQ(line, "x" + apply_mask(std::string(static_cast<std::size_t>(width), '#'), {static_cast<long>(v)}))
          << v << " in " << width;
    }
  }
}

// The member lines are put together in a byte buffer by the same writer.
TEST(IntegerField, BufferWriterEndsWhereTheFieldEnds) {
  const long long values[] = {0, 7, 999, 1000, -99, -100, 4'002'000, -2'147'483'648LL};
  for (int width = 1; width <= 4; ++width) {
    for (long long v : values) {
      char field[48];
      char* end = put_integer_field(field, v, width);
      std::string expected;
      append_integer_field(expected, v, width);
      EXPECT_EQ(std::string(field, end), expected) << v << " in " << width;
      EXPECT_EQ(expected, apply_mask(std::string(static_cast<std::size_t>(width), '#'), {static_cast<long>(v)}))
          << v << " in " << width;
    }
  }
}

TEST(IntegerField, PlainDigitsEndWhereTheSingleFreeFormatTurnsToExponents) {
  EXPECT_EQ(number_text(static_cast<float>(kPlainSingleMax)), " 999999");
  EXPECT_EQ(number_text(static_cast<float>(kPlainSingleMax + 1)), " 1E+06");
}

}  // namespace
}  // namespace verdan
