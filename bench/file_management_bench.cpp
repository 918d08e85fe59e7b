// File management of the control program with an "INDEX" of 100,000 lines
// and as many data files, run in-process on a scripted console: the list
// shown, scrolled to its end and back, entries marked and deleted, and the
// list printed, each against entering the menu and leaving it.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/ratio_main.h"
#include "control/control_program.h"
#include "control/env_file.h"
#include "platform/frontends/headless/scripted_console.h"
#include "shared/print.h"
#include "tests/platform/host_fixtures.h"

namespace {

using verdan::ScriptedConsole;
using verdan::test::write_bytes;

constexpr int kEntries = 100'000;
constexpr int kMarked = 10;

const std::string kUp = ScriptedConsole::key(30), kDown = ScriptedConsole::key(31),
                  kPageDown = ScriptedConsole::key(127), kPageUp = ScriptedConsole::key(18),
                  kDelete = ScriptedConsole::key(27), kLeave = ScriptedConsole::key(11);

std::string file_name(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "F%06d", i);
  return name;
}

// A start directory with the settings, the index, its files and a small
// register; the program runs in it with no command interpreter.
class Office {
 public:
  Office()
      : cwd_(dir_.path()),
        appdata_("APPDATA", dir_ / "app"),
        os_("OS", std::string("Linux")),
        comspec_("ComSpec", std::nullopt) {
    std::filesystem::create_directories(dir_ / "app/verdan");
    std::filesystem::create_directory(dir_ / "DATA");
    verdan::StringSink ini;
    verdan::write_env_lines(ini, {"DATA\\", "C:", "PLT.OUT", "SI", "PRT.TXT", "1.2", "0", "2.1", "0.02"}, "2.64");
    write_bytes(dir_ / "app/verdan/VERDAN.INI", ini.text());
    write_bytes(dir_ / "VDN-USER.DAT", "1234,\"OWNER\"\r\n");
    for (int i = 1; i <= kEntries; ++i) {
      char line[80];
      std::snprintf(line, sizeof line, "\"%-10s 1234   2019/02/20   Comment %06d\"\r\n", file_name(i).c_str(), i);
      index_ += line;
      write_bytes(dir_ / ("DATA/" + file_name(i)), "x");
    }
    restore();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  // The index whole again, with the files a deletion took. A person takes
  // longer than a tenth of a second before the next step, and the program
  // counts on a directory changed that long ago to show any later change.
  void restore() {
    write_bytes(dir_ / "DATA/INDEX", index_);
    bool made = false;
    for (int i = 1; i <= kMarked; ++i) {
      const auto name = dir_ / ("DATA/" + file_name(i));
      if (std::filesystem::exists(name)) continue;
      write_bytes(name, "x");
      made = true;
    }
    std::filesystem::remove(dir_ / "PRT.TXT");
    if (made) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  void run(std::vector<std::string> script) {
    ScriptedConsole console(std::move(script));
    verdan::ControlProgram program(console, "");
    if (program.run() != 0) std::abort();
  }

 private:
  verdan::test::TempDir dir_;
  verdan::test::ScopedCwd cwd_;
  verdan::test::ScopedEnv appdata_, os_, comspec_;
  std::string index_;
};

Office& office() {
  static Office laid_out;
  return laid_out;
}

void timed(benchmark::State& state, const std::vector<std::string>& script) {
  Office& o = office();
  for (auto _ : state) {
    o.run(script);
    state.PauseTiming();
    o.restore();
    state.ResumeTiming();
  }
}

std::vector<std::string> with_menu(std::vector<std::string> keys) {
  std::vector<std::string> script{"2"};
  script.insert(script.end(), keys.begin(), keys.end());
  script.insert(script.end(), {"0", "0"});
  return script;
}

void entered_and_left(benchmark::State& state) { timed(state, with_menu({})); }
void list_shown(benchmark::State& state) { timed(state, with_menu({"1", kLeave})); }

void list_scrolled(benchmark::State& state) {
  std::vector<std::string> keys{"1"};
  for (int i = 0; i < 60; ++i) keys.push_back(kPageDown);
  for (int i = 0; i < 20; ++i) keys.push_back(kUp);
  for (int i = 0; i < 60; ++i) keys.push_back(kPageUp);
  keys.push_back(kLeave);
  timed(state, with_menu(keys));
}

void marked_and_deleted(benchmark::State& state) {
  std::vector<std::string> keys{"1"};
  for (int i = 0; i < kMarked; ++i) keys.insert(keys.end(), {"", kDown});
  keys.push_back(kDelete);
  timed(state, with_menu(keys));
}

void list_printed(benchmark::State& state) { timed(state, with_menu({"2"})); }

BENCHMARK(entered_and_left)->Name("files_100k/baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(list_shown)->Name("files_100k/shown")->Unit(benchmark::kMillisecond);
BENCHMARK(list_scrolled)->Name("files_100k/scrolled")->Unit(benchmark::kMillisecond);
BENCHMARK(marked_and_deleted)->Name("files_100k/marked_deleted")->Unit(benchmark::kMillisecond);
BENCHMARK(list_printed)->Name("files_100k/printed")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return verdan::bench::run_with_ratios(argc, argv); }
