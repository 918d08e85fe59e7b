// VDN-GENE: pick the console, run the generator, hand the console back.
#include <memory>

#include "generator/generator_program.h"
#include "platform/environment.h"
#include "platform/front_end.h"
#include "platform/unexpected_end.h"

int main() {
  verdan::apply_posix_defaults();
  std::unique_ptr<verdan::Console> console = verdan::make_console();
  int status = 0;
  try {
    verdan::GeneratorProgram program(*console);
    status = program.run();
  } catch (const verdan::ProgramEnd& end) {
    status = end.status;
  } catch (...) {
    console->hand_back();
    return verdan::report_unexpected("VDN-GENE");
  }
  console->hand_back();
  return status;
}
