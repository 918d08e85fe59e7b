// The frame or grid a VERDAN data file describes, as VDN-PLOT draws it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/vdn-plot/frame_nodes.h"
#include "tools/vdn-plot/member_list.h"

namespace verdan::plot_tool {

struct FrameData : FrameNodes {
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

class FrameReader;

// Reads the data file at `dos_path` whole, as FrameReader reads it.
FrameData read_frame_data(std::string_view dos_path);
// The members that `reader` reads, and its closing lines, into `members`.
void read_members_into(FrameReader& reader, MemberList& members);

}  // namespace verdan::plot_tool
