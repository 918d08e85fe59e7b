// Conversion of the intermediate file that the primitives write for device 5
// into a JW_CAD drawing file.
#pragma once

#include <string_view>

#include "platform/console/console.h"

namespace verdan {

// Converts `tmp_file` into the drawing `jwc_file`, reading the intermediate
// file once: the survey of its counts and checks, and the records, whose
// circles and texts wait in memory or a spool file until every line is
// written. Shows `spinner`'s characters as a progress indicator at the
// cursor, five steps a record (none when empty). A damaged intermediate file (cut short, a bad
// set-up line, records outside the 16 layer groups) shows the damage message
// and ends the program with status 1, whatever the writing met; a scale or
// coordinate that is no finite number is Failure 6. The drawing is written
// beside an old one and takes its place only when whole: a damaged file,
// an overflow and any other file failure leave the old one as it was and
// nothing else.
void TMP2JWC(Console& console, std::string_view tmp_file, std::string_view jwc_file, std::string_view spinner);

}  // namespace verdan
