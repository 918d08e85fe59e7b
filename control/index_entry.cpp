#include "control/index_entry.h"

#include <cstdio>

#include "platform/codec/cp932.h"
#include "shared/leading_number.h"

namespace verdan {
namespace {

constexpr std::size_t kNameBytes = 11;
constexpr std::size_t kNumberBytes = 7;
constexpr std::size_t kCommentBytes = 30;
constexpr std::size_t kKeyBytes = 12;
constexpr std::size_t kCurrentCommentAt = 31;  // 0-based
constexpr std::size_t kEarlierCommentAt = 29;
constexpr std::size_t kSizeBytes = 7;

char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Bytes [from, from + count) of a text already padded far enough.
std::string bytes(std::string_view text, std::size_t from, std::size_t count) {
  return std::string(text.substr(from, count));
}

std::string padded(std::string_view text, std::size_t width) {
  std::string result(text);
  if (result.size() < width) result.resize(width, ' ');
  return result;
}

std::string month_day(int month, int day) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d", month % 100, day % 100);
  return text;
}

}  // namespace

std::string index_field(std::string_view line) {
  std::size_t first = line.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  // Leading blanks are no part of a field, quoted or not; the bytes of the
  // layout count from its first byte.
  if (line[first] != '"') return std::string(line.substr(first));
  std::string_view rest = line.substr(first + 1);
  return std::string(rest.substr(0, find_char(rest, '"')));
}

IndexEntry parse_index_line(std::string_view line) {
  // Every field is cut from a line long enough for the current layout, so
  // a short line gives blank fields of full width, never shorter ones.
  const std::string text = padded(line, kCurrentCommentAt + kCommentBytes);
  IndexEntry entry;
  entry.file_name = bytes(text, 0, kNameBytes);
  entry.owner_number = bytes(text, kNameBytes, kNumberBytes);
  entry.user_field = entry.owner_number;
  entry.user_number = leading_number(entry.owner_number);
  entry.updated_info = std::string(12, ' ');
  std::string_view century = std::string_view(text).substr(18, 2);
  if (century == "19" || century == "20") {
    entry.registered_date = bytes(text, 18, 10);
    entry.comment = bytes(text, kCurrentCommentAt, kCommentBytes);
  } else {
    entry.registered_date = "19" + bytes(text, 18, 8);
    entry.comment = bytes(text, kEarlierCommentAt, kCommentBytes);
  }
  entry.match_key = match_key(entry.file_name);
  return entry;
}

std::string match_key(std::string_view name) {
  std::string key;
  for (std::size_t i = 0; i < name.size() && key.size() < kKeyBytes; i += char_length(name, i)) {
    std::size_t n = char_length(name, i);
    if (n == 2) {
      key.append(name.substr(i, 2));
    } else if (name[i] == '.') {
      key.append(9, ' ');
    } else {
      key += ascii_upper(name[i]);
    }
  }
  key.resize(kKeyBytes, ' ');
  return key;
}

std::string index_line(const IndexEntry& entry) {
  std::string line = entry.file_name + entry.owner_number + entry.registered_date + "   " + entry.comment;
  for (std::size_t i = 0; i < line.size(); i += char_length(line, i)) {
    if (line[i] == '"') line[i] = ' ';
  }
  return line;
}

std::string entry_text(const IndexEntry& entry) {
  return entry.file_name + entry.user_field + entry.registered_date + "  " + entry.updated_info + "  " +
         entry.comment;
}

int entry_number_digits(std::size_t count) {
  int digits = 3;
  for (std::size_t widest = 999; count > widest; widest = widest * 10 + 9) ++digits;
  return digits;
}

std::string size_text(std::int64_t size) {
  std::string digits = std::to_string(size);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  const std::string& shown = grouped.size() <= kSizeBytes ? grouped : digits;
  return shown.size() >= kSizeBytes ? shown : std::string(kSizeBytes - shown.size(), ' ') + shown;
}

int listing_date_column(std::string_view version_text, bool os_set) {
  static const std::string& dos = sj("MS-DOS ﾊﾞｰｼﾞｮﾝ");
  if (os_set || version_text.substr(0, 14) == dos) return 27;
  return 32;
}

std::optional<ListingFact> listing_fact(std::string_view line, int date_column) {
  const std::size_t c = static_cast<std::size_t>(date_column) - 1;
  // Lines without a date (headings, totals) describe no file.
  if (line.size() < c + 5) return std::nullopt;
  const std::string_view text = line;
  ListingFact fact;
  fact.key = bytes(text, 0, kKeyBytes);
  std::string size;
  if (date_column == 32) {
    size = bytes(text, 19, 7);
  } else if (text[18] == ' ') {
    size = bytes(text, 15, 7);
  } else {
    size = bytes(text, 16, 3) + "," + bytes(text, 19, 3);
  }
  fact.updated_info = bytes(text, c, 2) + "/" + bytes(text, c + 3, 2) + " " + size;
  return fact;
}

std::string file_updated_info(int month, int day, std::int64_t size) {
  return month_day(month, day) + " " + size_text(size);
}

std::string entry_file_name(const IndexEntry& entry) {
  std::string name = entry.file_name;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

bool deletable_in_data_dir(std::string_view name) {
  if (name.empty() || name == "." || name.find("..") != std::string_view::npos) return false;
  // A control byte is no part of a file name; a NUL would even make the
  // host see a shorter name, another file. No trail byte is below 0x40.
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  for (char mark : {'\\', '/', ':'}) {
    if (find_char(name, mark) != std::string_view::npos) return false;
  }
  // Bytes of no character have no host name of their own: "\x83/AB" would
  // reach the file U+FFFD "AB".
  if (undefined_char_at(name) != std::string_view::npos) return false;
  // The index is written before the marked files go; an entry named like
  // it must not take the new index with it.
  std::string upper;
  for (char c : name) upper += ascii_upper(c);
  return upper != "INDEX";
}

}  // namespace verdan
