// Run-time failures. Every failure of a file, directory, conversion or
// program start is one numeric code; the program's single handler decides
// whether the step is tried again or the program ends.
#pragma once

#include <stdexcept>
#include <string>

namespace verdan {

enum FailureCode : int {
  kIllegalFunctionCall = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kSubscriptOutOfRange = 9,
  kTypeMismatch = 13,
  kLineBufferOverflow = 23,
  kBadFileNumber = 52,
  kProgramNotFound = 53,
  kBadFileMode = 54,
  kPathNotFound = 55,
  kDeviceIoError = 57,
  kFileAlreadyExists = 58,
  kDiskFull = 61,
  kInputPastEnd = 62,
  kFileNotFound = 63,
  kBadFileName = 64,
  kTooManyFiles = 67,
  kDriveNotReady = 72,
  kWriteProtected = 73,
  kRenameAcrossDisks = 74,
  kAccessDenied = 75,
};

// A failed operation. `detail` is for logs and tests; the user sees the code.
class Failure : public std::runtime_error {
 public:
  Failure(int code, const std::string& detail)
      : std::runtime_error(detail), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

[[noreturn]] inline void fail(int code, const std::string& detail) { throw Failure(code, detail); }

}  // namespace verdan
