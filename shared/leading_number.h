// The numeric value of a keyboard entry: its leading number, the way every
// numeric prompt reads it. Empty or non-numeric entries give 0.
#pragma once

#include <string_view>

namespace verdan {

// Leading blanks skipped; an optional sign, digits and one decimal point;
// "&H" and "&O" (or "&") prefixes read hexadecimal and octal digits.
// Reading stops at the first character that does not fit. A magnitude
// beyond the single-precision range gives the largest single of its sign,
// so range checks reject it instead of mistaking it for an empty entry.
float leading_number(std::string_view entry);

// The same without the "&" prefixes: a decimal number or 0. For texts where
// "&" is no number mark (the range lists of member editing).
float leading_decimal(std::string_view entry);

}  // namespace verdan
