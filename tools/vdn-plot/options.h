// VDN-PLOT's command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/help_page.h"

namespace verdan::plot_tool {

// The file operand that stands for standard input (DATA-FILE) or standard
// output (PLOT-FILE).
inline constexpr std::string_view kStandardStream = "-";

struct Options {
  int device = 3;
  int paper = 1;
  double scale = 1;
  std::string data_file;
  std::string plot_file;
  std::string jwc_file;  // device 5 only
  bool help = false;
  bool version = false;
};

// The options of `args` (without the program name), or nothing with a
// one-line reason in `error`.
std::optional<Options> parse_options(const std::vector<std::string>& args, std::string& error);

// Why the files of `options` cannot be used together: an output that is an
// input or the other output (one name after the path mapping, or one file by
// device and inode, a redirected standard stream included). Nothing when
// they are distinct; standard input and output are two streams.
std::optional<std::string> file_clash(const Options& options);

// The help: the --help text and the manual page from one source.
HelpPage help_page();
std::string usage();

}  // namespace verdan::plot_tool
