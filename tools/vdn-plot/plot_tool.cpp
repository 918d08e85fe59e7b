#include "tools/vdn-plot/plot_tool.h"

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/fallible_step.h"
#include "platform/program_info.h"
#include "platform/host/files.h"
#include "platform/host/spool_file.h"
#include "tools/vdn-plot/frame_data.h"
#include "tools/vdn-plot/frame_plot.h"
#include "tools/vdn-plot/frame_reader.h"
#include "tools/vdn-plot/member_pipeline.h"
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

// Writes the plot file (the intermediate file for JW_CAD) for the frame of
// `nodes`, whose coordinates the plot takes, and whose members
// `plot_members` plots. A replacement is put in the old file's place only
// when the whole plot is written.
void write_plot(const Options& options, bool replacing, FrameNodes& nodes,
                const std::function<void(FramePlot&)>& plot_members) {
  const std::string path = to_cp932(options.plot_file);
  check(options.plot_file == kStandardStream ? vdn_plot_open_stdout()
        : replacing                          ? vdn_plot_open_replacing(path.c_str())
                                             : VDN_PLOT_OPEN(path.c_str()));
  try {
    // JW_CAD's intermediate file is converted as soon as it is written.
    if (options.device == 5) check(vdn_plot_keep_in_cache());
    VDN_STATE()->plot_device = static_cast<float>(options.device);
    check(VDN_INIT(static_cast<float>(options.paper), static_cast<float>(options.scale)));
    check(vdn_plot_start());
    FramePlot plot(nodes);
    plot_members(plot);
    plot.labels();
    check(VDN_PLT_END());
  } catch (...) {
    vdn_plot_discard();
    throw;
  }
  check(VDN_PLOT_CLOSE());
}

// A plot file that a failure may leave as it was: a regular file or none.
// Standard output, a device or a FIFO takes nothing before the whole data
// file has been read. A name that cannot be looked at is left to the
// opening to report.
bool plot_file_replaceable(const Options& options) {
  if (options.plot_file == kStandardStream) return false;
  try {
    return regular_or_absent(to_cp932(options.plot_file));
  } catch (const Failure&) {
    return false;
  }
}

// Plots the members while a second thread reads them. `subject` names the
// file a failure is reported for; the data file's failure comes first, as
// when it was read whole before the plot file was opened.
void write_plot_reading_on(const Options& options, FrameNodes& nodes, FrameReader& reader,
                           std::string& subject, const std::string& data_subject) {
  MemberPipeline members([&reader](MemberSink& sink) { reader.read_members(sink); });
  try {
    write_plot(options, true, nodes, [&members](FramePlot& plot) {
      std::vector<Member> batch;
      while (members.next(batch)) plot.members(batch.data(), batch.size());
    });
  } catch (const ReaderFailure& failure) {
    subject = data_subject;
    std::rethrow_exception(failure.cause);
  } catch (const Failure&) {
    if (std::exception_ptr cause = members.finish()) {
      subject = data_subject;
      std::rethrow_exception(cause);
    }
    throw;
  }
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

  const std::string data_subject = shown(options->data_file, "standard input");
  std::string subject = data_subject;
  try {
    FrameReader reader = options->data_file == kStandardStream ? FrameReader::standard_input()
                                                               : FrameReader(to_cp932(options->data_file));
    FrameData frame;
    reader.read_nodes(frame);
    if (plot_file_replaceable(*options)) {
      subject = shown(options->plot_file, "standard output");
      write_plot_reading_on(*options, frame, reader, subject, data_subject);
    } else {
      read_members_into(reader, frame.members);
      subject = shown(options->plot_file, "standard output");
      write_plot(*options, false, frame, [&frame](FramePlot& plot) {
        frame.members.for_each_run([&plot](const Member* first, std::size_t count) { plot.members(first, count); });
      });
    }
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
    // A spool file's failure is the temporary's (a missing or full
    // directory for temporaries), not that of the file being read.
    if (std::string_view(failure.what()).find(SpoolFile::kShownName) != std::string_view::npos) {
      subject = SpoolFile::kShownName;
    }
    say(stderr, "VDN-PLOT: " + subject + ": " + failure_words(failure) + " (code " +
                    std::to_string(failure.code()) + ")\n");
    return 1;
  }
  return 0;
}

}  // namespace verdan::plot_tool
