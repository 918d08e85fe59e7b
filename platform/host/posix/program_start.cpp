#include "platform/host/program_start.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/host/dos_path.h"
#include "platform/failure.h"
#include "platform/host/host_error.h"

namespace verdan {
namespace {

bool is_executable_file(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// Without /proc the running program's directory is unknown; PATH still
// applies, so this place is simply not searched.
std::string running_program_directory() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  std::string path(buffer, static_cast<std::size_t>(n));
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash == 0 ? 1 : slash);
}

std::vector<std::string> search_directories() {
  std::vector<std::string> dirs;
  std::string own = running_program_directory();
  if (!own.empty()) dirs.push_back(own);
  // A bare name is found in the current directory before PATH.
  dirs.emplace_back(".");
  const char* path = std::getenv("PATH");
  std::string_view rest = path == nullptr ? "" : path;
  while (path != nullptr) {
    std::size_t colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    dirs.emplace_back(dir.empty() ? "." : dir);
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return dirs;
}

std::string join(const std::string& dir, const std::string& name) {
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

std::vector<std::string> program_search_directories(std::string_view program) {
  const std::string_view directory = split_program_name(program).directory;
  if (!directory.empty()) return {host_path(directory)};
  return search_directories();
}

std::string find_program(std::string_view program) {
  const std::string_view name = split_program_name(program).name;
  // A name that maps to no host name of its own names no program.
  if (name.empty() || undefined_char_at(name) != std::string_view::npos) return "";

  std::vector<std::string> names;
  if (ends_with_exe(name)) names.push_back(to_utf8(name.substr(0, name.size() - 4)));
  names.push_back(to_utf8(name));

  for (const std::string& dir : program_search_directories(program)) {
    for (const std::string& wanted : names) {
      for (const std::string& found : matching_names(dir, wanted)) {
        std::string path = join(dir, found);
        if (is_executable_file(path)) return path;
      }
    }
  }
  return "";
}

void start_and_end(std::string_view program, std::string_view argument,
                   const std::function<void()>& before_exec) {
  std::string path = program_to_start(program, argument);

  before_exec();
  // Whatever the front end wrote must leave before the process image does.
  std::cout.flush();
  std::fflush(nullptr);

  std::string utf8_argument = to_utf8(argument);
  std::vector<char*> argv{path.data()};
  if (!utf8_argument.empty()) argv.push_back(utf8_argument.data());
  argv.push_back(nullptr);
  ::execv(path.c_str(), argv.data());
  fail_from_errno(errno, "exec", path, HostSubject::program);
}

}  // namespace verdan
