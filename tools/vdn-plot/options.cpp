#include "tools/vdn-plot/options.h"

#include <charconv>
#include <cmath>

#include "platform/codec/cp932.h"
#include "platform/host/same_file.h"
#include "platform/host/standard_streams.h"

namespace verdan::plot_tool {
namespace {

bool whole_number(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  auto [at, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && at == end && !text.empty();
}

bool real_number(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  auto [at, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && at == end && !text.empty() && std::isfinite(value);
}

// The JW_CAD file beside the intermediate file: its extension becomes .jwc.
std::string default_jwc_name(const std::string& plot_file) {
  std::size_t name = plot_file.find_last_of("/\\");
  name = name == std::string::npos ? 0 : name + 1;
  std::size_t dot = plot_file.rfind('.');
  if (dot == std::string::npos || dot < name) dot = plot_file.size();
  return plot_file.substr(0, dot) + ".jwc";
}

struct ValuedOption {
  char short_name;
  const char* long_name;
};
constexpr ValuedOption kValued[] = {{'d', "device"}, {'p', "paper"}, {'s', "scale"}, {'j', "jwc"}};

// Which valued option `arg` names, with its value when given in the same
// argument ("--device=5", "-d5"). 0 when it names none.
char valued_option(const std::string& arg, std::optional<std::string>& value) {
  for (const ValuedOption& option : kValued) {
    const std::string long_form = std::string("--") + option.long_name;
    if (arg == long_form) return option.short_name;
    if (arg.rfind(long_form + "=", 0) == 0) {
      value = arg.substr(long_form.size() + 1);
      return option.short_name;
    }
    if (arg.size() >= 2 && arg[0] == '-' && arg[1] == option.short_name) {
      if (arg.size() > 2) value = arg.substr(2);
      return option.short_name;
    }
  }
  return 0;
}

// Whether an output is the data file, either of them perhaps a standard
// stream; standard input and output are two streams.
bool output_is_data(const std::string& data, const std::string& output) {
  const bool data_streamed = data == kStandardStream;
  const bool output_streamed = output == kStandardStream;
  if (data_streamed && output_streamed) return false;
  if (data_streamed) return same_file_as_stream(host::kStandardInput, to_cp932(output));
  if (output_streamed) return same_file_as_stream(host::kStandardOutput, to_cp932(data));
  return same_file(to_cp932(data), to_cp932(output));
}

}  // namespace

std::optional<Options> parse_options(const std::vector<std::string>& args, std::string& error) {
  Options options;
  std::vector<std::string> operands;
  std::optional<std::string> device, paper, scale, jwc;
  bool only_operands = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (only_operands || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      only_operands = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      options.help = true;
      return options;
    }
    if (arg == "--version") {
      options.version = true;
      return options;
    }
    std::optional<std::string> value;
    char name = valued_option(arg, value);
    if (name == 0) {
      error = "unknown option '" + arg + "'";
      return std::nullopt;
    }
    if (!value) {
      if (i + 1 == args.size()) {
        error = "option '" + arg + "' needs a value";
        return std::nullopt;
      }
      value = args[++i];
    }
    (name == 'd' ? device : name == 'p' ? paper : name == 's' ? scale : jwc) = value;
  }

  if (device && !(whole_number(*device, options.device) && options.device >= 1 && options.device <= 7)) {
    error = "device must be 1 to 7, not '" + *device + "'";
    return std::nullopt;
  }
  const int papers = options.device == 5 ? 8 : 4;
  if (paper && !(whole_number(*paper, options.paper) && options.paper >= 1 && options.paper <= papers)) {
    error = "paper for device " + std::to_string(options.device) + " must be 1 to " + std::to_string(papers) +
            ", not '" + *paper + "'";
    return std::nullopt;
  }
  if (scale && !(real_number(*scale, options.scale) && options.scale >= 0.01 && options.scale <= 10000)) {
    error = "scale must be a number from 0.01 to 10000, not '" + *scale + "'";
    return std::nullopt;
  }
  if ((scale || jwc) && options.device != 5) {
    error = std::string(scale ? "--scale" : "--jwc") + " is for device 5 (JW_CAD) only";
    return std::nullopt;
  }
  if (operands.size() != 2) {
    error = operands.size() < 2 ? "a data file and a plot file are needed" : "too many files: '" + operands[2] + "'";
    return std::nullopt;
  }
  options.data_file = operands[0];
  options.plot_file = operands[1];
  if (options.device == 5) {
    // The conversion reads the intermediate file again and replaces the
    // drawing by name; neither can be a stream.
    if (options.plot_file == kStandardStream || (jwc && *jwc == kStandardStream)) {
      error = "device 5 (JW_CAD) writes its intermediate and JW_CAD files by name, not to '-'";
      return std::nullopt;
    }
    options.jwc_file = jwc ? *jwc : default_jwc_name(options.plot_file);
  }
  return options;
}

std::optional<std::string> file_clash(const Options& options) {
  const std::string data = options.data_file == kStandardStream ? "on standard input" : "'" + options.data_file + "'";
  if (output_is_data(options.data_file, options.plot_file)) return "the plot file would replace the data file " + data;
  if (options.device != 5) return std::nullopt;
  if (output_is_data(options.data_file, options.jwc_file)) {
    return "the JW_CAD file would replace the data file " + data + "; name another with --jwc";
  }
  if (same_file(to_cp932(options.plot_file), to_cp932(options.jwc_file))) {
    return "the JW_CAD file would replace the intermediate file; name another with --jwc";
  }
  return std::nullopt;
}

HelpPage help_page() {
  HelpPage page;
  page.program = "VDN-PLOT";
  page.summary = "draw a VERDAN data file on a plot device";
  page.usage = {"[OPTION]... DATA-FILE PLOT-FILE"};
  page.description = {
      "Draws the members and node numbers of a VERDAN data file (\"FRAME\" or \"CROSS\", as VDN-GENE "
      "writes it) into PLOT-FILE in a plot device's commands. It has no screen.",
      "A DATA-FILE of - is read from standard input, and a PLOT-FILE of - is written to standard output, to "
      "pass the plot on in a pipe (devices other than 5, which writes its files by name). An output that is "
      "the data file, also through a redirection, is refused."};
  page.sections.push_back(
      {"Options",
       {{"-d, --device=N",
         "plot device (default 3):\n1 ESC/Page printer, 2 HP-GL with the origin in the centre,\n3 HP-GL with "
         "the origin lower left, 4 LIPS III printer,\n5 JW_CAD: PLOT-FILE gets the intermediate file, which is "
         "then converted into the JW_CAD file\n6 DXF drawing for CAD programs, in millimetres\n7 SVG picture "
         "for browsers, in millimetres"},
        {"-p, --paper=N",
         "paper (default 1); devices 1-4, 6, 7: 1 A4 portrait, 2 A4 landscape, 3 A3 portrait, 4 A3 "
         "landscape; device 5: 1-8"},
        {"-s, --scale=S", "drawing scale for device 5 (default 1)"},
        {"-j, --jwc=FILE", "the JW_CAD file for device 5 (default: PLOT-FILE with the extension .jwc)"},
        {"-h, --help", "show this help and exit"},
        {"--version", "show the version and exit"}}});
  page.sections.push_back(
      {"Files",
       {{"", "Names in the DOS form (C:\\DATA\\FRAME) are mapped as the other programs do: VERDAN_DRIVE_X is "
             "the host directory that drive X: stands for (default /). The plot file is written in the "
             "device's bytes; its texts are CP932. A plot file that is a regular file is written beside the "
             "old one and takes its place only when the whole plot is written, so a failure leaves the old "
             "file as it was; standard output, a FIFO or a device gets nothing unless the whole data file "
             "could be read."}}});
  page.sections.push_back(
      {"Example", {{"", "VDN-PLOT -d 1 FRAME - | lp -o raw\nVDN-PLOT -d 7 FRAME frame.svg"}}});
  page.sections.push_back(
      {"Exit status",
       {{"", "0 when the plot was written, 1 when a file could not be read or written, 2 for a wrong "
             "command line, 4 for an unexpected failure."}}});
  page.see_also = {"VDN-GENE", "VDN-CNTL"};
  return page;
}

std::string usage() { return help_text(help_page()); }

}  // namespace verdan::plot_tool
