// Text at the Win32 boundary: host paths are UTF-8 inside, UTF-16 at each
// call; Win32 errors become errno values so one table maps both hosts.
#pragma once

#include <string>
#include <string_view>

namespace verdan::host {

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// A host path as the Win32 calls and command lines want it: `\` between names.
std::wstring native(std::string_view utf8_path);
// Sets errno from GetLastError() and returns -1.
int fail_with_last_error();
int errno_of(unsigned long win32_error);

}  // namespace verdan::host
