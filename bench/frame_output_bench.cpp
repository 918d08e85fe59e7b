// A large regular frame (200 spans, 100 storeys, every brace placed) through
// numbering, the character drawing and the data file, against a raw write
// of the same data-file bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/ratio_main.h"
#include "generator/data_file.h"
#include "generator/frame_drawing.h"
#include "generator/numbering.h"
#include "platform/host/files.h"

namespace {

using namespace verdan;

FrameModel large_frame() {
  FrameModel f;
  f.size(200, 100);
  for (int i = 1; i <= 200; ++i) f.node_x(0, i) = 600;
  for (int s = 1; s <= 100; ++s) f.node_y(s + 1, 0) = 350;
  f.accumulate_coordinates();
  f.place_initial_members();
  for (int s = 1; s <= 100; ++s) {
    for (int k = 0; k < 200; ++k) {
      f.toggle(MemberKind::rising_brace, s, k);
      f.toggle(MemberKind::falling_brace, s, k);
    }
  }
  return f;
}

const NumberedFrame& numbered() {
  static FrameModel f = large_frame();
  static const NumberedFrame n = number_frame(f, {});
  return n;
}

std::string data_path() { return (std::filesystem::temp_directory_path() / "verdan-bench-FRAME").string(); }

const std::string& data_bytes() {
  static const std::string bytes = [] {
    StringSink s;
    write_data_file(s, numbered().data);
    return s.text();
  }();
  return bytes;
}

void data_file_raw(benchmark::State& state) {
  const std::string& bytes = data_bytes();
  for (auto _ : state) {
    int fd = ::open(data_path().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) state.SkipWithError("write");
    ::close(fd);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}

void data_file_written(benchmark::State& state) {
  const NumberedFrame& n = numbered();
  for (auto _ : state) {
    TextFile file = TextFile::open_replacing(data_path());
    write_data_file(file, n.data);
    file.commit();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(data_bytes().size()));
}

// The formatting alone, into memory.
void data_file_formatted(benchmark::State& state) {
  const NumberedFrame& n = numbered();
  for (auto _ : state) {
    StringSink sink;
    write_data_file(sink, n.data);
    benchmark::DoNotOptimize(sink.text().data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long>(data_bytes().size()));
}

// Numbering, listing and data file of a fresh frame: the whole output step.
void whole_generation(benchmark::State& state) {
  const FrameModel base = large_frame();
  long members = 0;
  for (auto _ : state) {
    state.PauseTiming();
    FrameModel f = base;
    state.ResumeTiming();
    NumberedFrame n = number_frame(f, {});
    StringSink listing;
    write_frame_drawing(listing, f);
    TextFile file = TextFile::open_replacing(data_path());
    write_data_file(file, n.data);
    file.commit();
    members = static_cast<long>(n.data.end_a.size());
  }
  state.counters["members"] = static_cast<double>(members);
  state.counters["per_member"] =
      benchmark::Counter(static_cast<double>(members), benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
}

BENCHMARK(data_file_raw)->Name("data_file/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(data_file_written)->Name("data_file/write_data_file")->Unit(benchmark::kMillisecond);
BENCHMARK(data_file_formatted)->Name("data_file/format_in_memory")->Unit(benchmark::kMillisecond);
BENCHMARK(whole_generation)->Name("generation/whole")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  int status = verdan::bench::run_with_ratios(argc, argv);
  std::filesystem::remove(data_path());
  return status;
}
