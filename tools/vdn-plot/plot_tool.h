// VDN-PLOT: a frame data file drawn on a plot device through the plot
// library, from the command line.
#pragma once

#include <string>
#include <vector>

namespace verdan::plot_tool {

// Runs with the arguments after the program name; messages go to standard
// output (help) and standard error. Returns the exit status.
int run(const std::vector<std::string>& args);

}  // namespace verdan::plot_tool
