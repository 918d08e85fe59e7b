// The files the two programs keep for themselves: the settings (and their
// old name), the employee register, and in the data directory the index and
// the data files. No output of either program may write over one of them.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

// Where the own files lie; each directory in DOS form, ending in ":" or "\"
// (or empty for the current directory). The settings' old name and the
// register lie in the current directory.
struct OwnFilePlaces {
  std::string_view env_dir;   // where the settings were found
  std::string_view user_dir;  // the settings' other place
  std::string_view data_dir;  // the index and the data files
};

// The own file that `name` reaches by any spelling (ASCII case, ".", "..",
// a link), as the programs name it; empty when it reaches none.
std::string own_file_reached(std::string_view name, const OwnFilePlaces& places);

// Clears what killed runs of either program left beside the files they
// write (the settings, the index, the print file, the register), so a
// start of one program tidies after the other too.
void sweep_after_killed_runs(const OwnFilePlaces& places, std::string_view print_file);

// Failure 75 (access denied) naming both files when `output`, a file about
// to be written, is one of the own files.
void refuse_own_file(std::string_view output, const OwnFilePlaces& places);

}  // namespace verdan
