// Every node's two coordinates, in node order, as read: held in memory up
// to kHeld nodes; past that all of them in an unnamed spool file, x and y
// side by side as doubles, so the memory does not grow with the frame.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/host/spool_file.h"
#include "tools/vdn-plot/node_coordinates.h"

namespace verdan::plot_tool {

class FrameNodes {
 public:
  // 4 MB as singles, 8 MB as doubles.
  static constexpr std::size_t kHeld = std::size_t{1} << 19;

  // cm; element 0 is node 1. The values while none is spooled; the
  // extremes of all of them.
  NodeCoordinates node_x, node_y;

  // Room for `count` nodes: in memory, or, for more than kHeld, in the
  // spool file from the first node on.
  void reserve(std::size_t count);
  void push_back(double x, double y) {
    if (!spool_ && size_ < kHeld) {
      node_x.push_back(x);
      node_y.push_back(y);
    } else {
      spool(x, y);
    }
    ++size_;
  }
  std::size_t size() const { return size_; }
  bool spooled() const { return spool_ != nullptr; }
  // The spool file with every node in it, once spooled(); no node is held
  // any longer (size() and the extremes stay).
  std::unique_ptr<SpoolFile> take_spool();

 private:
  // A node past those held, or of a frame spooled from the start.
  void spool(double x, double y);
  // Starts the spool file with the nodes held so far.
  void start_spool();
  void add_pending(double value) {
    pending_.push_back(value);
    if (pending_.size() == pending_.capacity()) write_pending();
  }
  void write_pending();

  std::unique_ptr<SpoolFile> spool_;
  std::vector<double> pending_;  // coordinates on their way to the spool
  std::size_t size_ = 0;
};

}  // namespace verdan::plot_tool
