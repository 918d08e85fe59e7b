#include "generator/data_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "shared/integer_field.h"
#include "shared/print.h"

namespace verdan {
namespace {

// The five fixed integers that close a member line depend only on the
// column they start at; each column's text is formatted once, by the same
// output rules, and reused for the thousands of lines of a large frame.
const std::string& member_tail(int column) {
  static thread_local std::vector<std::string> tails;
  if (column < 0) column = 0;
  if (static_cast<std::size_t>(column) >= tails.size()) tails.resize(static_cast<std::size_t>(column) + 1);
  std::string& tail = tails[static_cast<std::size_t>(column)];
  if (tail.empty()) {
    StringSink line;
    line.write(std::string(static_cast<std::size_t>(column), ' '));
    print(line, -1, zone, 0, zone, 0, zone, 0, zone, 0, stay);
    tail = line.text().substr(static_cast<std::size_t>(column));
  }
  return tail;
}

}  // namespace

template <typename Real>
void write_data_file(TextSink& sink, const DataFileContent<Real>& content) {
  auto finite = [](Real v) { return std::isfinite(v); };
  if (!std::all_of(content.node_x.begin(), content.node_x.end(), finite) ||
      !std::all_of(content.node_y.begin(), content.node_y.end(), finite)) {
    fail(kOverflow, "node coordinate beyond the number range");
  }
  // The counts are single-precision values in the file, like every count.
  const float closing_count = 1;
  const float fourth_count = 0;
  print(sink, "VERDAN V2.50");
  print(sink, static_cast<float>(content.node_x.size()), zone, static_cast<float>(content.end_a.size()), zone,
        closing_count, zone, fourth_count);
  for (std::size_t n = 0; n < content.node_x.size(); ++n) print(sink, content.node_x[n], zone, content.node_y[n]);
  // Member lines ("### ### ###" and the tail) are put together in place:
  // they are most of a large file.
  for (std::size_t m = 0; m < content.end_a.size(); ++m) {
    char* const line = sink.line_room(3 * 24 + 8 + 256);
    char* p = put_integer_field(line, content.end_a[m], 3);
    *p++ = ' ';
    p = put_integer_field(p, content.end_b[m], 3);
    *p++ = ' ';
    p = put_integer_field(p, content.kind[m], 3);
    for (int i = 0; i < 3; ++i) *p++ = ' ';
    const std::string& tail = member_tail(static_cast<int>(p - line));
    std::memcpy(p, tail.data(), tail.size());
    sink.end_line_at(p + tail.size());
  }
  print(sink, 1, zone, -1, zone, 0, zone, 0, zone, 0);
}

template void write_data_file<float>(TextSink&, const DataFileContent<float>&);
template void write_data_file<double>(TextSink&, const DataFileContent<double>&);

}  // namespace verdan
