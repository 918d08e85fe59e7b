#include "platform/frontends/terminal/terminal_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <vector>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

std::string upper_without_dashes(std::string_view name) {
  std::string key;
  for (char c : name) {
    if (c == '-' || c == '_') continue;
    key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return key;
}

// UTF-8 and EUC-JP through iconv; whatever it cannot convert becomes "?".
std::string convert(std::string_view text, const char* to, const char* from) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string out;
  std::vector<char> buffer(text.size() * 4 + 16);
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  while (in_left > 0) {
    char* dest = buffer.data();
    std::size_t dest_left = buffer.size();
    std::size_t done = ::iconv(cd, &in, &in_left, &dest, &dest_left);
    out.append(buffer.data(), buffer.size() - dest_left);
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // Skip one character of the input.
      out += '?';
      std::size_t skip = 1;
      if (std::string_view(from) == "UTF-8") {
        auto lead = static_cast<unsigned char>(*in);
        skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      } else if (static_cast<unsigned char>(*in) >= 0x80) {
        skip = static_cast<unsigned char>(*in) == 0x8F ? 3 : 2;
      }
      skip = std::min(skip, in_left);
      in += skip;
      in_left -= skip;
    }
  }
  ::iconv_close(cd);
  return out;
}

}  // namespace

CodeSet code_set_named(std::string_view name) {
  const std::string key = upper_without_dashes(name);
  if (key == "UTF8") return CodeSet::utf8;
  if (key == "EUCJP" || key == "EUCJPMS" || key == "UJIS") return CodeSet::euc_jp;
  if (key == "SHIFTJIS" || key == "SJIS" || key == "CP932" || key == "WINDOWS31J" || key == "MS932") {
    return CodeSet::shift_jis;
  }
  return CodeSet::other;
}

bool terminal_code_set_usable(const char* name) {
  return name != nullptr && code_set_named(name) != CodeSet::other;
}

std::string encode_for_terminal(std::string_view cp932, CodeSet set) {
  switch (set) {
    case CodeSet::shift_jis: return std::string(cp932);
    case CodeSet::euc_jp: return convert(to_utf8(cp932), "EUC-JP", "UTF-8");
    default: return to_utf8(cp932);
  }
}

std::string decode_from_terminal(std::string_view typed, CodeSet set) {
  switch (set) {
    case CodeSet::shift_jis: return std::string(typed);
    case CodeSet::euc_jp: return to_cp932(convert(typed, "UTF-8", "EUC-JP"));
    default: return to_cp932(typed);
  }
}

}  // namespace verdan
