// The JW_CAD conversion of an intermediate file of a million line records,
// against a cat-style baseline that reads the same file five times (as the
// conversion's five passes do) and writes it once.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/ratio_main.h"
#include "platform/host/files.h"
#include "platform/frontends/headless/scripted_console.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"
#include "plt_draw/tmp2jwc.h"

namespace {

using namespace verdan;

constexpr int kLines = 1000000;

std::string bench_path(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// Written once per run: one layer group and a million lines in four layers.
const std::string& intermediate_file() {
  static const std::string path = [] {
    std::string p = bench_path("verdan-bench-JWC.TMP");
    TextFile file = TextFile::open_output(p);
    PlotState s;
    s.plot_device = 5;
    s.plot_file = &file;
    INIT(s, 2, 1);
    plot_write(s, s.plot_reset);
    plot_write(s, s.plot_setup);
    for (int i = 0; i < kLines; ++i) {
      s.plot_layer = static_cast<float>(i % 4);
      s.pen.pen_x = static_cast<float>(i % 1000) * 0.25f;
      s.pen.pen_y = static_cast<float>(i / 1000) * 0.25f;
      PLOT(s, s.pen.pen_x + 10, s.pen.pen_y + 5, static_cast<float>(1 + i % 3));
    }
    PLT_END(s);
    file.close();
    return p;
  }();
  return path;
}

void tmp2jwc_baseline(benchmark::State& state) {
  const std::string& in = intermediate_file();
  const std::string out = bench_path("verdan-bench-CAT.JWC");
  std::vector<char> buffer(256 * 1024);
  for (auto _ : state) {
    int to = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (int pass = 0; pass < 5; ++pass) {
      int from = ::open(in.c_str(), O_RDONLY);
      for (ssize_t n; (n = ::read(from, buffer.data(), buffer.size())) > 0;) {
        if (pass == 4 && ::write(to, buffer.data(), static_cast<std::size_t>(n)) != n) state.SkipWithError("write");
      }
      ::close(from);
    }
    ::close(to);
  }
}

void convert(benchmark::State& state, const char* spinner) {
  const std::string& in = intermediate_file();
  const std::string out = bench_path("verdan-bench-OUT.JWC");
  ScriptedConsole console({});
  for (auto _ : state) TMP2JWC(console, in, out, spinner);
}

void tmp2jwc_convert(benchmark::State& state) { convert(state, ""); }
void tmp2jwc_with_indicator(benchmark::State& state) { convert(state, "-\\|/"); }

BENCHMARK(tmp2jwc_baseline)->Name("tmp2jwc/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(tmp2jwc_convert)->Name("tmp2jwc/convert")->Unit(benchmark::kMillisecond);
BENCHMARK(tmp2jwc_with_indicator)->Name("tmp2jwc/with_indicator")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  int status = verdan::bench::run_with_ratios(argc, argv);
  for (const char* name : {"verdan-bench-JWC.TMP", "verdan-bench-CAT.JWC", "verdan-bench-OUT.JWC"}) {
    std::filesystem::remove(bench_path(name));
  }
  return status;
}
