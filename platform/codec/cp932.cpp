#include "platform/codec/cp932.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/codec/cp932_table.h"

namespace verdan {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

int lead_slot(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }

char32_t lookup_double(unsigned char lead, unsigned char trail) {
  if (trail < cp932_table::kTrailFirst || trail > 0xFC) return kReplacement;
  std::uint16_t u = cp932_table::kDouble[lead_slot(lead) * cp932_table::kTrailCount +
                                         (trail - cp932_table::kTrailFirst)];
  return u == cp932_table::kNone ? kReplacement : u;
}

// Reads one UTF-8 sequence at `pos`; returns U+FFFD and length 1 for a
// malformed one, so that every bad byte becomes exactly one replacement.
char32_t read_utf8(std::string_view s, std::size_t pos, std::size_t& length) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char b0 = byte(pos);
  length = 1;
  if (b0 < 0x80) return b0;
  int extra = b0 >= 0xF0 && b0 <= 0xF4 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC2 && b0 < 0xE0 ? 1 : -1;
  if (extra < 0 || pos + static_cast<std::size_t>(extra) >= s.size()) return kReplacement;
  char32_t cp = b0 & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    unsigned char b = byte(pos + i);
    if ((b & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  length = static_cast<std::size_t>(extra) + 1;
  return cp;
}

void append_code(std::string& out, std::uint16_t code) {
  if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace

std::size_t find_char(std::string_view text, char c, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i += char_length(text, i)) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

bool ends_with_char(std::string_view text, char c) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i += char_length(text, i)) last = i;
  return last != std::string_view::npos && char_length(text, last) == 1 && text[last] == c;
}

std::string without_char(std::string_view text, char c) {
  std::string kept;
  kept.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = char_length(text, i);
    // A lead byte before a byte no character ends with (a quote, a comma) is
    // a stray byte: readers that go by bytes see the mark, so it goes too.
    if (length == 2) {
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) length = 1;
    }
    if (length != 1 || text[i] != c) kept.append(text.substr(i, length));
    i += length;
  }
  return kept;
}

std::string_view cut_to_width(std::string_view text, std::size_t width) {
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + char_length(text, end);
    if (next > width) break;
    end = next;
  }
  return text.substr(0, end);
}

char32_t decode_char(std::string_view text, std::size_t pos, std::size_t& length) {
  length = char_length(text, pos);
  auto b0 = static_cast<unsigned char>(text[pos]);
  if (length == 2) return lookup_double(b0, static_cast<unsigned char>(text[pos + 1]));
  std::uint16_t u = cp932_table::kSingle[b0];
  return u == cp932_table::kNone ? kReplacement : u;
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string to_utf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  for (std::size_t i = 0; i < cp932.size();) {
    std::size_t len = 0;
    append_utf8(out, decode_char(cp932, i, len));
    i += len;
  }
  return out;
}

std::size_t undefined_char_at(std::string_view cp932) {
  // CP932 has no code for U+FFFD itself, so it stands for nothing else.
  for (std::size_t i = 0; i < cp932.size();) {
    std::size_t len = 0;
    if (decode_char(cp932, i, len) == kReplacement) return i;
    i += len;
  }
  return std::string_view::npos;
}

std::string to_cp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const cp932_table::Pair* begin = cp932_table::kFromUnicode;
  const cp932_table::Pair* end = begin + cp932_table::kFromUnicodeCount;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t len = 1;
    char32_t cp = read_utf8(utf8, i, len);
    i += len;
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    const cp932_table::Pair* hit = end;
    if (cp != kReplacement && cp <= 0xFFFF) {
      hit = std::lower_bound(begin, end, cp, [](const cp932_table::Pair& p, char32_t u) {
        return p.unicode < u;
      });
      if (hit != end && hit->unicode != cp) hit = end;
    }
    if (hit != end) {
      append_code(out, hit->code);
    } else if (cp >= 0x1100 && cp != kReplacement) {
      out += "\x81\x48";  // full-width question mark keeps a wide character wide
    } else {
      out.push_back('?');
    }
  }
  return out;
}

const std::string& sj(const char* utf8_literal) {
  static std::mutex guard;
  static std::unordered_map<const char*, std::string> cache;
  std::lock_guard<std::mutex> lock(guard);
  auto it = cache.find(utf8_literal);
  if (it == cache.end()) it = cache.emplace(utf8_literal, to_cp932(utf8_literal)).first;
  return it->second;
}

std::vector<std::string> cp932_lines(std::initializer_list<const char*> utf8_literals) {
  std::vector<std::string> lines;
  for (const char* line : utf8_literals) lines.push_back(to_cp932(line));
  return lines;
}

}  // namespace verdan
