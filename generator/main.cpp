// VDN-GENE: pick the console, run the generator, hand the console back;
// with --batch, build from a description file without a console.
#include <iostream>
#include <memory>

#include "generator/batch_run.h"
#include "generator/command_line.h"
#include "generator/generator_program.h"
#include "generator/help_text.h"
#include "platform/host/environment.h"
#include "platform/console/front_end.h"
#include "platform/program_info.h"
#include "platform/run_report.h"
#include "platform/unexpected_end.h"

int main(int argc, char** argv) {
  // Answered before the terminal is taken over.
  if (auto status = verdan::answer_info_request(argc, argv, "VDN-GENE", verdan::generator_help())) return *status;
  verdan::GeneratorOptions options;
  try {
    options = verdan::read_generator_options(argc, argv);
  } catch (const verdan::CommandLineError& error) {
    std::cerr << "VDN-GENE: " << error.what() << '\n';
    return 2;
  }
  verdan::apply_posix_defaults();
  if (options.batch) {
    int status = 0;
    try {
      status = verdan::run_batch_generator(options);
    } catch (...) {
      status = verdan::report_unexpected("VDN-GENE");
    }
    verdan::report_run("VDN-GENE");
    return status;
  }
  std::unique_ptr<verdan::Console> console = verdan::make_program_console();
  int status = 0;
  try {
    verdan::GeneratorProgram program(*console);
    if (options.record) program.record_to(*options.record);
    status = program.run();
  } catch (const verdan::ProgramEnd& end) {
    status = end.status;
  } catch (...) {
    console->hand_back();
    const int unexpected = verdan::report_unexpected("VDN-GENE");
    verdan::report_run("VDN-GENE");
    return unexpected;
  }
  console->hand_back();
  verdan::report_run("VDN-GENE");
  return status;
}
