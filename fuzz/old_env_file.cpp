// An environment file under its old name in the start directory: it is
// renamed, read, and written back on the settings screen in today's layout.
#include "fuzz/env_layout.h"
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  const std::string& home = Sandbox::reset();
  const std::string input(reinterpret_cast<const char*>(data), size);
  write_file(home + "/VERDAN.DAT", input);
  expect_status(run_control({"1", "", "", "", "", "", "", "", "", "Y", "0"}));
  for (const std::string& name : {home + "/VERDAN.INI", home + "/app/verdan/VERDAN.INI"}) {
    if (!std::filesystem::exists(name)) continue;
    const std::string written = read_file(name);
    if (written != input) check_env_layout(written);
  }
  return 0;
}
