#include "platform/host/dos_path.h"

#include <windows.h>

#include <algorithm>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/host_file_name.h"
#include "platform/host/windows/wide.h"

namespace verdan {
namespace {

constexpr std::size_t kMaxDosPath = 255;

bool is_ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool is_separator(char c) { return c == '\\' || c == '/'; }

bool same_ignoring_ascii_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ascii_upper(a[i]) != ascii_upper(b[i])) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> matching_names(const std::string& host_directory, std::string_view name) {
  std::vector<std::string> names;
  const std::string pattern = (host_directory.empty() ? std::string(".") : host_directory) + "/*";
  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW(host::wide(pattern).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  bool exact = false;
  do {
    std::string candidate = host::narrow(entry.cFileName);
    if (candidate == name) {
      exact = true;
    } else if (same_ignoring_ascii_case(candidate, name)) {
      names.push_back(candidate);
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  if (exact) names.insert(names.begin(), std::string(name));
  return names;
}

std::string match_name(const std::string& host_directory, std::string_view name) {
  std::vector<std::string> names = matching_names(host_directory, name);
  return names.empty() ? std::string() : names.front();
}

// Drive letters and `\` are the host's own; names go over as UTF-8 with `/`
// between them, so no trail byte of a CP932 character is taken for a `\`.
std::string host_path(std::string_view dos) {
  if (dos.find('\0') != std::string_view::npos) fail(kBadFileName, "a name holding a NUL byte");
  std::string path;
  std::size_t pos = 0;
  if (dos.size() >= 2 && is_ascii_letter(dos[0]) && dos[1] == ':') {
    path = {dos[0], ':'};
    pos = 2;
  }
  if (pos < dos.size() && is_separator(dos[pos])) {
    path += '/';
    ++pos;
  }
  bool any = false;
  while (pos < dos.size()) {
    std::size_t end = pos;
    while (end < dos.size() && !is_separator(dos[end])) end += char_length(dos, end);
    std::string_view name = dos.substr(pos, end - pos);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (!name.empty()) {
      if (any) path += '/';
      path += host_file_name(name);
      any = true;
    }
    pos = end + 1;
  }
  if (path.empty()) {
    if (dos.find_first_not_of(' ') == std::string_view::npos) fail(kBadFileName, "empty path");
    return ".";
  }
  return path;
}

std::string dos_current_directory() {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) fail(kPathNotFound, "current directory lost");
  std::wstring cwd(size, L'\0');
  cwd.resize(GetCurrentDirectoryW(size, cwd.data()));
  std::string dos = to_cp932(host::narrow(cwd));
  return dos.size() > kMaxDosPath ? "" : dos;
}

}  // namespace verdan
