// The generator reads an environment file at its start and goes on to its
// menu, whatever the file holds.
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  const std::string& home = Sandbox::reset();
  write_file(home + "/app/verdan/VERDAN.INI", std::string_view(reinterpret_cast<const char*>(data), size));
  expect_status(run_generator({"1", "1", "1", "6", "3.5", "5", "", "", "", "Y"}));
  return 0;
}
