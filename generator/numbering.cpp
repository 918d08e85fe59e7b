#include "generator/numbering.h"

namespace verdan {
namespace {

// Visits (outer, inner) pairs with `outer_first` the outer loop when the
// direction is 0, the inner one when it is 1. A template rather than a
// std::function: it runs for every grid point of a large frame.
template <typename Visit>
void visit_grid(float direction, int rows_low, int rows_high, int cols_low, int cols_high, const Visit& visit) {
  if (direction == 0) {
    for (int r = rows_low; r <= rows_high; ++r)
      for (int c = cols_low; c <= cols_high; ++c) visit(r, c);
  } else {
    for (int c = cols_low; c <= cols_high; ++c)
      for (int r = rows_low; r <= rows_high; ++r) visit(r, c);
  }
}

bool numbered_direction(float direction) { return direction == 0 || direction == 1; }

}  // namespace

NumberedFrame number_frame(FrameModel& f, const NumberingOrder& order) {
  const int nx = f.span_count();
  const int ns = f.storey_count();
  NumberedFrame out;
  DataFileContent<double>& d = out.data;
  // Sized once for every grid point and every place a member can take:
  // growing by doubling would hold the old and the new copy at once.
  const auto grid_points = static_cast<std::size_t>(nx + 1) * static_cast<std::size_t>(ns + 1);
  const std::size_t member_capacity = 4 * static_cast<std::size_t>(nx) * static_cast<std::size_t>(ns) +
                                      static_cast<std::size_t>(nx) + static_cast<std::size_t>(ns);
  d.node_x.reserve(grid_points);
  d.node_y.reserve(grid_points);
  d.end_a.reserve(member_capacity);
  d.end_b.reserve(member_capacity);
  d.kind.reserve(member_capacity);

  // Nodes run first along the shorter side.
  auto number_node = [&](int level, int axis) {
    if (f.node_use(level, axis) <= 0) return;
    d.node_x.push_back(f.node_x(level, axis));
    d.node_y.push_back(f.node_y(level, axis));
    f.node_use(level, axis) = static_cast<int>(d.node_x.size());
  };
  visit_grid(nx > ns ? 1.0f : 0.0f, 1, ns + 1, 0, nx, number_node);

  auto add_member = [&](int& state, GridPoint a, GridPoint b, int kind) {
    d.end_a.push_back(f.node_use(a.level, a.axis));
    d.end_b.push_back(f.node_use(b.level, b.axis));
    d.kind.push_back(kind);
    state = static_cast<int>(d.end_a.size());
  };
  auto group = [&](float direction, MemberRange& range, const auto& visit, const auto& leave_out, int rows_high,
                   int cols_low, int cols_high) {
    range.first = static_cast<int>(d.end_a.size()) + 1;
    if (numbered_direction(direction)) {
      visit_grid(direction, 1, rows_high, cols_low, cols_high, visit);
    } else {
      visit_grid(0, 1, rows_high, cols_low, cols_high, leave_out);
    }
    range.last = static_cast<int>(d.end_a.size());
  };

  group(
      order.column, out.columns,
      [&](int s, int a) {
        if (f.column_on(s, a) != -1) add_member(f.column_on(s, a), {s, a}, {s + 1, a}, 1);
      },
      [&](int s, int a) { f.column_on(s, a) = 0; }, ns, 0, nx);
  group(
      order.beam, out.beams,
      [&](int l, int i) {
        if (f.beam_on(l, i) != -1) add_member(f.beam_on(l, i), {l, i - 1}, {l, i}, 1);
      },
      [&](int l, int i) { f.beam_on(l, i) = 0; }, ns + 1, 1, nx);
  group(
      order.brace, out.braces,
      [&](int s, int k) {
        if (f.brace_on(s, k, 1) == 1) add_member(f.brace_on(s, k, 1), {s, k}, {s + 1, k + 1}, 4);
        if (f.brace_on(s, k, 2) == 1) add_member(f.brace_on(s, k, 2), {s + 1, k}, {s, k + 1}, 4);
      },
      [&](int s, int k) {
        f.brace_on(s, k, 1) = 0;
        f.brace_on(s, k, 2) = 0;
      },
      ns, 0, nx);
  return out;
}

}  // namespace verdan
