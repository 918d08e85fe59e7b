// Paths in DOS form (CP932 bytes, drive letters, `\`) as the programs keep
// them, mapped onto the host's UTF-8 file names at each system call, and the
// current directory read back in DOS form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdan {

// Host path of a DOS-form path. `X:\rest` lies under $VERDAN_DRIVE_X
// (default `/`), `X:rest` and plain names under the current directory,
// `\rest` under the current drive's root, `/rest` is a host path. `\` and `/`
// both separate names; trailing blanks of names are dropped; a name missing
// with its exact case takes an existing name that differs only in ASCII case.
// An empty path, one holding a NUL byte, or one with bytes CP932 gives no
// character is Failure 64 (bad file name): each name maps one-to-one.
std::string host_path(std::string_view dos_path);

// The entries of `host_directory` named `name` regardless of ASCII case, in
// order of preference: the exact name, then the others in byte order. Empty
// when none matches or the directory cannot be read.
std::vector<std::string> matching_names(const std::string& host_directory, std::string_view name);

// The preferred one of matching_names(), or empty.
std::string match_name(const std::string& host_directory, std::string_view name);

// The current directory in DOS form ("C:\WORK\DATA", "C:\" for a root): the
// drive whose root is the longest prefix of the host directory. Empty when
// longer than 255 bytes. A lost current directory is Failure 55.
std::string dos_current_directory();

}  // namespace verdan
