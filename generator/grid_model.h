// The grid beam laid out flat for a plane-frame analysis: X girders on the
// interior lines j, Y girders on the interior lines i, each on its own
// horizontal line, and a pinned tie joining the two nodes at every crossing.
#pragma once

#include <vector>

#include "generator/data_file.h"
#include "platform/text_sink.h"

namespace verdan {

class GridBeam {
 public:
  // Sizes the tables for nx x ny spans (both at least 2), all zero.
  void size(int nx, int ny);

  int nx() const { return nx_; }
  int ny() const { return ny_; }
  // Span i in cm as typed (index 0 stays 0); grid line positions once
  // accumulated.
  double& x_span(int i) { return x_span_[static_cast<std::size_t>(i)]; }
  double& y_span(int j) { return y_span_[static_cast<std::size_t>(j)]; }
  double x_span(int i) const { return x_span_[static_cast<std::size_t>(i)]; }
  double y_span(int j) const { return y_span_[static_cast<std::size_t>(j)]; }

  // Turns spans into grid line positions.
  void accumulate();
  // Numbers the nodes (the inner loop along the shorter side, the X girder's
  // node before the Y girder's at a crossing) and lays out the members.
  DataFileContent<float> generate();

  // Node number of (i, j, d): d = 0 the X girder on line j, d = 1 the Y
  // girder on line i; 0 where there is none.
  int node(int i, int j, int d) const { return nodes_[index(i, j, d)]; }
  // Member numbers of the X girder from i to i + 1 on line j, the Y girder
  // from j - 1 to j on line i, and the first tie.
  int x_girder(int i, int j) const { return (j - 1) * nx_ + i + 1; }
  int y_girder(int i, int j) const { return (ny_ - 1) * nx_ + (i - 1) * ny_ + j; }
  int first_tie() const { return (ny_ - 1) * nx_ + (nx_ - 1) * ny_ + 1; }
  int member_count() const { return first_tie() - 1 + (nx_ - 1) * (ny_ - 1); }

 private:
  std::size_t index(int i, int j, int d) const {
    return (static_cast<std::size_t>(i) * static_cast<std::size_t>(ny_ + 1) + static_cast<std::size_t>(j)) * 2 +
           static_cast<std::size_t>(d);
  }
  bool exists(int i, int j, int d) const { return d == 0 ? (j > 0 && j < ny_) : (i > 0 && i < nx_); }

  int nx_ = 0, ny_ = 0;
  std::vector<double> x_span_, y_span_;
  std::vector<int> nodes_;
};

// The grid drawn in characters for the print file.
void write_grid_drawing(TextSink& sink, const GridBeam& grid);

}  // namespace verdan
