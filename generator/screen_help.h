// The help page F1 shows for each of the generator's screens: what the
// screen asks for and how to go on or leave.
#pragma once

#include <string>
#include <vector>

namespace verdan {

enum class GeneratorScreen { menu, frame_size, lengths, member_menu, range_lists, numbering, print_file, grid_size,
                             error_line };

// The page's lines in CP932, at most 78 columns and 20 lines each.
std::vector<std::string> generator_screen_help(GeneratorScreen screen);

}  // namespace verdan
