// What every fuzz target shares: a private start directory emptied before
// each input, with its own APPDATA and no program to start, and the two
// programs run in-process on a scripted console or the headless one.
#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "control/control_program.h"
#include "generator/generator_program.h"
#include "platform/frontends/headless/headless_console.h"
#include "platform/frontends/headless/scripted_console.h"

namespace verdan::fuzz {

class Sandbox {
 public:
  // The start directory, emptied, with app/verdan/ made; the current
  // directory is moved there.
  static const std::string& reset() {
    static Sandbox box;
    std::error_code ignored;
    for (auto& entry : std::filesystem::directory_iterator(box.home_, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
      std::filesystem::remove_all(entry.path(), ignored);
    }
    std::filesystem::create_directories(box.home_ + "/app/verdan");
    std::filesystem::current_path(box.home_);
    return box.home_;
  }

 private:
  Sandbox() {
    std::string pattern = (std::filesystem::temp_directory_path() / "verdan-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    home_ = root_ + "/home";
    std::filesystem::create_directories(root_ + "/nobin");
    ::setenv("APPDATA", (home_ + "/app").c_str(), 1);
    ::setenv("OS", "Linux", 1);
    // Nothing to hand over to: a start is a failure on the error screen.
    ::setenv("PATH", (root_ + "/nobin").c_str(), 1);
    ::unsetenv("ComSpec");
    ::unsetenv("COMSPEC");
  }
  ~Sandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  std::string root_;
  std::string home_;
};

inline void write_file(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The statuses a dialogue may end with; anything else is a fault.
inline void expect_status(int status) {
  if (status != 0 && status != 1 && status != 3) std::fprintf(stderr, "status %d\n", status);
  if (status != 0 && status != 1 && status != 3) std::abort();
}

template <typename Program, typename... Args>
int run_program(Console& console, Args&&... args) {
  try {
    Program program(console, std::forward<Args>(args)...);
    return program.run();
  } catch (const ProgramEnd& end) {
    return end.status;
  }
}

inline int run_control(std::vector<std::string> script) {
  ScriptedConsole console(std::move(script));
  return run_program<ControlProgram>(console, std::string());
}

inline int run_generator(std::vector<std::string> script) {
  ScriptedConsole console(std::move(script));
  return run_program<GeneratorProgram>(console);
}

// `keys` as the headless front end's standard input.
template <typename Program, typename... Args>
int run_headless(std::string_view keys, Args&&... args) {
  int in = ::memfd_create("keys", MFD_CLOEXEC);
  int out = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (in < 0 || out < 0 || ::write(in, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) std::abort();
  ::lseek(in, 0, SEEK_SET);
  int status;
  {
    HeadlessConsole console(in, out, out);
    status = run_program<Program>(console, std::forward<Args>(args)...);
    console.hand_back();
  }
  ::close(in);
  ::close(out);
  return status;
}

}  // namespace verdan::fuzz
