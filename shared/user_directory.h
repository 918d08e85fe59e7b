// Where both programs look for their settings: the start directory and the
// per-user directory "verdan\" under %APPDATA% (or %windir% when OS is
// unset or empty), and the repair their error handlers make when it is missing.
#pragma once

#include <string>

#include "platform/fallible_step.h"

namespace verdan {

// Step numbers the search reports failures under.
struct SettingsSearchSteps {
  int probe_old_name;
  int probe_new_name;
  int rename;
};

// True when `start_dir` holds a non-empty settings file. An old-named one
// ("VERDAN.DAT") gets the new name ("VERDAN.INI") first, unless a file of
// the new name stands beside it, which is then the one used. Empty files
// found on the way are deleted.
bool settings_in_start_directory(ErrorHandler& handler, const std::string& start_dir,
                                 const SettingsSearchSteps& steps);

// The current directory, ending in "\"; ".\" when it has no DOS name.
std::string start_directory();

// The per-user directory, ending in "\".
std::string user_directory();

// Makes the per-user directory that user_directory() names, so the repair
// makes the directory the programs then look in (nothing to do when it
// exists). The current directory is left alone. False when it could not be
// made.
bool make_user_directory();

}  // namespace verdan
