// Directory listings in the layout of NT-family command interpreters: date
// and time first, then the size (or <DIR>), the name last, with the date in
// the order and separators of the user's locale. What a line leaves open
// (a day-first or month-first date cannot be told apart) the file system
// tells.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/directory_listing.h"

namespace verdan {

struct DatedListingLine {
  std::string name;   // CP932, whole
  std::int64_t size = 0;
  int month = 0;      // 0 when the line's date does not say which part it is
  int day = 0;
};

// The file a line describes; nothing for headings, totals, directories and
// lines in the old fixed-column layout.
std::optional<DatedListingLine> dated_listing_line(std::string_view line);

// The files of the directory (byte order of names) with the facts the
// lines give put over those of the file system.
std::vector<ListedFile> with_dated_lines(std::vector<ListedFile> files, const std::vector<DatedListingLine>& lines);

}  // namespace verdan
