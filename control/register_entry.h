// The employee register "VDN-USER.DAT": numbers and short names of the
// owners of data files. Pure rules of its screen and file, no I/O.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace verdan {

struct RegisterEntry {
  float number = 0;
  std::string name;  // CP932, padded to six columns when it fits
};

inline constexpr const char* kRegisterFileName = "VDN-USER.DAT";
// Places of the screen grid: rows 2 to 23, six entries a row.
inline constexpr int kRegisterGridPlaces = 132;
// The largest employee number: "INDEX" gives an owner's number seven bytes.
inline constexpr float kLargestEmployeeNumber = 9'999'999;

struct GridPlace {
  int row;
  int column;
};

// Where entry n (from 1) stands on the screen.
GridPlace grid_place(int n);

// A number entry: its value (negative ones end the screen), or nothing when
// the entry is not a number, not whole, or above kLargestEmployeeNumber. An
// empty entry is 0.
std::optional<float> register_number(std::string_view entry);

// A name entry: the text before the first comma, blanks around it dropped;
// double quotes, which the register file cannot hold, are dropped too.
std::string name_entry(std::string_view entry);

// The name padded with blanks to six columns; a character led by 0x85
// counts one column. A wider name stays as it is.
std::string padded_name(std::string_view name);

// 'Y', 'N' or 0 for an answer to "OK (Y/N)": its first character, the
// kana-mode keys ﾝ and ﾐ counting as Y and N, upper-cased.
char yes_no(std::string_view answer);

// An entry in its grid place of twelve columns (a thirteenth parts it from
// the next): the number right-aligned in five columns and a blank, then the
// name. A wider number shows whole, and the name gets the columns left.
struct GridText {
  std::string number;  // with the blank after it
  std::string name;
};
GridText grid_text(const RegisterEntry& entry);

// The number shown where it was typed: right-aligned in five columns, or
// whole when wider, with blanks after it to eight columns.
std::string number_echo(float number);

// The entry's line in the register file, without the line end.
std::string register_line(const RegisterEntry& entry);

}  // namespace verdan
