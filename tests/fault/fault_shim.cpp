// Preloaded into a built program to make its Nth file call fail or kill it
// just before or after that call. The calls counted are the ones that change
// files: open, write, copy_file_range, fsync, close, rename, unlink,
// truncate, mkdir (the standard streams and /dev, /proc and /sys are left
// alone).
//   VERDAN_FAULT_AT    call number (from 1); 0 or unset only counts
//   VERDAN_FAULT_KIND  enospc, eio, eacces (fail), short (a short write),
//                      kill_before, kill_after
//   VERDAN_FAULT_GOOD  1: the call and every later one fail (not for kills)
//   VERDAN_FAULT_ONLY  a call's name (fsync, ...): VERDAN_FAULT_AT counts
//                      only those calls, and the log gets "only N" as well
//   VERDAN_FAULT_LOG   file that gets "calls N" at exit and "fired" at the fault
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum class Kind { none, fail, short_write, kill_before, kill_after };

struct Plan {
  long at = 0;
  Kind kind = Kind::none;
  int error = 0;
  bool for_good = false;
  const char* log = nullptr;
  const char* only = nullptr;
  long calls = 0;
  long only_calls = 0;
  bool fired = false;
};

Plan& plan() {
  static Plan p = [] {
    Plan q;
    if (const char* at = std::getenv("VERDAN_FAULT_AT")) q.at = std::atol(at);
    q.log = std::getenv("VERDAN_FAULT_LOG");
    const char* good = std::getenv("VERDAN_FAULT_GOOD");
    q.for_good = good && good[0] == '1';
    const char* kind = std::getenv("VERDAN_FAULT_KIND");
    const char* k = kind ? kind : "";
    if (std::strcmp(k, "enospc") == 0) q = {q.at, Kind::fail, ENOSPC, q.for_good, q.log};
    if (std::strcmp(k, "eio") == 0) q = {q.at, Kind::fail, EIO, q.for_good, q.log};
    if (std::strcmp(k, "eacces") == 0) q = {q.at, Kind::fail, EACCES, q.for_good, q.log};
    if (std::strcmp(k, "short") == 0) q = {q.at, Kind::short_write, 0, false, q.log};
    if (std::strcmp(k, "kill_before") == 0) q = {q.at, Kind::kill_before, 0, false, q.log};
    if (std::strcmp(k, "kill_after") == 0) q = {q.at, Kind::kill_after, 0, false, q.log};
    q.only = std::getenv("VERDAN_FAULT_ONLY");
    return q;
  }();
  return p;
}

