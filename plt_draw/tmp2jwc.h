// Conversion of the intermediate file that the primitives write for device 5
// into a JW_CAD drawing file.
#pragma once

#include <string_view>

#include "platform/console/console.h"

namespace verdan {

// Converts `tmp_file` into the drawing `jwc_file`, reading the intermediate
// file twice: a survey, then the records, whose circles and texts wait in
// memory or a spool file until every line is written. Shows `spinner`'s
// characters as a progress indicator at the cursor, five steps a record
// (none when empty). A damaged intermediate file (cut short, a bad set-up line, records
// outside the 16 layer groups) is checked for before anything is written: the
// damage message is shown and the program ends with status 1. A scale or
// coordinate that is no finite number is Failure 6, also before anything is
// written. The drawing is written beside an old one and takes its place only
// when whole; other file failures are Failures and leave the old one as it was.
void TMP2JWC(Console& console, std::string_view tmp_file, std::string_view jwc_file, std::string_view spinner);

}  // namespace verdan
