#include "shared/user_directory.h"

#include <string>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/files.h"
#include "shared/console_routines.h"

namespace verdan {
namespace {

std::string with_backslash(std::string path) {
  if (!ends_with_char(path, '\\')) path += '\\';
  return path;
}

}  // namespace

std::string start_directory() {
  const std::string cwd = GETCWD();
  // Without a DOS name (too long, or removed) the directory is still the
  // current one: names relative to it reach it, the drive's root would not.
  return cwd.empty() ? ".\\" : with_backslash(cwd);
}

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
  // Made by its full name: the current directory never moves, so the start
  // directory stays current even when it has no DOS name to return by.
  const std::string dir = user_directory();
  try {
    if (!directory_exists(dir)) make_directory(dir);
  } catch (const Failure&) {
    return false;
  }
  return true;
}

}  // namespace verdan
