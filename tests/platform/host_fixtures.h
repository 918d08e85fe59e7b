// Small fixtures for tests that touch the host: a temporary directory, an
// environment variable or current directory changed for one test, and a
// step run in a child process (unprivileged, or with a size limit on files).
#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "platform/failure.h"
#include "tests/platform/failure_code.h"

namespace verdan::test {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "verdan-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = std::filesystem::canonical(pattern).string();
  }
  ~TempDir() {
    std::error_code ignored;
    // Tests may leave read-only directories behind.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
      if (entry.is_directory(ignored)) ::chmod(entry.path().c_str(), 0755);
    }
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sets (or with nullopt unsets) a variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    apply(value);
  }
  ~ScopedEnv() { apply(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void apply(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_.c_str(), value->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  std::string name_;
  std::optional<std::string> old_;
};

class ScopedCwd {
 public:
  explicit ScopedCwd(const std::string& path) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~ScopedCwd() {
    std::error_code ignored;
    std::filesystem::current_path(old_, ignored);
  }
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

 private:
  std::filesystem::path old_;
};

inline void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}


// Runs `step` in a forked child and returns its exit status: the value it
// returns, the code of a Failure it throws, or whatever a program it
// started by exec returned.
inline int run_in_child(const std::function<int()>& step) {
  std::fflush(nullptr);
  pid_t pid = ::fork();
  if (pid == 0) {
    int status = 250;
    try {
      status = step();
    } catch (const Failure& failure) {
      status = failure.code();
    } catch (...) {
      status = 251;
    }
    ::_exit(status);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

// The id of a process that has ended: it stands for a run killed before
// the rename of its replacement.
inline pid_t ended_process() {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  ::waitpid(pid, nullptr, 0);
  return pid;
}

// This machine's name as the host gives it.
inline std::string host_name() {
  char name[256] = {};
  ::gethostname(name, sizeof name - 1);
  return name;
}

// Runs `step` like run_in_child, in a process that permission bits bind:
// as root, the tree under `dir` is given to nobody and the child becomes
// nobody. 200 when privileges cannot be dropped.
inline int run_unprivileged(const std::string& dir, const std::function<int()>& step) {
  return run_in_child([&] {
    if (::geteuid() != 0) return step();
    constexpr uid_t kNobody = 65534;
    std::error_code ignored;
    if (::lchown(dir.c_str(), kNobody, kNobody) != 0) return 200;
    for (auto& entry : std::filesystem::recursive_directory_iterator(dir, ignored)) {
      if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return 200;
    }
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) return 200;
    return step();
  });
}

// Inside a child: files may grow to `bytes` at most, and a write past that
// fails (EFBIG) instead of raising a signal; the way to fill a disk in a test.
inline void limit_file_size(std::uint64_t bytes) {
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{bytes, bytes};
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace verdan::test
