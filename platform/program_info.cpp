#include "platform/program_info.h"

#include <cstdio>

namespace verdan {

const char* project_version() { return VERDAN_VERSION; }

std::string console_help() {
  return "Environment:\n"
         "  VERDAN_CONSOLE   headless or terminal (default: terminal when standard input\n"
         "                   and output are terminals, else headless)\n"
         "  VERDAN_SNAPSHOT  FILE.png: also write the final screen as a picture\n"
         "  VERDAN_FONT      unifont .hex file for the picture's text (default: the\n"
         "                   first of /usr/share/unifont/unifont_jp.hex, unifont.hex\n"
         "                   and the same under /usr/local/share/unifont)\n"
         "  VERDAN_DRIVE_X   host directory that the DOS drive X: stands for (default /;\n"
         "                   a drive without a directory, like C:, is the current one)\n"
         "  APPDATA          parent of the per-user directory verdan/ holding VERDAN.INI\n"
         "                   (default $XDG_CONFIG_HOME, else ~/.config)\n"
         "  PATH             where VERDAN.EXE, VDN-CNTL and VDN-GENE are looked for after\n"
         "                   this program's own directory and the current one\n"
         "\n"
         "Headless mode (standard input or output not a terminal): every line of\n"
         "standard input is one entry (UTF-8), a one-key question takes the next byte;\n"
         "the final screen is written to standard output as UTF-8 text.\n"
         "\n"
         "Files are CP932 text with CR LF line ends; read them with\n"
         "  iconv -f CP932 -t UTF-8 PRT.TXT\n"
         "\n"
         "Exit status: 0 normal end, 1 ended from an error screen, 3 headless input ran\n"
         "out, 4 an unexpected failure, 130 interrupted by Ctrl-C.\n";
}

std::string version_text(std::string_view program) {
  return std::string(program) + " (VERDAN companion programs) " + project_version() +
         "\n"
         "Copyright (c) 2026 the VERDAN companion programs authors\n"
         "MIT licence: free to use, copy, change and pass on; no warranty.\n";
}

std::optional<int> answer_info_request(int argc, const char* const* argv, std::string_view program,
                                       const std::string& help) {
  if (argc != 2) return std::nullopt;
  const std::string_view arg = argv[1];
  std::string text;
  if (arg == "--help" || arg == "-h") {
    text = help;
  } else if (arg == "--version") {
    text = version_text(program);
  } else {
    return std::nullopt;
  }
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
  return 0;
}

}  // namespace verdan
