// Millimetre numbers as the drawing files (DXF, SVG) write them.
#pragma once

#include <string>

namespace verdan {

// `value` in plain decimals, at most four after the point, no exponent and
// no trailing zeros ("12.5", "-0.25", "0"): the exact value rounded half to
// even at the fourth decimal. Failure 6 when it is not a finite number, so
// that no reader finds "inf" or "nan" in a file.
std::string mm_text(double value);

// Room that write_mm needs: the digits of the largest double, the point,
// four decimals and a sign.
inline constexpr int kMmTextMax = 320;

// The same written at `out` (at least kMmTextMax bytes); returns the end.
char* write_mm(char* out, double value);

}  // namespace verdan
