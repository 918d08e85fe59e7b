// Whether two DOS-form paths name one file, so that an output is never
// opened over an input.
#pragma once

#include <string_view>

namespace verdan {

// True when both map to the same host name (after `.` and `..`), or name one
// existing file by device and inode (another case, a link). A path that does
// not map is no file and false.
bool same_file(std::string_view dos_a, std::string_view dos_b);

// True when the DOS-form path names the file open as standard input or
// output (`stream` as in standard_streams.h): a redirection from or to it.
bool same_file_as_stream(int stream, std::string_view dos_path);

}  // namespace verdan
