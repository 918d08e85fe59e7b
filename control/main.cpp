// VDN-CNTL: pick the console, run the control program, hand the console back.
#include <string>

#include "control/control_program.h"
#include "control/help_text.h"
#include "platform/codec/cp932.h"
#include "platform/host/environment.h"
#include "platform/console/front_end.h"
#include "platform/program_info.h"
#include "platform/run_report.h"
#include "platform/unexpected_end.h"

int main(int argc, char** argv) {
  // Answered before the terminal is taken over; any other argument is the
  // command line of the program to start after the settings.
  if (auto status = verdan::answer_info_request(argc, argv, "VDN-CNTL", verdan::control_help())) return *status;
  verdan::apply_posix_defaults();
  std::string argument;
  for (int i = 1; i < argc; ++i) argument += (i > 1 ? " " : "") + std::string(argv[i]);
  std::unique_ptr<verdan::Console> console = verdan::make_program_console();
  int status = 0;
  try {
    verdan::ControlProgram program(*console, verdan::to_cp932(argument));
    status = program.run();
  } catch (const verdan::ProgramEnd& end) {
    status = end.status;
  } catch (...) {
    console->hand_back();
    const int unexpected = verdan::report_unexpected("VDN-CNTL");
    verdan::report_run("VDN-CNTL");
    return unexpected;
  }
  console->hand_back();
  verdan::report_run("VDN-CNTL");
  return status;
}
