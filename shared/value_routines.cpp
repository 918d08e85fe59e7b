#include "shared/value_routines.h"

#include "shared/rounding.h"

namespace verdan {
namespace {

// The numeric value of one character read on its own.
int digit_value(std::string_view code, std::size_t i) {
  return i < code.size() && code[i] >= '0' && code[i] <= '9' ? code[i] - '0' : 0;
}

int sign_of(int v) { return (v > 0) - (v < 0); }

}  // namespace

float MIN(float a, float b) { return a < b ? a : b; }

float DAT2SP(std::string_view code) {
  int d1 = digit_value(code, 0), d2 = digit_value(code, 1), d3 = digit_value(code, 2);
  return static_cast<float>(sign_of(d1) + 2 * sign_of(d2) + 4 * sign_of(d3) + 16 * (d1 / 2) +
                            32 * (d2 / 2) + 64 * (d3 / 2));
}

std::string SP2DAT(float bits) {
  int n = to_int(bits);
  int e1 = (n & 1) + ((n / 16) & 1);
  int e2 = ((n / 2) & 1) + ((n / 32) & 1);
  int e3 = ((n / 4) & 1) + ((n / 64) & 1);
  std::string text = "000" + std::to_string(100 * e1 + 10 * e2 + e3);
  return text.substr(text.size() - 3);
}

}  // namespace verdan
