#include "generator/help_text.h"

#include "platform/program_info.h"

namespace verdan {

std::string generator_help() {
  return "Usage: VDN-GENE\n"
         "       VDN-GENE --help | --version\n"
         "The VERDAN data generator, a full-screen 80 x 24 program. Describe a regular\n"
         "building frame or a grid of beams; it numbers the nodes and members, appends a\n"
         "listing and a character drawing to the print file, writes the data file FRAME\n"
         "or CROSS and starts the analysis program VERDAN.EXE with it. Without settings\n"
         "it first hands over to VDN-CNTL, which makes them and starts it again.\n"
         "\n"
         "Files: the settings VERDAN.INI in $APPDATA/verdan/; FRAME or CROSS and the\n"
         "print file (PRT.TXT unless the settings say otherwise) in the data directory\n"
         "of the settings (C:, the default, is the current directory).\n"
         "\n" +
         console_help();
}

}  // namespace verdan
