// The analysis program's input file: a header, the nodes, the members with
// their connection codes and one closing line, in CR LF lines of the free
// number format. The regular frame writes double-precision coordinates, the
// grid beam single-precision ones; the layout is the same.
#pragma once

#include <vector>

#include "platform/text_sink.h"

namespace verdan {

template <typename Real>
struct DataFileContent {
  std::vector<Real> node_x, node_y;  // cm; element 0 is node 1
  std::vector<int> end_a, end_b;     // node numbers; element 0 is member 1
  std::vector<int> kind;             // connection code: 1 fixed-fixed, 4 pinned-pinned
};

// Writes the whole file's lines. A coordinate that is no finite number is
// an overflow failure before the first byte: the analysis program would
// read it as a different frame.
template <typename Real>
void write_data_file(TextSink& sink, const DataFileContent<Real>& content);

extern template void write_data_file<float>(TextSink&, const DataFileContent<float>&);
extern template void write_data_file<double>(TextSink&, const DataFileContent<double>&);

}  // namespace verdan
