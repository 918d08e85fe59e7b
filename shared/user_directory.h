// The repair both programs' error handlers make when the per-user
// directory is missing: "verdan" made under %APPDATA%.
#pragma once

namespace verdan {

// Makes the directory "verdan" in the directory named by APPDATA (nothing
// to do when it exists), leaving the current directory as it was. False
// when it could not be made.
bool make_user_directory();

}  // namespace verdan
