// VDN-PLOT: draw a VERDAN data file on a plot device.
#include <string>
#include <vector>

#include "platform/unexpected_end.h"
#include "tools/vdn-plot/plot_tool.h"

int main(int argc, char** argv) {
  try {
    return verdan::plot_tool::run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (...) {
    return verdan::report_unexpected("VDN-PLOT");
  }
}
