// The code set of the user's locale, in which a terminal shows and sends
// text: UTF-8, EUC-JP, or Shift_JIS / CP932, which are the screen's own bytes.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

enum class CodeSet { utf8, euc_jp, shift_jis, other };

// The code set named by nl_langinfo(CODESET).
CodeSet code_set_named(std::string_view name);

// Whether the terminal front end can show Japanese text in that code set.
bool terminal_code_set_usable(const char* name);

// CP932 screen text in `set`. Characters the set lacks become "?".
std::string encode_for_terminal(std::string_view cp932, CodeSet set);

// Typed bytes in `set` as CP932.
std::string decode_from_terminal(std::string_view typed, CodeSet set);

}  // namespace verdan
