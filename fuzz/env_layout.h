// The layout every written environment file keeps, whatever was read: 220
// CR LF lines of quoted fields, five on line 1, four on line 15, one on the
// others, no quote inside a field.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace verdan::fuzz {

inline int quoted_fields(std::string_view line) {
  if (line.size() < 2 || line.front() != '"' || line.back() != '"') return -1;
  int fields = 1;
  for (std::size_t i = 1; i + 1 < line.size(); ++i) {
    if (line[i] != '"') continue;
    // Only the `","` between two fields may hold quotes.
    if (line.substr(i, 3) != "\",\"") return -1;
    ++fields;
    i += 2;
  }
  return fields;
}

[[noreturn]] inline void broken(int line, std::string_view text) {
  std::fprintf(stderr, "written environment file, line %d: %s\n", line, std::string(text.substr(0, 120)).c_str());
  std::abort();
}

inline void check_env_layout(std::string_view text) {
  int line = 0;
  while (!text.empty()) {
    std::size_t end = text.find("\r\n");
    if (end == std::string_view::npos) broken(line + 1, text);  // a cut last line
    ++line;
    const int expected = line == 1 ? 5 : line == 15 ? 4 : 1;
    if (quoted_fields(text.substr(0, end)) != expected) broken(line, text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  if (line != 220) broken(line, "(the line count)");
}

}  // namespace verdan::fuzz
