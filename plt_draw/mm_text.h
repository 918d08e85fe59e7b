// Millimetre numbers as the drawing files (DXF, SVG) write them.
#pragma once

#include <string>

namespace verdan {

// `value` in plain decimals, at most four after the point, no exponent and
// no trailing zeros ("12.5", "-0.25", "0"). Failure 6 when it is not a
// finite number, so that no reader finds "inf" or "nan" in a file.
std::string mm_text(double value);

}  // namespace verdan
