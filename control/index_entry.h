// The data-file index: one entry per line of "INDEX" in the data directory,
// joined with the directory listing (last update and size) and with the
// employee register (owner's name). Pure rules, no files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace verdan {

// Files of the data directory: the index, and the work files the command
// interpreter writes (the directory listing and the version text).
inline constexpr const char* kIndexFileName = "INDEX";
inline constexpr const char* kListingFileName = "INDEX.NOW";
inline constexpr const char* kVersionFileName = "OS.VER";

inline constexpr int kKeep = -1;
inline constexpr int kDelete = 1;

struct IndexEntry {
  std::string file_name;        // 11 bytes, padded with blanks
  std::string owner_number;     // the 7 bytes of the owner's number as read
  std::string user_field;       // shown: the number, or the owner's name and a blank
  float user_number = 0;        // 0 when there is no number
  std::string registered_date;  // YYYY/MM/DD
  std::string updated_info;     // 12 blanks, or MM/DD, a blank and the size text
  std::string comment;          // 30 bytes
  std::string match_key;        // 12 bytes, compared with listing names
  int delete_mark = kKeep;
};

// The field a line of "INDEX" holds, leading blanks skipped: the text
// between its quotes, or the rest of the line when it is not quoted (a
// comment may hold commas).
std::string index_field(std::string_view line);

// One "INDEX" line (the field's text). Years "19.." or "20.." at bytes 19-20
// are the current layout; anything else is the earlier one with YY/MM/DD and
// the comment two bytes further left. Short lines are padded with blanks.
IndexEntry parse_index_line(std::string_view line);

// The 12-byte key under which a name is looked for in a listing: ASCII
// letters upper-cased, a period widened to nine blanks, blanks after.
std::string match_key(std::string_view name);

// The text of the entry's line when "INDEX" is written again: always the
// current layout, with the owner's number as read. A double quote, which
// would end the quoted field early, becomes a blank.
std::string index_line(const IndexEntry& entry);

// The entry as the list and the printed list show it, without its number.
std::string entry_text(const IndexEntry& entry);

// Digits of the entry numbers in a list of `count` entries, alike on the
// screen and in print: three, or as many as the last number needs, so that
// every number shows whole and the columns below the heading stay aligned.
int entry_number_digits(std::size_t count);

// A file size right-aligned in seven bytes with thousands separators
// ("  1,234"); a size too wide for that is written without them.
std::string size_text(std::int64_t size);

// Where the month and day stand in a listing line (1-based): 27 when the
// version text starts "MS-DOS ﾊﾞｰｼﾞｮﾝ" or "OS" is set, else 32.
int listing_date_column(std::string_view version_text, bool os_set);

struct ListingFact {
  std::string key;           // 12 bytes
  std::string updated_info;  // MM/DD, a blank, the size text
};

// The facts of one line of a directory listing with its date at
// `date_column`; nothing for a line too short to hold the date.
std::optional<ListingFact> listing_fact(std::string_view line, int date_column);

// `updated_info` of a file taken from the file system: MM/DD, a blank, the
// size text.
std::string file_updated_info(int month, int day, std::int64_t size);

// The name of the file an entry stands for: its whole name without the
// padding. Empty when the entry names no file.
std::string entry_file_name(const IndexEntry& entry);

// Whether a marked entry's file may be deleted: a plain name inside the data
// directory (no drive, no "\", "/", "..", no control byte, no bytes CP932
// gives no character) that is not the index itself.
bool deletable_in_data_dir(std::string_view name);

}  // namespace verdan
