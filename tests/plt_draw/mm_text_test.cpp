// Millimetre numbers of the drawing files against the fixed-point text they
// have always been: four decimals rounded on the exact value, zeros cut.
#include "plt_draw/mm_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace verdan {
namespace {

std::string fixed_reference(double value) {
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  std::string text(buffer, end);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

TEST(MmText, AgreesWithTheFixedPointTextOnEdgesTiesAndRandomValues) {
  std::vector<double> values = {0.0, -0.0, 9.9995, 9.99995, -9.99995, 0.00005, 0.000049999, -0.00005, 0.03125,
                                0.09375, 0.15625, 2.5e-5, 1e-300, std::numeric_limits<double>::denorm_min(),
                                12.5, -0.25, 297, 420.00004999, 1e14, 1e14 - 0.0001, 99999999999999.99,
                                123456789012345.67, 1e20, -1.7e308};
  // Exact ties at the fifth decimal (k / 32, k / 64 ...) and their neighbours.
  for (int k = -4000; k <= 4000; ++k) {
    for (double divisor : {32.0, 64.0, 160.0, 320000.0}) {
      const double tie = k / divisor;
      values.insert(values.end(), {tie, std::nextafter(tie, -1e9), std::nextafter(tie, 1e9)});
    }
  }
  std::mt19937_64 rng(4);
  std::uniform_real_distribution<double> log_magnitude(-6.0, 15.0);
  for (int i = 0; i < 200000; ++i) {
    const double v = std::pow(10.0, log_magnitude(rng));
    // Singles times a scale, as the devices write them, and plain doubles.
    values.push_back(i % 2 ? static_cast<double>(static_cast<float>(v)) * 23.622f : -v);
  }
  // Values of 43 significant bits or a few more, around the limit where
  // four decimals of them still fit a double's 53 bits.
  for (int i = 0; i < 200000; ++i) {
    const double v = std::pow(10.0, log_magnitude(rng));
    const auto cleared = std::bit_cast<std::uint64_t>(v) & ~((std::uint64_t{1} << (8 + i % 4)) - 1);
    values.push_back(i % 3 ? std::bit_cast<double>(cleared) : -std::bit_cast<double>(cleared));
  }
  for (double v : values) ASSERT_EQ(mm_text(v), fixed_reference(v)) << v;
}

}  // namespace
}  // namespace verdan
