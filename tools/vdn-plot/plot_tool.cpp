#include "tools/vdn-plot/plot_tool.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/fallible_step.h"
#include "platform/program_info.h"
#include "platform/host/files.h"
#include "tools/vdn-plot/frame_data.h"
#include "tools/vdn-plot/frame_plot.h"
#include "tools/vdn-plot/options.h"
#include "verdan/verdan.h"

namespace verdan::plot_tool {
namespace {

void say(std::FILE* stream, const std::string& text) { std::fputs(text.c_str(), stream); }

std::string failure_words(const Failure& failure) {
  // A FIFO or a device where a data file belongs, a pipe nobody reads:
  // the host's own words say more than the code's.
  const std::string_view detail = failure.what();
  for (std::string_view words : {"not a regular file (a FIFO)", "not a regular file (a device)",
                                 "not a regular file (a socket)", "no reader on the pipe"}) {
    if (detail.substr(0, words.size()) == words) return std::string(words);
  }
  switch (failure.code()) {
    case kPathNotFound:
      return "path not found";
    case kFileNotFound:
      return "file not found";
    case kAccessDenied:
      return "access denied";
    case kDiskFull:
      return "disk full";
    case kDriveNotReady:
      return "drive not ready";
    case kWriteProtected:
      return "write-protected";
    case kBadFileName:
      return "bad file name";
    case kInputPastEnd:
      return "input past end";
    case kOverflow:
      return "value out of range";
    default:
      return failure.what();
  }
}

// A file operand as messages name it.
std::string shown(const std::string& operand, const char* stream) {
  return operand == kStandardStream ? stream : operand;
}

// Writes the plot file (the intermediate file for JW_CAD) for `frame`.
void write_plot(const Options& options, FrameData& frame) {
  check(options.plot_file == kStandardStream ? vdn_plot_open_stdout()
                                             : VDN_PLOT_OPEN(to_cp932(options.plot_file).c_str()));
  try {
    VDN_STATE()->plot_device = static_cast<float>(options.device);
    check(VDN_INIT(static_cast<float>(options.paper), static_cast<float>(options.scale)));
    check(vdn_plot_start());
    plot_frame(frame);
    check(VDN_PLT_END());
  } catch (...) {
    VDN_PLOT_CLOSE();
    throw;
  }
  check(VDN_PLOT_CLOSE());
}

}  // namespace

int run(const std::vector<std::string>& args) {
  std::string error;
  std::optional<Options> options = parse_options(args, error);
  if (options && options->help) {
    say(stdout, usage());
    return 0;
  }
  if (options && options->version) {
    say(stdout, version_text("VDN-PLOT"));
    return 0;
  }
  // Writing a plot over its own data file is a mistake of the command line.
  if (options) error = file_clash(*options).value_or("");
  if (!options || !error.empty()) {
    say(stderr, "VDN-PLOT: " + error + "\nTry 'VDN-PLOT --help' for more information.\n");
    return 2;
  }

  std::string subject = shown(options->data_file, "standard input");
  try {
    FrameData frame = options->data_file == kStandardStream ? read_frame_data_from_standard_input()
                                                            : read_frame_data(to_cp932(options->data_file));
    subject = shown(options->plot_file, "standard output");
    write_plot(*options, frame);
    if (options->device == 5) {
      subject = options->jwc_file;
      const int code = VDN_TMP2JWC(to_cp932(options->plot_file).c_str(), to_cp932(options->jwc_file).c_str(), "");
      if (code == VDN_DAMAGED_FILE) {
        // The conversion's message names the damaged intermediate file.
        say(stderr, "VDN-PLOT: " + std::string(vdn_failure_text()) + "\n");
        return 1;
      }
      check(code);
    }
  } catch (const DataFileError& e) {
    say(stderr, "VDN-PLOT: " + subject + ": line " + std::to_string(e.line()) + ": " + e.what() + "\n");
    return 1;
  } catch (const Failure& failure) {
    say(stderr, "VDN-PLOT: " + subject + ": " + failure_words(failure) + " (code " +
                    std::to_string(failure.code()) + ")\n");
    return 1;
  }
  return 0;
}

}  // namespace verdan::plot_tool
