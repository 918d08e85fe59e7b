#include "plt_draw/mm_text.h"

#include <charconv>
#include <cmath>

#include "platform/failure.h"

namespace verdan {

std::string mm_text(double value) {
  if (!std::isfinite(value)) fail(kOverflow, "drawing coordinate is no finite number");
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  if (ec != std::errc()) fail(kOverflow, "drawing coordinate is too large");
  std::string text(buffer, end);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

}  // namespace verdan
