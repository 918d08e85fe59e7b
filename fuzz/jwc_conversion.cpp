// The intermediate file converted into a JW_CAD drawing: a conversion that
// fails leaves the old drawing as it was.
#include "fuzz/fuzz_run.h"
#include "plt_draw/tmp2jwc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  const std::string& home = Sandbox::reset();
  write_file(home + "/PLOT.TMP", std::string_view(reinterpret_cast<const char*>(data), size));
  write_file(home + "/OLD.JWC", "old drawing");
  verdan::ScriptedConsole console({});
  try {
    verdan::TMP2JWC(console, "PLOT.TMP", "OLD.JWC", "");
    return 0;
  } catch (const verdan::Failure&) {
  } catch (const verdan::ProgramEnd&) {
  }
  if (read_file(home + "/OLD.JWC") != "old drawing") std::abort();
  for (auto& entry : std::filesystem::directory_iterator(home)) {
    if (entry.path().filename().string().rfind(".~", 0) == 0) std::abort();  // a temporary left
  }
  return 0;
}
