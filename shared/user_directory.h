// Where both programs look for their settings: the start directory and the
// per-user directory "verdan\" under %APPDATA% (or %windir% when OS is
// unset), and the repair their error handlers make when it is missing.
#pragma once

#include <string>

namespace verdan {

// The current directory, ending in "\".
std::string start_directory();

// The per-user directory, ending in "\".
std::string user_directory();

// Makes the directory "verdan" in the directory named by APPDATA (nothing
// to do when it exists), leaving the current directory as it was. False
// when it could not be made.
bool make_user_directory();

}  // namespace verdan
