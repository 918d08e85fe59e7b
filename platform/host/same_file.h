// Whether two DOS-form paths name one file, so that an output is never
// opened over an input.
#pragma once

#include <string_view>

namespace verdan {

// True when both map to the same host name (after `.` and `..`), or name one
// existing file by device and inode (another case, a link). A path that does
// not map is no file and false.
bool same_file(std::string_view dos_a, std::string_view dos_b);

}  // namespace verdan
