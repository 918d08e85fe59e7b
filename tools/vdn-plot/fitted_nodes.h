// Every node's place on the paper, in mm, in node order: held in memory, or,
// for a frame too large for that, read back from the spool file of the
// coordinates as read, a page of nodes at a time, and fitted as each page
// comes in. Four megabytes of pages are kept, so the memory does not grow
// with the frame: a frame's members meet nodes on pages met a little
// before (a bay's braces, storey after storey, meet a page on every level,
// and the next bay's the same pages).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/host/large_memory.h"
#include "platform/host/spool_file.h"
#include "tools/vdn-plot/frame_nodes.h"

namespace verdan::plot_tool {

// Centimetres of the frame to millimetres on the paper.
struct PaperFit {
  double scale = 1;  // mm per cm
  double x0 = 0, y0 = 0;
  double min_x = 0, min_y = 0;

  float x(double cm) const { return static_cast<float>(x0 + (cm - min_x) * scale); }
  float y(double cm) const { return static_cast<float>(y0 + (cm - min_y) * scale); }
};

struct PaperPoint {
  float x, y;
};

class SpooledNodes {
 public:
  static constexpr std::size_t kPageNodes = 128;  // 1 KB fitted
  static constexpr std::size_t kWays = 4;
  // Pages a fixed stride apart (a node on every level) fall in sets evenly
  // for any stride below a prime number of sets.
  static constexpr std::size_t kSets = 1021;
  // Pages read at once once the pages missed follow each other.
  static constexpr std::size_t kRun = 8;

  // `count` nodes in `spool`, each fitted by `fit` when its page is read.
  SpooledNodes(std::unique_ptr<SpoolFile> spool, std::size_t count, const PaperFit& fit);

  PaperPoint at(std::size_t i) {
    const std::size_t page = i / kPageNodes;
    Set& set = sets_[page % kSets];
    if (set.page[0] != page) bring_first(set, page);
    return points_[set.place[0] * kPageNodes + i % kPageNodes];
  }
  std::size_t size() const { return count_; }
  // The pages read from the spool file so far, and the reads.
  std::size_t pages_read() const { return pages_read_; }
  std::size_t reads() const { return reads_; }

 private:
  // The pages a set holds, the one used last first.
  struct Set {
    std::size_t page[kWays];
    std::uint32_t place[kWays];  // in points_, a page's worth each
  };

  // Puts `page` first in its set, read over the set's page used longest
  // ago if it is not there.
  void bring_first(Set& set, std::size_t page);
  // Reads `page` and, where the pages missed follow each other, the ones
  // after it into their sets.
  void read_pages(std::size_t page);
  // Makes the set's page at `way` its first, the ones before it moving on.
  static void move_first(Set& set, std::size_t way);
  // Puts a page read into the place of its set's page used longest ago,
  // unless the set holds it.
  void keep(std::size_t page, const double* coordinates, std::size_t count);

  std::unique_ptr<SpoolFile> spool_;
  std::size_t count_;
  PaperFit fit_;
  std::vector<Set> sets_;
  std::vector<PaperPoint, LargeAllocator<PaperPoint>> points_;
  std::vector<double> read_;  // pages as in the spool file, x and y
  std::size_t next_missed_ = 0;  // the page a run of misses goes on with
  std::size_t pages_read_ = 0, reads_ = 0;
};

class FittedNodes {
 public:
  FittedNodes() = default;
  // Takes every node of `nodes`, fitted each once, into memory where they
  // were held there.
  FittedNodes(FrameNodes& nodes, const PaperFit& fit);

  std::size_t size() const { return spooled_ ? spooled_->size() : x_.size(); }
  PaperPoint operator[](std::size_t i) { return spooled_ ? spooled_->at(i) : PaperPoint{x_[i], y_[i]}; }
  // Null while every node is held in memory.
  const SpooledNodes* spooled() const { return spooled_.get(); }

 private:
  NodeCoordinates::Singles x_, y_;
  std::unique_ptr<SpooledNodes> spooled_;
};

}  // namespace verdan::plot_tool
