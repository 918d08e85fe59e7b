// Showing a path that may not fit the rest of its row.
#pragma once

#include <string_view>

#include "platform/console/console.h"

namespace verdan {

// Shows `text` at column x, row y, filling the row to its end with blanks.
// A text too long for the row is split before a "\" and continued on row
// y + 1 (under the part after the drive "X:" when there is one); without a
// fitting "\" nothing is shown. A continuation too long for its row is cut.
void DSP2L(Console& console, int x, int y, std::string_view text);

}  // namespace verdan
