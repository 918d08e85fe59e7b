// Lines drawn through the C interface (VDN_PLOT on its own state) against
// the same lines drawn by the C++ primitive on a PlotState, both in HP-GL
// into /dev/null: what the C boundary costs a call.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "bench/ratio_main.h"
#include "capi/include/verdan/verdan.h"
#include "platform/host/files.h"
#include "plt_draw/plot_device.h"
#include "plt_draw/primitives.h"

namespace {

constexpr int kLines = 100000;

// A zigzag of lines with a half-millimetre step, as a frame's members.
float x_of(int i) { return static_cast<float>(i % 400) * 0.5f; }
float y_of(int i) { return static_cast<float>(i % 500) * 0.25f; }

void PlotCalls_baseline(benchmark::State& bench) {
  verdan::TextFile file = verdan::TextFile::open_output("/dev/null", verdan::SpecialFile::write_in_place);
  verdan::PlotState s;
  s.plot_device = 3;
  verdan::INIT(s, 1, 1);
  s.plot_file = &file;
  for (auto _ : bench) {
    for (int i = 0; i < kLines; ++i) verdan::PLOT(s, x_of(i), y_of(i), 2);
  }
  bench.SetItemsProcessed(bench.iterations() * kLines);
  file.close();
}

void PlotCalls_c_interface(benchmark::State& bench) {
  if (VDN_PLOT_OPEN("/dev/null") != VDN_OK) std::abort();
  VDN_STATE()->plot_device = 3;
  if (VDN_INIT(1, 1) != VDN_OK) std::abort();
  for (auto _ : bench) {
    for (int i = 0; i < kLines; ++i) {
      if (VDN_PLOT(x_of(i), y_of(i), 2) != VDN_OK) std::abort();
    }
  }
  bench.SetItemsProcessed(bench.iterations() * kLines);
  VDN_PLOT_CLOSE();
}

}  // namespace

BENCHMARK(PlotCalls_baseline)->Name("PlotCalls/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(PlotCalls_c_interface)->Name("PlotCalls/c_interface")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return verdan::bench::run_with_ratios(argc, argv); }
