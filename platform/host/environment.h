// Environment variables as the programs see them: values in CP932, and the
// few variables a POSIX host lacks (APPDATA, OS) filled in once at start.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

// Value of the variable `name` as CP932; empty when unset.
std::string get_env(std::string_view name);

// Called once at program start on a POSIX host: an unset APPDATA becomes
// $XDG_CONFIG_HOME or else $HOME/.config, an unset OS the kernel's name.
// Nothing is set when there is nothing to take it from.
void apply_posix_defaults();

}  // namespace verdan
