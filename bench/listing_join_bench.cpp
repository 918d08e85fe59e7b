// File management's join of a directory listing into an index of 100,000
// entries, against reading the same listing alone.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/ratio_main.h"
#include "control/index_entry.h"
#include "control/listing_join.h"
#include "platform/host/directory_listing.h"

namespace {

constexpr int kFiles = 100'000;

std::string file_name(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "D%06d.X", i);
  return name;
}

// A data directory of kFiles small files, removed at the end of the run.
struct DataDirectory {
  DataDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "verdan-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern + "/";
    for (int i = 0; i < kFiles; ++i) {
      int fd = ::open((path + file_name(i)).c_str(), O_WRONLY | O_CREAT, 0644);
      if (fd < 0 || ::write(fd, "x", 1) != 1) std::abort();
      ::close(fd);
    }
  }
  ~DataDirectory() { std::filesystem::remove_all(path); }
  std::string path;
};

const std::string& data_dir() {
  static const DataDirectory dir;
  return dir.path;
}

// The index names the files in the opposite order to the listing's.
std::vector<verdan::IndexEntry>& index() {
  static std::vector<verdan::IndexEntry> entries = [] {
    std::vector<verdan::IndexEntry> out;
    for (int i = kFiles - 1; i >= 0; --i) out.push_back(verdan::parse_index_line(file_name(i)));
    return out;
  }();
  return entries;
}

const std::vector<std::string>& listing_lines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> out;
    for (int i = 0; i < kFiles; ++i) {
      char line[64];
      std::snprintf(line, sizeof line, "D%06d  X         1234 02-20-19  10:00", i);
      out.push_back(line);
    }
    return out;
  }();
  return lines;
}

void files_listed(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(verdan::list_files(data_dir()));
}

void files_listed_and_joined(benchmark::State& state) {
  auto& entries = index();
  for (auto _ : state) {
    auto files = verdan::list_files(data_dir());
    verdan::join_listed_files(entries, *files);
    benchmark::DoNotOptimize(entries.data());
  }
}

std::vector<verdan::ListingFact> read_lines() {
  std::vector<verdan::ListingFact> facts;
  for (const std::string& line : listing_lines()) {
    if (auto fact = verdan::listing_fact(line, 27)) facts.push_back(*fact);
  }
  return facts;
}

void lines_read(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(read_lines());
}

void lines_read_and_joined(benchmark::State& state) {
  auto& entries = index();
  for (auto _ : state) {
    verdan::join_listing_lines(entries, read_lines());
    benchmark::DoNotOptimize(entries.data());
  }
}

BENCHMARK(files_listed)->Name("files_100k/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(files_listed_and_joined)->Name("files_100k/joined")->Unit(benchmark::kMillisecond);
BENCHMARK(lines_read)->Name("lines_100k/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(lines_read_and_joined)->Name("lines_100k/joined")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return verdan::bench::run_with_ratios(argc, argv); }
