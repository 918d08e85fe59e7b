// What curses' get_wch reports, in this system's keys: the only place that
// knows curses' key numbers.
#pragma once

#include <cstdint>

#include "platform/console/keys.h"

namespace verdan {

// `function_key` when get_wch returned KEY_CODE_YES and `value` is a KEY_
// number; else `value` is a typed character's code point.
Key curses_key(bool function_key, std::uint32_t value);

}  // namespace verdan
