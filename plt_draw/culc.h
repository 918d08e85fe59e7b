// The integer code of LIPS III command parameters.
#pragma once

#include <string>

namespace verdan {

// floor(v) in the LIPS III integer encoding: up to two bytes 64 + six bits of
// the magnitude, then 48 (32 when negative) + its low four bits. Failure 6
// when |floor(v)| is 65536 or more, or v is not a number.
std::string CULC(float v);

// The same written at `out` (at most 3 bytes); returns the end.
char* write_culc(char* out, float v);

}  // namespace verdan
