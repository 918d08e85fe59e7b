// The range lists of member editing ("1,2 5 6-10"): each separator closes
// one range [start, end]; a range without a start is the single number, a
// start of `no_start` counts as none, and reversed ranges are put in order.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace verdan {

// Calls `range(start, end)` for each range of `list` in order. The list is
// walked as typed; a trailing separator closes the last range. Numbers are
// read as decimals only.
void walk_ranges(std::string_view list, double no_start, const std::function<void(double, double)>& range);

// A run of table indices, first <= last.
struct IndexSpan {
  int first;
  int last;
};

// The indices that the values first, first + 1, ... up to last address: a
// value is tested against [low, high] as it is and only then rounded half
// away from zero, so 0.6 is below a bound of 1 rather than a 1. Empty when
// no value lies within; a huge typed range costs no more than the bounds.
std::optional<IndexSpan> indices_within(double first, double last, int low, int high);

// One index of a walk over several spans, visited once.
struct AddressedIndex {
  int index;
  bool odd;  // addressed an odd number of times: its state changes
};

// The indices within [low, high] that `spans` address (the spans in list
// order, each ascending), each once, ordered by the place of its last
// address in that walk. Toggling each once in this order and drawing it
// leaves states and picture exactly as toggling every address in turn.
std::vector<AddressedIndex> by_last_address(const std::vector<IndexSpan>& spans, int low, int high);

}  // namespace verdan
