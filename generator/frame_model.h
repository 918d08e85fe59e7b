// The regular frame as a grid: axes 0..NX left to right, levels 1..NS+1
// bottom to top (level 0 is a work row used during input), with the members
// present on it and, after numbering, the node and member tables.
#pragma once

#include <cstddef>
#include <vector>

namespace verdan {

enum class MemberKind { rising_brace = 1, falling_brace = 2, column = 3, beam = 4 };

struct GridPoint {
  int level;
  int axis;
};

// Result of toggling one member: +1 added, -1 removed, and its two ends.
struct Toggle {
  int change;
  GridPoint a;
  GridPoint b;
};

class FrameModel {
 public:
  // Sizes every table for `spans` x `storeys` and zeroes it.
  void size(int spans, int storeys);

  int span_count() const { return nx_; }
  int storey_count() const { return ns_; }

  // Coordinates in cm; level 0 of node_x holds span lengths during input,
  // axis 0 of node_y the storey heights.
  double& node_x(int level, int axis) { return node_x_[at(level, axis)]; }
  double& node_y(int level, int axis) { return node_y_[at(level, axis)]; }
  double node_x(int level, int axis) const { return node_x_[at(level, axis)]; }
  double node_y(int level, int axis) const { return node_y_[at(level, axis)]; }
  // Members ending at a grid point; after numbering, its node number.
  int& node_use(int level, int axis) { return node_use_[at(level, axis)]; }
  int node_use(int level, int axis) const { return node_use_[at(level, axis)]; }
  // 1 present, -1 removed (braces: 0 never placed); after numbering the
  // member number.
  int& column_on(int storey, int axis) { return column_on_[at(storey, axis)]; }
  int& beam_on(int level, int span) { return beam_on_[at(level, span)]; }
  int& brace_on(int storey, int left_axis, int direction) {
    return brace_on_[at(storey, left_axis) * 2 + static_cast<std::size_t>(direction - 1)];
  }
  int column_on(int storey, int axis) const { return column_on_[at(storey, axis)]; }
  int beam_on(int level, int span) const { return beam_on_[at(level, span)]; }
  int brace_on(int storey, int left_axis, int direction) const {
    return brace_on_[at(storey, left_axis) * 2 + static_cast<std::size_t>(direction - 1)];
  }

  // Turns the typed span lengths and storey heights into coordinates.
  void accumulate_coordinates();
  // Every column and beam present, no braces.
  void place_initial_members();
  // Toggles one member (bounds checked by the caller) and keeps node_use.
  Toggle toggle(MemberKind kind, int level, int index) { return toggle(kind, level, index, true); }
  // The same for a member addressed several times at once: it changes when
  // `odd`; either way a brace never placed now counts as removed, as after
  // any toggle. `change` is the member's state afterwards.
  Toggle toggle(MemberKind kind, int level, int index, bool odd);

 private:
  std::size_t at(int level, int axis) const {
    return static_cast<std::size_t>(level) * static_cast<std::size_t>(nx_ + 1) + static_cast<std::size_t>(axis);
  }

  int nx_ = 0;
  int ns_ = 0;
  std::vector<double> node_x_, node_y_;
  std::vector<int> node_use_, column_on_, beam_on_, brace_on_;
};

}  // namespace verdan
