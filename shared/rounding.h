// The two ways a real becomes a whole number: rounding half away from zero
// (table indices, screen positions, codes, binary fields) and floor (the
// integer-part function of formulas). Kept in one place so that every
// caller rounds alike.
#pragma once

#include <cmath>

namespace verdan {

// Round half away from zero: 2.5 -> 3, -2.5 -> -3.
inline double round_half_away(double value) { return std::round(value); }

// Largest whole number not above `value`: -3.5 -> -4.
inline double floor_value(double value) { return std::floor(value); }

// Rounds half away from zero to an int; Failure kOverflow when the value
// has no int (beyond the int range or not a number).
int to_int(double value);

// True when `value` is a finite number within the single-precision range:
// a coordinate the pictures and single-precision files can hold.
inline bool fits_single(double value) { return std::fabs(value) <= 3.4028234663852886e38; }

// Metres as typed become centimetres rounded to the millimetre.
inline double metres_to_cm(double metres) { return std::floor(metres * 1000.0 + 0.5) / 10.0; }

}  // namespace verdan
