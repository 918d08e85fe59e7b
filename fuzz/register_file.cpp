// "VDN-USER.DAT" shown on the register screen and one entry added: what
// was in the file before its end-of-file mark stays, in front.
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  const std::string& home = Sandbox::reset();
  const std::string input(reinterpret_cast<const char*>(data), size);
  write_file(home + "/VDN-USER.DAT", input);
  expect_status(run_control({"2", "3", "4321", "NEW", "Y", "-1", "0", "0"}));
  const std::string kept = input.substr(0, input.find('\x1a'));
  if (read_file(home + "/VDN-USER.DAT").compare(0, kept.size(), kept) != 0) std::abort();
  return 0;
}
