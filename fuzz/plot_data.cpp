// A data file handed to VDN-PLOT, drawn on each kind of device; the first
// byte picks the device.
#include "fuzz/fuzz_run.h"
#include "tools/vdn-plot/plot_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  if (size == 0) return 0;
  const std::string& home = Sandbox::reset();
  write_file(home + "/FRAME", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  const std::string device = std::to_string(1 + data[0] % 7);
  int status = verdan::plot_tool::run({"--device=" + device, "FRAME", "out.plt"});
  if (status != 0 && status != 1) std::abort();
  return 0;
}
