// The headless front end's standard input as keys and entries for either
// program; the first byte picks the program.
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  if (size == 0) return 0;
  Sandbox::reset();
  const std::string_view keys(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) {
    expect_status(run_headless<verdan::GeneratorProgram>(keys));
  } else {
    expect_status(run_headless<verdan::ControlProgram>(keys, std::string()));
  }
  return 0;
}
