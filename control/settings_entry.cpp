#include "control/settings_entry.h"

#include "platform/codec/cp932.h"
#include "shared/leading_number.h"

namespace verdan {

std::string ascii_upper(std::string_view entry) {
  std::string upper(entry);
  for (std::size_t i = 0; i < upper.size(); i += char_length(upper, i)) {
    if (upper[i] >= 'a' && upper[i] <= 'z') upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
  }
  return upper;
}

std::string entry_token(std::string_view entry) {
  std::size_t begin = 0;
  while (begin < entry.size() && (entry[begin] == ' ' || entry[begin] == ',')) ++begin;
  std::size_t end = begin;
  while (end < entry.size() && entry[end] != ' ' && entry[end] != ',') end += char_length(entry, end);
  // The environment file quotes every field and has no escape, so a quote
  // typed here would split the field for every reader of the file.
  return without_char(ascii_upper(entry.substr(begin, end - begin)), '"');
}

std::string directory_value(std::string_view token, std::string value) {
  if (!token.empty()) value = token;
  if (value.size() == 1) value += ':';
  if (!ends_with_char(value, ':') && !ends_with_char(value, '\\')) value += '\\';
  return value;
}

std::string file_value(std::string_view token, std::string value, std::string_view work_dir) {
  if (!token.empty()) {
    if (token[0] == '\\') {
      token.remove_prefix(1);
    } else if (token.size() >= 2 && token[1] == ':' && (token.size() < 3 || token[2] != '\\')) {
      token.remove_prefix(2);
    }
    // A bare drive or "\" names no file: the field keeps its name.
    if (!token.empty()) value = token;
  }
  constexpr std::string_view kWorkPrefix = "$WORK\\";
  if (value.compare(0, kWorkPrefix.size(), kWorkPrefix) == 0) {
    value = std::string(work_dir) + value.substr(kWorkPrefix.size());
  }
  return value;
}

float unit_value(std::string_view token, float value) {
  if (!token.empty()) value = leading_number(token);
  if (value != 0 && value != 0.5f && value != 1) value = 1;
  return value;
}

}  // namespace verdan
