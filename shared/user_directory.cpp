#include "shared/user_directory.h"

#include <string>

#include "platform/cp932.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "shared/console_routines.h"

namespace verdan {
namespace {

std::string with_backslash(std::string path) {
  if (!ends_with_char(path, '\\')) path += '\\';
  return path;
}

}  // namespace

std::string start_directory() { return with_backslash(GETCWD()); }

std::string user_directory() {
  return with_backslash(GETENV("OS").empty() ? GETENV("windir") : GETENV("APPDATA")) + "verdan\\";
}

bool settings_in_start_directory(ErrorHandler& handler, const std::string& start_dir,
                                 const SettingsSearchSteps& steps) {
  const std::string old_name = start_dir + "VERDAN.DAT";
  const std::string new_name = start_dir + "VERDAN.INI";
  const bool old_found = run_step(handler, steps.probe_old_name, [&] { return probe(old_name); }) > 0;
  const bool new_found = run_step(handler, steps.probe_new_name, [&] { return probe(new_name); }) > 0;
  // Renaming onto an existing file would fail on every retry.
  if (old_found && !new_found) {
    run_step(handler, steps.rename, [&] { rename_file("VERDAN.DAT", "VERDAN.INI"); });
  }
  return old_found || new_found;
}

bool make_user_directory() {
  const std::string here = GETCWD();
  bool made = true;
  try {
    change_directory(GETENV("APPDATA"));
    if (!directory_exists("verdan")) make_directory("verdan");
  } catch (const Failure&) {
    made = false;
  }
  // Back to where the program was; should even that fail, the failure the
  // handler reports is the one that brought it here.
  try {
    change_directory(here);
  } catch (const Failure&) {
    made = false;
  }
  return made;
}

}  // namespace verdan
