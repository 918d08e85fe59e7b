// Shift-JIS to JIS for the double-byte characters sent to plot devices.
#pragma once

namespace verdan {

// Turns the two bytes of a Shift-JIS double-byte character, in place, into
// its JIS code (136 159 becomes 48 33).
void SJ2J(int& first, int& second);

}  // namespace verdan
