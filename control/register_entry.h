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
// The largest number the grid's five positions ("##### ") show as it is.
inline constexpr float kLargestEmployeeNumber = 99999;

struct GridPlace {
  int row;
  int column;
};

// Where entry n (from 1) stands on the screen.
GridPlace grid_place(int n);

// A number entry: its value (negative ones end the screen), or nothing when
// the entry is not a number, not whole, or too wide for the grid. An empty
// entry is 0.
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

// The entry's line in the register file, without the line end.
std::string register_line(const RegisterEntry& entry);

}  // namespace verdan
