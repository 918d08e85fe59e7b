#include "shared/print.h"

#include "shared/free_format.h"

namespace verdan {
namespace {

template <typename Number>
void print_number(TextSink& sink, Number value) {
  char buf[kFreeFormatMax];
  sink.write(std::string_view(buf, static_cast<std::size_t>(write_free(buf, value))));
}

}  // namespace

void print_item(TextSink& sink, float value) { print_number(sink, value); }
void print_item(TextSink& sink, double value) { print_number(sink, value); }
void print_item(TextSink& sink, long long value) { print_number(sink, value); }

void print_item(TextSink& sink, Zone) {
  static constexpr char kBlanks[kZoneWidth + 1] = "              ";
  int column = sink.column();
  sink.write(std::string_view(kBlanks, static_cast<std::size_t>(kZoneWidth - column % kZoneWidth)));
}

void print_item(TextSink& sink, const Using& mask) {
  std::string out;
  apply_mask(out, mask.mask(), mask.values(), mask.count());
  sink.write(out);
}

}  // namespace verdan
