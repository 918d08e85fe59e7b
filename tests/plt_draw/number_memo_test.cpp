// Kept number texts must be the texts the conversion writes, whatever was
// kept or put out before.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "plt_draw/number_memo.h"
#include "shared/plot_numbers.h"

namespace verdan {
namespace {

// A conversion that tells every bit pattern apart, the sign of zero and
// NaN payloads included, and writes texts of many lengths.
char* bits_text(char* out, float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const std::string text = std::to_string(bits) + std::string(bits % 7, '#');
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

std::string through(NumberMemo<float, 11>& memo, float value, int& conversions) {
  char out[32];
  char* end = memo.put(out, value, [&](char* o) {
    ++conversions;
    return bits_text(o, value);
  });
  return {out, end};
}

TEST(NumberMemo, GivesTheConvertedTextOfEachValueAmongCollisionsAndEvictions) {
  // Far more values than the memo holds, drawn again and again, so sets
  // overflow and kept texts are pushed out and made again.
  std::mt19937 random(7);
  std::vector<float> values;
  std::uniform_int_distribution<std::uint32_t> any_bits;
  for (int i = 0; i < 20000; ++i) {
    const std::uint32_t bits = any_bits(random);
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    values.push_back(v);
  }
  values.push_back(0.0f);
  values.push_back(-0.0f);
  NumberMemo<float, 11> memo;
  int conversions = 0;
  std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
  for (int i = 0; i < 200000; ++i) {
    const float v = values[i % 3 == 0 ? values.size() - 1 - i % 2 : pick(random)];
    char expected[32];
    ASSERT_EQ(through(memo, v, conversions), std::string(expected, bits_text(expected, v))) << i;
  }
  // A value met again is copied, not converted: zero and minus zero alone
  // are asked for 66,667 times.
  EXPECT_LT(conversions, 200000 - 60000);
}

TEST(NumberMemo, RecurringCoordinatesAreConvertedOnce) {
  NumberMemo<float, 11> memo;
  int conversions = 0;
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 2000; ++i) {
      const float v = static_cast<float>(i) * 23.5f - 1000.5f;
      char out[32];
      char* end = memo.put(out, v, [&](char* o) {
        ++conversions;
        return write_n2a(o, v);
      });
      ASSERT_EQ(std::string(out, end), N2A(v));
    }
  }
  EXPECT_LE(conversions, 2000 + 20);  // a few values may meet two others in a set
}

}  // namespace
}  // namespace verdan
