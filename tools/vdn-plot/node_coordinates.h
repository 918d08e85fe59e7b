// One coordinate of every node, in node order. A generator's coordinates are
// singles, so they are held as singles while each value is one exactly, and
// as doubles once one is not: a frame of millions of nodes takes half the
// memory, and every value reads back as it was read.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/host/large_memory.h"

namespace verdan::plot_tool {

class NodeCoordinates {
 public:
  using Singles = std::vector<float, LargeAllocator<float>>;

  void reserve(std::size_t count);
  void push_back(double value) {
    note(value);
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
  // Counts `value` in min() and max() without holding it: the caller keeps
  // it elsewhere.
  void note(double value) {
    // The first of equal smallest and the last of equal largest values, as
    // std::minmax_element finds them (0 and -0 are equal).
    if (!noted_) {
      min_ = max_ = value;
      noted_ = true;
    } else {
      if (value < min_) min_ = value;
      if (!(value < max_)) max_ = value;
    }
  }
  // Lets every value held go; min() and max() stay.
  void drop_values() {
    singles_ = {};
    doubles_ = {};
  }
  // The smallest and the largest value; 0 while there is none.
  double min() const { return min_; }
  double max() const { return max_; }

  // Every value turned into a single by `to_single`, in the memory the
  // values held as singles: a frame's coordinates are not needed again once
  // fitted to the paper. No value is left; min() and max() stay.
  template <typename ToSingle>
  Singles take_as_singles(ToSingle to_single) {
    Singles taken;
    if (doubles_.empty()) {
      taken = std::move(singles_);
      for (float& v : taken) v = to_single(static_cast<double>(v));
    } else {
      taken.reserve(doubles_.size());
      for (double v : doubles_) taken.push_back(to_single(v));
    }
    drop_values();
    return taken;
  }

 private:
  // Holds every value as a double from now on.
  void push_back_double(double value);

  // Megabytes for a large frame: on large pages where the host has them.
  Singles singles_;
  std::vector<double, LargeAllocator<double>> doubles_;  // once a value is no single
  double min_ = 0, max_ = 0;
  bool noted_ = false;
};

}  // namespace verdan::plot_tool
