#include "shared/wide_numerals.h"

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

// The ASCII form of a full-width character, or 0.
char narrow_of(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
  if (lead == 0x82 && trail == 0x64) return 'E';
  if (lead == 0x82 && trail == 0x85) return 'e';
  if (lead != 0x81) return 0;
  switch (trail) {
    case 0x40: return ' ';
    case 0x43: return ',';
    case 0x44: return '.';
    case 0x7B: return '+';
    case 0x7C: return '-';
    default: return 0;
  }
}

}  // namespace

std::string narrow_numerals(std::string_view cp932) {
  std::string text;
  text.reserve(cp932.size());
  for (std::size_t pos = 0; pos < cp932.size();) {
    std::size_t length = char_length(cp932, pos);
    char narrow = length == 2 ? narrow_of(static_cast<unsigned char>(cp932[pos]),
                                          static_cast<unsigned char>(cp932[pos + 1]))
                              : 0;
    if (narrow != 0) {
      text += narrow;
    } else {
      text.append(cp932.substr(pos, length));
    }
    pos += length;
  }
  return text;
}

}  // namespace verdan
