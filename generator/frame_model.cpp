#include "generator/frame_model.h"

namespace verdan {

void FrameModel::size(int spans, int storeys) {
  nx_ = spans;
  ns_ = storeys;
  std::size_t points = at(ns_ + 2, 0);  // levels 0 .. NS+1
  node_x_.assign(points, 0);
  node_y_.assign(points, 0);
  node_use_.assign(points, 0);
  column_on_.assign(points, 0);
  beam_on_.assign(points, 0);
  brace_on_.assign(points * 2, 0);
}

void FrameModel::accumulate_coordinates() {
  for (int i = 1; i <= nx_; ++i) {
    node_x(0, i) = node_x(0, i - 1) + node_x(0, i);
    for (int l = 1; l <= ns_ + 1; ++l) node_x(l, i) = node_x(0, i);
  }
  for (int l = 2; l <= ns_ + 1; ++l) {
    node_y(l, 0) = node_y(l - 1, 0) + node_y(l, 0);
    for (int i = 1; i <= nx_; ++i) node_y(l, i) = node_y(l, 0);
  }
}

void FrameModel::place_initial_members() {
  for (int a = 0; a <= nx_; ++a) {
    for (int s = 1; s <= ns_; ++s) {
      column_on(s, a) = 1;
      ++node_use(s, a);
      ++node_use(s + 1, a);
    }
  }
  for (int l = 1; l <= ns_ + 1; ++l) {
    for (int i = 1; i <= nx_; ++i) {
      beam_on(l, i) = 1;
      ++node_use(l, i - 1);
      ++node_use(l, i);
    }
  }
}

Toggle FrameModel::toggle(MemberKind kind, int level, int index, bool odd) {
  int* state = nullptr;
  Toggle t{0, {level, index}, {level, index}};
  switch (kind) {
    case MemberKind::rising_brace:
      state = &brace_on(level, index, 1);
      t.b = {level + 1, index + 1};
      break;
    case MemberKind::falling_brace:
      state = &brace_on(level, index, 2);
      t.a = {level, index + 1};
      t.b = {level + 1, index};
      break;
    case MemberKind::column:
      state = &column_on(level, index);
      t.b = {level + 1, index};
      break;
    case MemberKind::beam:
      state = &beam_on(level, index);
      t.a = {level, index - 1};
      break;
  }
  if (*state == 0) *state = -1;  // a brace never placed counts as removed
  if (!odd) {
    t.change = *state;
    return t;
  }
  t.change = -*state;
  *state = t.change;
  node_use(t.a.level, t.a.axis) += t.change;
  node_use(t.b.level, t.b.axis) += t.change;
  return t;
}

}  // namespace verdan
