#include "platform/host/dos_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/host_error.h"
#include "platform/host/host_file_name.h"
#include "platform/host/posix/folded_names.h"

namespace verdan {
namespace {

constexpr std::size_t kMaxDosPath = 255;

bool is_ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool is_separator(char c) { return c == '\\' || c == '/'; }

std::string without_trailing_slashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Root of drive `letter` as configured, `/` when unset.
std::string drive_root(char letter) {
  const std::string name = std::string("VERDAN_DRIVE_") + ascii_upper(letter);
  const char* value = std::getenv(name.c_str());
  if (value == nullptr || *value == '\0') return "/";
  return without_trailing_slashes(value);
}

// Same root with links resolved, so it compares with getcwd's answer.
std::string canonical_root(char letter) {
  std::string root = drive_root(letter);
  auto release = [](char* p) { std::free(p); };
  std::unique_ptr<char, decltype(release)> real(::realpath(root.c_str(), nullptr), release);
  return real ? std::string(real.get()) : root;
}

std::string host_current_directory() {
  auto release = [](char* p) { std::free(p); };
  std::unique_ptr<char, decltype(release)> cwd(::getcwd(nullptr, 0), release);
  if (!cwd) fail_from_errno(errno, "getcwd", ".", HostSubject::directory);
  return cwd.get();
}

bool root_holds(const std::string& root, const std::string& path) {
  if (root == "/") return true;
  return path.compare(0, root.size(), root) == 0 &&
         (path.size() == root.size() || path[root.size()] == '/');
}

struct DriveMatch {
  char letter;
  std::string root;
};

// C first, so that a host without drive settings is drive C:.
DriveMatch drive_holding(const std::string& cwd) {
  static constexpr char kOrder[] = "CDEFGHIJKLMNOPQRSTUVWXYZAB";
  DriveMatch best{'\0', "/"};
  for (const char* p = kOrder; *p != '\0'; ++p) {
    std::string root = canonical_root(*p);
    if (root_holds(root, cwd) && (best.letter == '\0' || root.size() > best.root.size())) {
      best = {*p, root};
    }
  }
  return best;
}

std::string join(const std::string& base, const std::string& name) {
  if (base.empty()) return name;
  if (base.back() == '/') return base + name;
  return base + "/" + name;
}

}  // namespace

std::vector<std::string> matching_names(const std::string& host_directory, std::string_view name) {
  std::vector<std::string> names = names_folding_to(host_directory, name);
  auto exact = std::find(names.begin(), names.end(), name);
  if (exact != names.end()) std::rotate(names.begin(), exact, exact + 1);
  return names;
}

std::string match_name(const std::string& host_directory, std::string_view name) {
  std::vector<std::string> names = matching_names(host_directory, name);
  return names.empty() ? std::string() : names.front();
}

std::string host_path(std::string_view dos) {
  // The host would end the name at the NUL and reach another file.
  if (dos.find('\0') != std::string_view::npos) fail(kBadFileName, "a name holding a NUL byte");
  std::string base;
  std::size_t pos = 0;
  if (dos.size() >= 2 && is_ascii_letter(dos[0]) && dos[1] == ':') {
    pos = 2;
    if (pos < dos.size() && is_separator(dos[pos])) {
      base = drive_root(dos[0]);
      ++pos;
    }
  } else if (!dos.empty() && dos[0] == '/') {
    base = "/";
    pos = 1;
  } else if (!dos.empty() && dos[0] == '\\') {
    base = drive_holding(host_current_directory()).root;
    pos = 1;
  }

  std::vector<std::string> names;
  while (pos < dos.size()) {
    std::size_t end = pos;
    while (end < dos.size() && !is_separator(dos[end])) end += char_length(dos, end);
    std::string_view name = dos.substr(pos, end - pos);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (!name.empty()) names.push_back(host_file_name(name));
    pos = end + 1;
  }
  if (base.empty() && names.empty()) {
    if (dos.find_first_not_of(' ') == std::string_view::npos) fail(kBadFileName, "empty path");
    return ".";
  }

  // Once a name exists in no case, nothing below it can exist either.
  std::string path = base;
  bool below_missing = false;
  for (const std::string& name : names) {
    std::string exact = join(path, name);
    struct stat info {};
    if (below_missing || name == "." || name == ".." || ::lstat(exact.c_str(), &info) == 0) {
      path = exact;
      continue;
    }
    std::string found = match_name(path, name);
    below_missing = found.empty();
    path = join(path, below_missing ? name : found);
  }
  return path;
}

std::string dos_current_directory() {
  const std::string cwd = host_current_directory();
  const DriveMatch drive = drive_holding(cwd);
  if (drive.letter == '\0') return "";
  std::string dos{drive.letter, ':', '\\'};
  std::size_t pos = drive.root == "/" ? 1 : drive.root.size() + 1;
  bool first = true;
  while (pos < cwd.size()) {
    std::size_t end = cwd.find('/', pos);
    if (end == std::string::npos) end = cwd.size();
    if (!first) dos += '\\';
    dos += to_cp932(std::string_view(cwd).substr(pos, end - pos));
    first = false;
    pos = end + 1;
  }
  return dos.size() > kMaxDosPath ? "" : dos;
}

}  // namespace verdan
