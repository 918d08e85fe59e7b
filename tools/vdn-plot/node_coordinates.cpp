#include "tools/vdn-plot/node_coordinates.h"

#include <algorithm>

namespace verdan::plot_tool {

void NodeCoordinates::reserve(std::size_t count) {
  if (doubles_.empty()) singles_.reserve(count);
}

void NodeCoordinates::push_back(double value) {
  // The first of equal smallest and the last of equal largest values, as
  // std::minmax_element finds them (0 and -0 are equal).
  if (size() == 0) {
    min_ = max_ = value;
  } else {
    if (value < min_) min_ = value;
    if (!(value < max_)) max_ = value;
  }
  const auto single = static_cast<float>(value);
  if (!doubles_.empty()) {
    doubles_.push_back(value);
  } else if (static_cast<double>(single) == value) {
    singles_.push_back(single);
  } else {
    doubles_.reserve(std::max(singles_.capacity(), singles_.size() + 1));
    doubles_.assign(singles_.begin(), singles_.end());
    doubles_.push_back(value);
    singles_ = {};
  }
}

}  // namespace verdan::plot_tool
