// One coordinate of every node, in node order. A generator's coordinates are
// singles, so they are held as singles while each value is one exactly, and
// as doubles once one is not: a frame of millions of nodes takes half the
// memory, and every value reads back as it was read.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/host/large_memory.h"

namespace verdan::plot_tool {

class NodeCoordinates {
 public:
  void reserve(std::size_t count);
  void push_back(double value) {
    // The first of equal smallest and the last of equal largest values, as
    // std::minmax_element finds them (0 and -0 are equal).
    if (size() == 0) {
      min_ = max_ = value;
    } else {
      if (value < min_) min_ = value;
      if (!(value < max_)) max_ = value;
    }
    const auto single = static_cast<float>(value);
    if (doubles_.empty() && static_cast<double>(single) == value) {
      singles_.push_back(single);
    } else {
      push_back_double(value);
    }
  }
  std::size_t size() const { return doubles_.empty() ? singles_.size() : doubles_.size(); }
  double operator[](std::size_t i) const {
    return doubles_.empty() ? static_cast<double>(singles_[i]) : doubles_[i];
  }
  double back() const { return (*this)[size() - 1]; }
  // The smallest and the largest value; 0 while there is none.
  double min() const { return min_; }
  double max() const { return max_; }

 private:
  // Holds every value as a double from now on.
  void push_back_double(double value);

  // Megabytes for a large frame: on large pages where the host has them.
  std::vector<float, LargeAllocator<float>> singles_;
  std::vector<double, LargeAllocator<double>> doubles_;  // once a value is no single
  double min_ = 0, max_ = 0;
};

}  // namespace verdan::plot_tool
