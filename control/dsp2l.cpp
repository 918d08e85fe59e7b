#include "control/dsp2l.h"

#include <string>

#include "platform/codec/cp932.h"
#include "shared/print.h"

namespace verdan {
namespace {

void show_filled(Console& console, int x, int y, std::string_view text) {
  std::string_view fitting = cut_to_width(text, static_cast<std::size_t>(80 - x));
  console.locate(y, x);
  print(console, fitting, std::string(static_cast<std::size_t>(80 - x) - fitting.size(), ' '), stay);
}

}  // namespace

void DSP2L(Console& console, int x, int y, std::string_view text) {
  const int length = static_cast<int>(text.size());
  if (x + length <= 80) {
    show_filled(console, x, y, text);
    return;
  }
  // Rightmost "\" (1-based position p) with x + p < 80, stepping by character.
  int p = 0;
  for (std::size_t i = find_char(text, '\\'); i != std::string_view::npos; i = find_char(text, '\\', i + 1)) {
    if (x + static_cast<int>(i) + 1 < 80) p = static_cast<int>(i) + 1;
  }
  if (p == 0) return;
  show_filled(console, x, y, text.substr(0, static_cast<std::size_t>(p - 1)));
  int d = text.size() > 1 && text[1] == ':' ? 2 : 0;
  if (y + 1 < 24) show_filled(console, x + d, y + 1, text.substr(static_cast<std::size_t>(p - 1)));
}

}  // namespace verdan
