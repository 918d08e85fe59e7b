#include "shared/rounding.h"

#include <limits>

#include "platform/failure.h"

namespace verdan {

int to_int(double value) {
  double r = round_half_away(value);
  if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max())) {
    fail(kOverflow, "value does not fit a whole number");
  }
  return static_cast<int>(r);
}

}  // namespace verdan
