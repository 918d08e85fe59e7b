// The free number format against std::to_chars on the same million values.
#include <charconv>
#include <cmath>
#include <random>
#include <vector>

#include "bench/ratio_main.h"
#include "shared/free_format.h"

namespace {

constexpr int kValues = 1'000'000;

// Coordinates and lengths as a data file holds them: centimetres with one
// decimal, plus a share of arbitrary magnitudes.
template <typename Real>
const std::vector<Real>& sample_values() {
  static const std::vector<Real> values = [] {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> cm(0.0, 50000.0);
    std::uniform_real_distribution<double> log_magnitude(-3.0, 9.0);
    std::vector<Real> out;
    out.reserve(kValues);
    for (int i = 0; i < kValues; ++i) {
      double v = i % 4 == 3 ? std::pow(10.0, log_magnitude(rng)) : std::round(cm(rng) * 10.0) / 10.0;
      out.push_back(static_cast<Real>(i % 5 == 0 ? -v : v));
    }
    return out;
  }();
  return values;
}

template <typename Real>
void free_format_case(benchmark::State& state) {
  const auto& values = sample_values<Real>();
  char buf[verdan::kFreeFormatMax];
  for (auto _ : state) {
    std::size_t total = 0;
    for (Real v : values) total += static_cast<std::size_t>(verdan::write_free(buf, v));
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * kValues);
}

template <typename Real>
void to_chars_case(benchmark::State& state) {
  const auto& values = sample_values<Real>();
  char buf[64];
  for (auto _ : state) {
    std::size_t total = 0;
    for (Real v : values) total += static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf);
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * kValues);
}

BENCHMARK(to_chars_case<float>)->Name("single/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(free_format_case<float>)->Name("single/free_format")->Unit(benchmark::kMillisecond);
BENCHMARK(to_chars_case<double>)->Name("double/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(free_format_case<double>)->Name("double/free_format")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return verdan::bench::run_with_ratios(argc, argv); }
