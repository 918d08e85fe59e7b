// Numbering of the regular frame: nodes along the shorter side of the grid,
// then members in three groups (columns, beams, braces), each in its chosen
// direction (0 level by level, 1 axis by axis).
#pragma once

#include "generator/data_file.h"
#include "generator/frame_model.h"

namespace verdan {

struct NumberingOrder {
  float column = 0;
  float beam = 0;
  float brace = 1;
};

// First and last member number of a group; first > last when it is empty.
struct MemberRange {
  int first = 1;
  int last = 0;
  bool empty() const { return last < first; }
};

struct NumberedFrame {
  DataFileContent<double> data;
  MemberRange columns, beams, braces;
};

// Numbers nodes and members. Afterwards node_use holds node numbers and the
// member tables member numbers; members of a group left out (a direction
// other than 0 or 1) are marked 0, so that nothing shows them as numbered.
NumberedFrame number_frame(FrameModel& frame, const NumberingOrder& order);

}  // namespace verdan
