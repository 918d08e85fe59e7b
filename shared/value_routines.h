// Small value routines of the exported library: the smaller of two values,
// and three-digit codes packed into and out of a bit set.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

// a when a < b, else b.
float MIN(float a, float b);

// A three-character code ("120") packed into a bit set: bit k for a non-zero
// digit k + 1, bit k + 4 for a digit of 2 or 3. Non-digits count as 0.
float DAT2SP(std::string_view code);

// The bit set unpacked into a three-digit code with leading zeros.
std::string SP2DAT(float bits);

}  // namespace verdan
