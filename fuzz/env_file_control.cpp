// The control program reads an environment file, the user keeps every
// setting on the settings screen, and the file written back has the layout.
#include "fuzz/env_layout.h"
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  const std::string& home = Sandbox::reset();
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string ini = home + "/app/verdan/VERDAN.INI";
  write_file(ini, input);
  expect_status(run_control({"1", "", "", "", "", "", "", "", "", "Y", "0"}));
  const std::string written = read_file(ini);
  if (written != input) check_env_layout(written);
  return 0;
}
