// Range lists as typed in member editing, walked and bounded to a table.
#include <cstdint>
#include <string_view>

#include "generator/range_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view list(reinterpret_cast<const char*>(data), size);
  verdan::walk_ranges(list, 0, [](double first, double last) {
    if (auto span = verdan::indices_within(first, last, 1, 9999)) {
      if (span->first > span->last || span->first < 1 || span->last > 9999) __builtin_trap();
    }
  });
  return 0;
}
