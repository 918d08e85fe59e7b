// A benchmark main that runs every benchmark several times and prints, for
// each one named "<case>/<variant>", the ratio of its median time to the
// median of "<case>/baseline" measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace verdan::bench {

class MedianCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name == "median") medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void print_ratios() const {
    std::printf("\nMedian time against the baseline of the same case:\n");
    for (const auto& [name, time] : medians_) {
      std::size_t slash = name.rfind('/');
      if (slash == std::string::npos || name.substr(slash + 1) == "baseline") continue;
      auto base = medians_.find(name.substr(0, slash) + "/baseline");
      if (base == medians_.end() || base->second <= 0) continue;
      std::printf("  %-40s %.2fx\n", name.c_str(), time / base->second);
    }
  }

 private:
  std::map<std::string, double> medians_;
};

inline int run_with_ratios(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=5";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  args.push_back(repetitions.data());
  args.push_back(aggregates.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  MedianCollector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.print_ratios();
  benchmark::Shutdown();
  return 0;
}

}  // namespace verdan::bench
