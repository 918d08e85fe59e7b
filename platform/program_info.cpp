#include "platform/program_info.h"

#include <cstdio>

namespace verdan {

const char* project_version() { return VERDAN_VERSION; }

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
