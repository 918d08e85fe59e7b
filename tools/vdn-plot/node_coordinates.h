// One coordinate of every node, in node order. A generator's coordinates are
// singles, so they are held as singles while each value is one exactly, and
// as doubles once one is not: a frame of millions of nodes takes half the
// memory, and every value reads back as it was read.
#pragma once

#include <cstddef>
#include <vector>

namespace verdan::plot_tool {

class NodeCoordinates {
 public:
  void reserve(std::size_t count);
  void push_back(double value);
  std::size_t size() const { return doubles_.empty() ? singles_.size() : doubles_.size(); }
  double operator[](std::size_t i) const {
    return doubles_.empty() ? static_cast<double>(singles_[i]) : doubles_[i];
  }
  double back() const { return (*this)[size() - 1]; }
  // The smallest and the largest value; 0 while there is none.
  double min() const { return min_; }
  double max() const { return max_; }

 private:
  std::vector<float> singles_;
  std::vector<double> doubles_;  // once a value is no single
  double min_ = 0, max_ = 0;
};

}  // namespace verdan::plot_tool
