#include "generator/range_list.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <utility>

#include "platform/codec/cp932.h"
#include "shared/leading_number.h"
#include "shared/rounding.h"

namespace verdan {

void walk_ranges(std::string_view list, double no_start, const std::function<void(double, double)>& range) {
  std::string text;
  double start = no_start;
  for (std::size_t i = 0; i < list.size(); i += char_length(list, i)) {
    std::size_t len = char_length(list, i);
    char c = list[i];
    if (len == 1 && c == '-') {
      start = leading_decimal(text);
      text.clear();
    } else if (len == 2 || (c != ',' && c != ' ')) {
      text.append(list.substr(i, len));
    } else {
      double end = leading_decimal(text);
      text.clear();
      if (start == no_start) start = end;
      if (end < start) std::swap(start, end);
      range(start, end);
      start = no_start;
    }
  }
}

std::optional<IndexSpan> indices_within(double first, double last, int low, int high) {
  // The values are first + k for whole k; the first one not below `low` is
  // found from the fraction alone, so that a huge typed number does not lose
  // the count to rounding.
  double begin = first;
  if (begin < low) begin = low + (first - std::floor(first));
  const double end = std::fmin(last, high);
  if (!(begin <= end)) return std::nullopt;
  const double steps = std::floor(end - begin);
  // Values within [low, high] with low >= 0 round into [low, high].
  return IndexSpan{static_cast<int>(round_half_away(begin)), static_cast<int>(round_half_away(begin + steps))};
}

std::vector<AddressedIndex> by_last_address(const std::vector<IndexSpan>& spans, int low, int high) {
  if (high < low) return {};
  const auto n = static_cast<std::size_t>(high - low) + 1;
  auto at = [&](int index) { return static_cast<std::size_t>(index - low); };

  // Parity of the number of spans over each index, by a difference array.
  std::vector<unsigned char> flips(n + 1, 0);
  for (const IndexSpan& s : spans) {
    flips[at(s.first)] ^= 1;
    flips[at(s.last) + 1] ^= 1;
  }

  // The last span over each index: spans taken from the end, each index
  // claimed once; `next` skips claimed indices so every index is passed once.
  std::vector<int> last_span(n, -1);
  std::vector<std::size_t> next(n + 1);
  std::iota(next.begin(), next.end(), std::size_t{0});
  auto find = [&](std::size_t i) {
    std::size_t root = i;
    while (next[root] != root) root = next[root];
    while (next[i] != root) i = std::exchange(next[i], root);
    return root;
  };
  for (std::size_t s = spans.size(); s-- > 0;) {
    for (std::size_t i = find(at(spans[s].first)); i <= at(spans[s].last); i = find(i + 1)) {
      last_span[i] = static_cast<int>(s);
      next[i] = i + 1;
    }
  }

  std::vector<AddressedIndex> order;
  unsigned char parity = 0;
  for (std::size_t i = 0; i < n; ++i) {
    parity ^= flips[i];
    if (last_span[i] >= 0) order.push_back({low + static_cast<int>(i), parity != 0});
  }
  // Within one span the walk ascends, so indices whose last span is the
  // same keep their ascending order.
  std::stable_sort(order.begin(), order.end(), [&](const AddressedIndex& a, const AddressedIndex& b) {
    return last_span[at(a.index)] < last_span[at(b.index)];
  });
  return order;
}

}  // namespace verdan
