// Keys as the built-in VT100/ANSI renderer reads them from the terminal's
// bytes, in the code set of the user's locale.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/console/keys.h"
#include "platform/frontends/terminal/terminal_codec.h"

namespace verdan {

// A key the built-in renderer read itself: the first `used` bytes of what
// the terminal sent (in code set `set`) make `key`. The cursor and editing
// keys come as VT100/ANSI escape sequences, in either cursor mode; ones
// without a meaning here give KeyName::other. `used` is 0 while
// the bytes only begin a key; when `more_may_come` is false the first byte
// is then a key of its own (a lone ESC).
struct ScannedKey {
  std::size_t used = 0;
  Key key;
};
ScannedKey scan_key(std::string_view bytes, CodeSet set, bool more_may_come);

}  // namespace verdan
