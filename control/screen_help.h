// The help page F1 shows for each of the control program's screens that
// reads an entry; the file list and the error line read any key, so there
// the key keeps its meaning and the screen's legend is the help.
#pragma once

#include <string>
#include <vector>

namespace verdan {

enum class ControlScreen { menu, settings, file_menu, register_entry };

// The page's lines in CP932, at most 78 columns and 20 lines each.
std::vector<std::string> control_screen_help(ControlScreen screen);

}  // namespace verdan
