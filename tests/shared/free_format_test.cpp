#include "shared/free_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "shared/plot_numbers.h"

namespace verdan {
namespace {

TEST(FreeFormat, SingleAndDoublePrecisionExamples) {
  EXPECT_EQ(free_format(0.5f), " .5 ");
  EXPECT_EQ(free_format(-2.0f), "-2 ");
  EXPECT_EQ(free_format(630.1), " 630.1 ");  // no tail of binary noise
  EXPECT_EQ(free_format(630.1f), " 630.1 ");
  EXPECT_EQ(free_format(1234567.0f), " 1.23457E+06 ");
  EXPECT_EQ(free_format(0.0f), " 0 ");
  EXPECT_EQ(free_format(-0.0), " 0 ");
  EXPECT_EQ(free_format(-0.5), "-.5 ");
  EXPECT_EQ(free_format(100.0f), " 100 ");
  EXPECT_EQ(free_format(123456.0f), " 123456 ");
  EXPECT_EQ(free_format(999999999999999.0), " 999999999999999 ");
  EXPECT_EQ(free_format(1e15), " 1D+15 ");
  EXPECT_EQ(free_format(1.5e20f), " 1.5E+20 ");
  EXPECT_EQ(free_format(2.5e-300), " 2.5D-300 ");
}

TEST(FreeFormat, RoundsHalfUpFromTheExactNextDigit) {
  // Exactly representable ties: half up, not half to even.
  EXPECT_EQ(free_format(1234565.0f), " 1.23457E+06 ");
  EXPECT_EQ(free_format(8388605.0f), " 8.38861E+06 ");
  EXPECT_EQ(free_format(1234567890123455.0), " 1.23456789012346D+15 ");
  EXPECT_EQ(free_format(0.125f), " .125 ");
  // Rounding that carries into a new digit and out of the fixed range.
  EXPECT_EQ(free_format(999999.5f), " 1E+06 ");
  EXPECT_EQ(free_format(99999.95f), " 100000 ");
  // 0.1f is 0.100000001490116...: the seventh digit is 0.
  EXPECT_EQ(free_format(0.1f), " .1 ");
  EXPECT_EQ(free_format(2.675), " 2.675 ");
}

TEST(FreeFormat, SmallMagnitudesSwitchToExponentBelowOneThousandth) {
  EXPECT_EQ(free_format(0.001f), " .001 ");
  EXPECT_EQ(free_format(0.00123), " .00123 ");
  EXPECT_EQ(free_format(0.0001f), " 1E-04 ");
  EXPECT_EQ(free_format(-0.000123456789), "-1.23456789D-04 ");
}

TEST(FreeFormat, IntegersKeepFifteenDigits) {
  EXPECT_EQ(free_format(-1LL), "-1 ");
  EXPECT_EQ(free_format(0LL), " 0 ");
  EXPECT_EQ(free_format(123456789012345LL), " 123456789012345 ");
  EXPECT_EQ(free_format(1234567890123456LL), " 1.23456789012346D+15 ");
}

TEST(NumberText, IsTheFreeFormatWithoutTrailingBlank) {
  EXPECT_EQ(number_text(12.0f), " 12");
  EXPECT_EQ(number_text(-0.25), "-.25");
  EXPECT_EQ(number_text(7LL), " 7");
}

// Reference: the exact decimal expansion from printf, cut to n digits and
// rounded half up from digit n + 1 by hand.
struct Reference {
  std::string digits;  // significant digits, trailing zeros removed
  int exponent;
};

Reference reference_digits(double magnitude, int n) {
  static char buf[1200];
  std::snprintf(buf, sizeof buf, "%.800e", magnitude);
  std::string all;
  all += buf[0];
  const char* p = buf + 2;
  while (*p != 'e') all += *p++;
  int exponent = std::atoi(p + 1);
  std::string kept = all.substr(0, n);
  if (all[n] >= '5') {
    int i = n - 1;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i < 0) {
      kept.insert(kept.begin(), '1');
      kept.pop_back();
      ++exponent;
    } else {
      ++kept[i];
    }
  }
  while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
  return {kept, exponent};
}

// Reads significant digits and exponent back from a free-format text.
Reference parse_free(const std::string& text) {
  std::string mantissa = text.substr(1, text.size() - 2);  // sign and trailing blank
  int exponent = 0;
  std::size_t e = mantissa.find_first_of("ED");
  if (e != std::string::npos) {
    exponent = std::atoi(mantissa.c_str() + e + 1);
    mantissa.resize(e);
  }
  std::size_t point = mantissa.find('.');
  std::string digits = mantissa;
  if (point != std::string::npos) digits.erase(point, 1);
  else point = mantissa.size();
  std::size_t first = digits.find_first_not_of('0');
  exponent += static_cast<int>(point) - static_cast<int>(first) - 1;
  digits = digits.substr(first);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return {digits, exponent};
}

TEST(FreeFormat, RandomValuesKeepSixOrFifteenDigitsRoundedHalfUp) {
  std::mt19937_64 rng(20261207);
  std::uniform_real_distribution<double> log_magnitude(-3.0, 12.0);
  std::uniform_int_distribution<int> digit_count(1, 9);
  for (int i = 0; i < 20000; ++i) {
    double base = std::pow(10.0, log_magnitude(rng));
    // Half of the values are short decimals, which hit ties and carries.
    if (i % 2) {
      double scale = std::pow(10.0, digit_count(rng) - std::floor(std::log10(base)) - 1);
      base = std::round(base * scale) / scale;
    }
    const bool negative = i % 3 == 0;
    float single = static_cast<float>(negative ? -base : base);
    double dbl = negative ? -base : base;

    std::string s = free_format(single);
    ASSERT_EQ(s[0], negative ? '-' : ' ') << s;
    Reference want = reference_digits(std::fabs(static_cast<double>(single)), kSingleDigits);
    Reference got = parse_free(s);
    ASSERT_EQ(got.digits, want.digits) << s << " for " << single;
    ASSERT_EQ(got.exponent, want.exponent) << s;

    std::string d = free_format(dbl);
    want = reference_digits(std::fabs(dbl), kDoubleDigits);
    got = parse_free(d);
    ASSERT_EQ(got.digits, want.digits) << d;
    ASSERT_EQ(got.exponent, want.exponent) << d;
  }
}

TEST(FreeFormat, ExtremeMagnitudesTakeTheExactSlowRoad) {
  for (double v : {1e-30, 3.3e-200, 1.7e308, 4.9e-324, 123456789e40}) {
    Reference want = reference_digits(v, kDoubleDigits);
    Reference got = parse_free(free_format(v));
    EXPECT_EQ(got.digits, want.digits) << v;
    EXPECT_EQ(got.exponent, want.exponent) << v;
  }
}

// Singles are rounded by one multiplication unless the product lies near a
// tie; whatever the road, the digits are those of the exact rounding.
TEST(FreeFormat, SinglesAgreeWithTheExactRoundingNearTiesAndCarries) {
  const auto check = [](float value) {
    const SignificantDigits exact = round_significant(std::fabs(static_cast<double>(value)), kSingleDigits);
    std::string digits = std::to_string(exact.digits);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const std::string text = free_format(value);
    const Reference got = parse_free(text);
    ASSERT_EQ(text[0], value < 0 ? '-' : ' ') << text;
    ASSERT_EQ(got.digits, digits) << text << " for " << value;
    ASSERT_EQ(got.exponent, exact.exponent) << text << " for " << value;
  };
  for (float v : {9.9995f, 9.99995f, 9.999995f, -9.999995f, 99999.95f, 999999.5f, 0.0009999995f, 0.001f,
                  123456.5f, 1234565.0f, -0.5f, 0.075f, 0.18f, 1e22f, 1e23f, 3e-23f, 1e-30f,
                  std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
                  std::numeric_limits<float>::denorm_min()}) {
    check(v);
  }
  // Seven-digit ties at every exponent a single reaches, and the singles
  // around them.
  std::mt19937 rng(9995);
  std::uniform_int_distribution<int> six_digits(100000, 999999);
  for (int exponent = -44; exponent <= 31; ++exponent) {
    for (int i = 0; i < 200; ++i) {
      const double tie = (six_digits(rng) * 10.0 + 5) * std::pow(10.0, exponent);
      float v = static_cast<float>(tie);
      for (int step = 0; step < 3; ++step) v = std::nextafter(v, 0.0f);
      for (int step = 0; step < 7 && std::isfinite(v); ++step, v = std::nextafter(v, HUGE_VALF)) {
        if (v != 0) check(i % 2 ? -v : v);
      }
    }
  }
  // A sweep over the bit patterns of the finite singles.
  for (std::uint32_t bits = 1; bits < 0x7F800000u; bits += 4099) check(std::bit_cast<float>(bits));
  EXPECT_EQ(free_format(-0.0f), " 0 ");
}

// The digits' count comes from the number's bits: every count, at the
// edges of its powers of ten and of two.
TEST(WriteDecimal, EveryCountOfDigitsAtTheEdgesOfPowersOfTenAndTwo) {
  std::vector<std::uint64_t> values = {0, UINT64_MAX, UINT64_MAX - 1};
  for (std::uint64_t p : kPowersOfTen) values.insert(values.end(), {p - 1, p, p + 1});
  for (int bit = 0; bit < 64; ++bit) {
    const std::uint64_t p = std::uint64_t{1} << bit;
    values.insert(values.end(), {p - 1, p, p + 1});
  }
  for (std::uint64_t v : values) {
    char expected[24], got[24];
    const std::string_view want(expected, static_cast<std::size_t>(std::to_chars(expected, expected + 24, v).ptr - expected));
    ASSERT_EQ(std::string_view(got, static_cast<std::size_t>(write_decimal(got, v) - got)), want);
  }
}

// N2A writes whole numbers of up to eight digits and halves of up to six
// straight; they read as the free format does.
TEST(N2A, WholeNumbersAndHalvesAreTheFreeFormatWithoutItsBlank) {
  const auto check = [](float v) {
    const std::string free = number_text(v);
    ASSERT_EQ(N2A(v), free[0] == ' ' ? free.substr(1) : free) << v;
  };
  for (float v = -1100000; v <= 1100000; v += 37) check(v);
  // Seven and eight digits: six significant ones in the exponent form.
  for (float v = 1e6f; v < 1.2e8f; v += 997) {
    check(v);
    check(-v);
  }
  for (float v = -120000.5f; v <= 120000; v += 12.5f) check(v);
  for (float v : {0.0f, -0.0f, 0.5f, -0.5f, 99999.5f, -99999.5f, 999999.0f, -999999.0f, 999999.5f, 1e6f, 0.25f,
                  0.1f, 123456.5f, 1000005.0f, 1000004.0f, 9999995.0f, -9999995.0f, 9999994.0f, 10000050.0f,
                  99999952.0f, 99999944.0f, 1e8f, 16777217.0f, 1e6f + 0.5f}) {
    check(v);
  }
}

}  // namespace
}  // namespace verdan
