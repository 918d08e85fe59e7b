// The frame or grid a VERDAN data file describes, as VDN-PLOT draws it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/vdn-plot/member_list.h"
#include "tools/vdn-plot/node_coordinates.h"

namespace verdan::plot_tool {

struct FrameData {
  NodeCoordinates node_x, node_y;  // cm; element 0 is node 1
  MemberList members;
};

// A data file that is not as the generator writes it.
class DataFileError : public std::runtime_error {
 public:
  DataFileError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Reads the data file at `dos_path`: the header, the counts, the nodes, the
// members and the closing lines. A count of more than six digits, which the
// file holds rounded, is taken from the lines. File failures are Failures;
// anything malformed, a line of more than 4096 bytes among it, is a
// DataFileError naming its line.
FrameData read_frame_data(std::string_view dos_path);
// The same from standard input.
FrameData read_frame_data_from_standard_input();

}  // namespace verdan::plot_tool
