// The host's error numbers as run-time failure codes, in one table, so that
// the same cause gives the same code whichever system call met it.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

// What the failed call was working on; decides what a missing name means.
enum class HostSubject {
  file,       // a missing name is 63 when its directory exists, else 55
  directory,  // a missing name is always 55 (path not found)
  program,    // every failure to start a program is 53
};

// Failure code for `err` met by a call on `host_path`. Errors the table does
// not know become 57 (device I/O error).
int failure_code(int err, HostSubject subject, const std::string& host_path);

// Throws the Failure for `err`; `what` names the call for the detail text.
[[noreturn]] void fail_from_errno(int err, std::string_view what, const std::string& host_path,
                                  HostSubject subject = HostSubject::file);

}  // namespace verdan