template <typename F>
F real(F, const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// Written with the real calls, never counted.
void note(const char* text) {
  const char* log = plan().log;
  if (!log) return;
  static auto open_real = real(&::open, "open");
  static auto write_real = real(&::write, "write");
  static auto close_real = real(&::close, "close");
  int fd = open_real(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return;
  ssize_t ignored = write_real(fd, text, std::strlen(text));
  static_cast<void>(ignored);
  close_real(fd);
}

void note_calls() {
  char text[64];
  std::snprintf(text, sizeof text, "calls %ld\n", plan().calls);
  note(text);
  if (plan().only) {
    std::snprintf(text, sizeof text, "only %ld\n", plan().only_calls);
    note(text);
  }
}

// Only the program under test is counted, not the programs it starts.
struct Lifetime {
  Lifetime() { ::unsetenv("LD_PRELOAD"); }
  ~Lifetime() { note_calls(); }
} lifetime;

bool counted_fd(int fd) { return fd > 2; }

bool counted_path(const char* path) {
  if (!path) return false;
  const char* log = plan().log;
  if (log && std::strcmp(path, log) == 0) return false;
  return std::strncmp(path, "/dev/", 5) != 0 && std::strncmp(path, "/proc/", 6) != 0 &&
         std::strncmp(path, "/sys/", 5) != 0;
}

// What happens to this counted call.
enum class Verdict { run, fail, short_write, kill_after };

Verdict next_call(const char* name) {
  Plan& p = plan();
  ++p.calls;
  if (p.only && std::strcmp(name, p.only) != 0) return Verdict::run;
  const long n = p.only ? ++p.only_calls : p.calls;
  if (p.kind == Kind::none || p.at <= 0) return Verdict::run;
  if (n < p.at || (n > p.at && !(p.for_good && p.kind == Kind::fail))) return Verdict::run;
  if (!p.fired) {
    p.fired = true;
    char text[64];
    std::snprintf(text, sizeof text, "fired at %s\n", name);
    note(text);
  }
  switch (p.kind) {
    case Kind::kill_before:
      ::raise(SIGKILL);
      return Verdict::run;
    case Kind::kill_after:
      return Verdict::kill_after;
    case Kind::short_write:
      return Verdict::short_write;
    default:
      return Verdict::fail;
  }
}

template <typename R>
R finish(Verdict verdict, R result) {
  if (verdict == Verdict::kill_after) ::raise(SIGKILL);
  return result;
}

int failed() {
  errno = plan().error;
  return -1;
}

mode_t mode_of(int flags, va_list& args) {
  return (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
  static auto next = real(&::open, "open");
  va_list args;
  va_start(args, flags);
  mode_t mode = mode_of(flags, args);
  va_end(args);
  if (!counted_path(path)) return next(path, flags, mode);
  Verdict v = next_call("open");
  if (v == Verdict::fail) return failed();
  return finish(v, next(path, flags, mode));
}

int open64(const char* path, int flags, ...) {
  static auto next = real(&::open64, "open64");
  va_list args;
  va_start(args, flags);
  mode_t mode = mode_of(flags, args);
  va_end(args);
  if (!counted_path(path)) return next(path, flags, mode);
  Verdict v = next_call("open64");
  if (v == Verdict::fail) return failed();
  return finish(v, next(path, flags, mode));
}

int openat(int dir, const char* path, int flags, ...) {
  static auto next = real(&::openat, "openat");
  va_list args;
  va_start(args, flags);
  mode_t mode = mode_of(flags, args);
  va_end(args);
  if (!counted_path(path)) return next(dir, path, flags, mode);
  Verdict v = next_call("openat");
  if (v == Verdict::fail) return failed();
  return finish(v, next(dir, path, flags, mode));
}

ssize_t write(int fd, const void* data, size_t size) {
  static auto next = real(&::write, "write");
  if (!counted_fd(fd)) return next(fd, data, size);
  Verdict v = next_call("write");
  if (v == Verdict::fail) return failed();
  if (v == Verdict::short_write && size > 1) size /= 2;
  return finish(v, next(fd, data, size));
}

ssize_t copy_file_range(int from, loff_t* from_offset, int to, loff_t* to_offset, size_t size, unsigned flags) {
  static auto next = real(&::copy_file_range, "copy_file_range");
  if (!counted_fd(to)) return next(from, from_offset, to, to_offset, size, flags);
  Verdict v = next_call("copy_file_range");
  if (v == Verdict::fail) return failed();
  if (v == Verdict::short_write && size > 1) size /= 2;
  return finish(v, next(from, from_offset, to, to_offset, size, flags));
}

int fsync(int fd) {
  static auto next = real(&::fsync, "fsync");
  Verdict v = next_call("fsync");
  if (v == Verdict::fail) return failed();
  return finish(v, next(fd));
}

int fdatasync(int fd) {
  static auto next = real(&::fdatasync, "fdatasync");
  Verdict v = next_call("fdatasync");
  if (v == Verdict::fail) return failed();
  return finish(v, next(fd));
}

int close(int fd) {
  static auto next = real(&::close, "close");
  if (!counted_fd(fd)) return next(fd);
  Verdict v = next_call("close");
  if (v == Verdict::fail) {
    next(fd);  // the descriptor is gone either way, as on Linux
    return failed();
  }
  return finish(v, next(fd));
}

int rename(const char* from, const char* to) {
  static auto next = real(&::rename, "rename");
  Verdict v = next_call("rename");
  if (v == Verdict::fail) return failed();
  return finish(v, next(from, to));
}

int unlink(const char* path) {
  static auto next = real(&::unlink, "unlink");
  if (!counted_path(path)) return next(path);
  Verdict v = next_call("unlink");
  if (v == Verdict::fail) return failed();
  return finish(v, next(path));
}

int ftruncate(int fd, off_t length) {
  static auto next = real(&::ftruncate, "ftruncate");
  Verdict v = next_call("ftruncate");
  if (v == Verdict::fail) return failed();
  return finish(v, next(fd, length));
}

int truncate(const char* path, off_t length) {
  static auto next = real(&::truncate, "truncate");
  Verdict v = next_call("truncate");
  if (v == Verdict::fail) return failed();
  return finish(v, next(path, length));
}

int mkdir(const char* path, mode_t mode) {
  static auto next = real(&::mkdir, "mkdir");
  Verdict v = next_call("mkdir");
  if (v == Verdict::fail) return failed();
  return finish(v, next(path, mode));
}

// A program that hands over ends here: its count is written first.
int execv(const char* path, char* const argv[]) {
  static auto next = real(&::execv, "execv");
  note_calls();
  return next(path, argv);
}

}  // extern "C"
