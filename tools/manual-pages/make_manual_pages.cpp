// Writes the programs' manual pages from the same help the programs print
// for --help: make_manual_pages DIRECTORY writes VDN-GENE.1, VDN-CNTL.1 and
// VDN-PLOT.1 there.
#include <cstdio>
#include <fstream>
#include <string>

#include "control/help_text.h"
#include "generator/help_text.h"
#include "platform/help_page.h"
#include "platform/program_info.h"
#include "tools/vdn-plot/options.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_manual_pages DIRECTORY\n", stderr);
    return 2;
  }
  const std::string directory = argv[1];
  for (const verdan::HelpPage& page :
       {verdan::generator_help_page(), verdan::control_help_page(), verdan::plot_tool::help_page()}) {
    const std::string path = directory + "/" + page.program + ".1";
    std::ofstream out(path, std::ios::binary);
    out << verdan::manual_page(page, verdan::project_version());
    out.close();
    if (!out) {
      std::fprintf(stderr, "make_manual_pages: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
