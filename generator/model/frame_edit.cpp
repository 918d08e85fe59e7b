#include "generator/model/frame_edit.h"

#include "shared/wide_numerals.h"

namespace verdan {

std::string edit_list(std::string_view typed) {
  std::string list = narrow_numerals(typed);
  if (list.empty() || list.back() != ',') list += ',';
  return list;
}

// The axes a range addresses: the braces of the spans between its axes, the
// columns on them, the beams of the spans after its first axis.
EditReach edit_reach(const FrameModel& frame, MemberKind kind, std::string_view level_list,
                     std::string_view axis_list) {
  const int nx = frame.span_count();
  const int level_high = kind == MemberKind::beam ? frame.storey_count() + 1 : frame.storey_count();
  int low = 0, high = nx;
  double first_offset = 0, last_offset = 0;
  switch (kind) {
    case MemberKind::rising_brace:
    case MemberKind::falling_brace:
      high = nx - 1;
      last_offset = -1;
      break;
    case MemberKind::column:
      break;
    case MemberKind::beam:
      low = 1;
      first_offset = 1;
      break;
  }
  auto reached = [](std::string_view list, double no_start, double from, double to, int lo, int hi) {
    std::vector<IndexSpan> spans;
    walk_ranges(list, no_start, [&](double a, double b) {
      if (auto span = indices_within(a + from, b + to, lo, hi)) spans.push_back(*span);
    });
    return by_last_address(spans, lo, hi);
  };
  return {reached(level_list, 0, 0, 0, 1, level_high), reached(axis_list, -1, first_offset, last_offset, low, high)};
}

}  // namespace verdan
