#include "platform/console/terminal_codec.h"

#include "platform/codec/cp932.h"

namespace verdan {

// The Windows console takes UTF-16 (written from UTF-8 here) or the screen's
// own CP932 bytes; no other code set is met.
CodeSet code_set_named(std::string_view name) {
  if (name == "UTF-8" || name == "utf8" || name == "65001") return CodeSet::utf8;
  if (name == "932" || name == "SHIFT_JIS" || name == "CP932") return CodeSet::shift_jis;
  return CodeSet::other;
}

bool terminal_code_set_usable(const char* name) {
  return name != nullptr && code_set_named(name) != CodeSet::other;
}

std::string encode_for_terminal(std::string_view cp932, CodeSet set) {
  return set == CodeSet::utf8 ? to_utf8(cp932) : std::string(cp932);
}

std::string decode_from_terminal(std::string_view typed, CodeSet set) {
  return set == CodeSet::utf8 ? to_cp932(typed) : std::string(typed);
}

}  // namespace verdan
