#include "tools/vdn-plot/node_coordinates.h"

#include <algorithm>

namespace verdan::plot_tool {

void NodeCoordinates::reserve(std::size_t count) {
  if (doubles_.empty()) singles_.reserve(count);
}

void NodeCoordinates::push_back_double(double value) {
  if (doubles_.empty()) {
    doubles_.reserve(std::max(singles_.capacity(), singles_.size() + 1));
    doubles_.assign(singles_.begin(), singles_.end());
    singles_ = {};
  }
  doubles_.push_back(value);
}

}  // namespace verdan::plot_tool
