// Numbers typed with the input method on come as full-width characters
// (１２．５, －３). Where an entry is read as numbers they count as the
// ASCII characters they show.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

// `cp932` with full-width digits, signs, point, comma, E and blank turned
// into their ASCII forms; every other character is left as it is.
std::string narrow_numerals(std::string_view cp932);

}  // namespace verdan
