// The sizes and coordinates the generator's tables and files can hold; the
// dialogue asks again past them, a description file is refused.
#pragma once

#include "shared/rounding.h"

namespace verdan {

// Largest frame or grid the tables are made for, in grid points.
inline constexpr long kMaxGridPoints = 4'000'000;

// True when a grid of a x b spans fits the tables.
inline bool within_grid_points(double a, double b) { return (a + 1) * (b + 1) <= kMaxGridPoints; }

// A length as typed (single precision, metres) in centimetres to the
// millimetre: the dialogue reads a float, and a file's number goes the same
// way so that both give the same bytes.
inline double typed_length_cm(float metres) { return metres_to_cm(metres); }

// The grid's line positions so far, the extremes of each direction: a
// node's x is an X line's position plus a Y line's, written in single
// precision, so every span is checked against both directions' extremes.
class GridExtent {
 public:
  // Takes the next span of direction d; false, changing nothing, when a
  // node would fall beyond single precision.
  bool admit(int d, double span) {
    const double next = position_[d] + span;
    const double low = next < low_[d] ? next : low_[d];
    const double high = next > high_[d] ? next : high_[d];
    if (!fits_single(low + low_[1 - d]) || !fits_single(high + high_[1 - d])) return false;
    position_[d] = next;
    low_[d] = low;
    high_[d] = high;
    return true;
  }

 private:
  double position_[2] = {0, 0};
  double low_[2] = {0, 0}, high_[2] = {0, 0};
};

}  // namespace verdan
