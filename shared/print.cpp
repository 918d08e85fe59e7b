#include "shared/print.h"

#include "shared/free_format.h"

namespace verdan {
namespace {

template <typename Number>
void print_number(PrintLine& line, Number value) {
  // Formatted straight into the line: numbers are the bulk of every file.
  ByteBuffer& bytes = line.bytes();
  const std::size_t at = bytes.size();
  bytes.truncate(at + static_cast<std::size_t>(write_free(bytes.extend(kFreeFormatMax), value)));
}

}  // namespace

ByteBuffer& print_scratch() {
  static thread_local ByteBuffer bytes;
  return bytes;
}

void print_item(PrintLine& line, float value) { print_number(line, value); }
void print_item(PrintLine& line, double value) { print_number(line, value); }
void print_item(PrintLine& line, long long value) { print_number(line, value); }

void print_item(PrintLine& line, Zone) {
  line.bytes().fill(static_cast<std::size_t>(kZoneWidth - line.column() % kZoneWidth), ' ');
}

void print_item(PrintLine& line, const Using& mask) {
  apply_mask(line.bytes(), mask.mask(), mask.values(), mask.count());
}

}  // namespace verdan
