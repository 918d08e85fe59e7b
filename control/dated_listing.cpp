#include "control/dated_listing.h"

#include <algorithm>

namespace verdan {
namespace {

constexpr std::int64_t kLargestSize = 999'999'999'999'999'999;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool has_digit(std::string_view text) { return std::any_of(text.begin(), text.end(), is_digit); }
bool all_digits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), is_digit); }

// The next blank-separated word of `rest`, taken off it.
std::string_view next_word(std::string_view& rest) {
  const std::size_t start = rest.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  std::size_t end = rest.find(' ');
  if (end == std::string_view::npos) end = rest.size();
  std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

// "3/5/2024", "2024/03/05", "05.03.2024", "2024-03-05": three numbers with a
// mark between them. Month and day only when the year comes first: the
// other orders are the locale's and read alike.
bool read_date(std::string_view word, int& month, int& day) {
  if (!word.empty() && word.back() == '.') word.remove_suffix(1);
  int parts[3] = {};
  std::size_t widths[3] = {};
  std::size_t at = 0;
  for (int part = 0; part < 3; ++part) {
    if (part > 0) {
      if (at >= word.size() || is_digit(word[at])) return false;
      ++at;
    }
    const std::size_t start = at;
    while (at < word.size() && is_digit(word[at]) && at - start < 4) {
      parts[part] = parts[part] * 10 + (word[at++] - '0');
    }
    widths[part] = at - start;
    if (widths[part] == 0) return false;
  }
  if (at != word.size()) return false;
  month = day = 0;
  if (widths[0] == 4 && parts[1] >= 1 && parts[1] <= 12 && parts[2] >= 1 && parts[2] <= 31) {
    month = parts[1];
    day = parts[2];
  }
  return true;
}

// Digits with the locale's group marks in them ("1,234", "1.234", "1'234").
bool read_size(std::string_view word, std::int64_t& size) {
  if (word.empty() || !is_digit(word.front()) || !is_digit(word.back())) return false;
  size = 0;
  int digits = 0;
  for (char c : word) {
    if (!is_digit(c)) continue;
    if (++digits > 18) return false;
    size = size * 10 + (c - '0');
  }
  return true;
}

}  // namespace

std::optional<DatedListingLine> dated_listing_line(std::string_view line) {
  std::string_view rest = line;
  DatedListingLine file;
  if (!read_date(next_word(rest), file.month, file.day)) return std::nullopt;
  // The time, with the locale's AM/PM word before or after it.
  bool timed = false;
  std::string_view word = next_word(rest);
  for (; !word.empty() && (word.find(':') != std::string_view::npos || !has_digit(word)); word = next_word(rest)) {
    if (word.front() == '<') return std::nullopt;  // <DIR>, <JUNCTION>: no file
    timed = timed || word.find(':') != std::string_view::npos;
  }
  if (!timed || !read_size(word, file.size)) return std::nullopt;
  // Groups split by a blank ("1 234"), as long as a name is left after them.
  for (std::string_view after = rest;;) {
    std::string_view group = next_word(after);
    if (group.size() != 3 || !all_digits(group) || after.find_first_not_of(' ') == std::string_view::npos) break;
    if (file.size > kLargestSize / 1000) return std::nullopt;
    file.size = file.size * 1000 + std::stoll(std::string(group));
    rest = after;
  }
  const std::size_t start = rest.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  rest.remove_prefix(start);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  file.name = std::string(rest);
  return file;
}

std::vector<ListedFile> with_dated_lines(std::vector<ListedFile> files, const std::vector<DatedListingLine>& lines) {
  auto by_name = [](const ListedFile& file, const std::string& name) { return file.name < name; };
  for (const DatedListingLine& line : lines) {
    auto found = std::lower_bound(files.begin(), files.end(), line.name, by_name);
    // Gone since it was listed, or a name the file system spells otherwise.
    if (found == files.end() || found->name != line.name) continue;
    found->size = line.size;
    if (line.month != 0) {
      found->month = line.month;
      found->day = line.day;
    }
  }
  return files;
}

}  // namespace verdan
