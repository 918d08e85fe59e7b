// How an entry on the settings screen becomes a setting's value.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

// The entry's first word: blanks and commas before it skipped, ended by the
// next blank or comma, ASCII letters upper-cased (double-byte characters
// kept as they are), double quotes dropped.
std::string entry_token(std::string_view entry);

// The entry with its ASCII letters upper-cased (double-byte characters kept).
std::string ascii_upper(std::string_view entry);

// A drive or directory: the token replaces `value` unless empty; then a
// single letter gets ":" and anything not ending in ":" or "\" gets "\".
std::string directory_value(std::string_view token, std::string value);

// A file name: the token without a leading "\" and without a drive "X:" not
// followed by "\" replaces `value` unless nothing is left; then a value
// starting "$WORK\" is taken relative to `work_dir`.
std::string file_value(std::string_view token, std::string value, std::string_view work_dir);

// The unit system's number: the token's leading number unless the token is
// empty; anything but 0, 0.5 and 1 becomes 1.
float unit_value(std::string_view token, float value);

}  // namespace verdan
