#include "platform/host/host_error.h"

#include <cerrno>
#include <cstring>

#include "platform/failure.h"
#include "platform/host/file_calls.h"

namespace verdan {
namespace {

struct ErrnoCode {
  int err;
  int code;
};

// ENOENT is absent on purpose: its code depends on the subject.
constexpr ErrnoCode kTable[] = {
    {ENOTDIR, kPathNotFound},
    {ELOOP, kPathNotFound},
    // The handlers treat "not the same device" as a missing path.
    {EXDEV, kPathNotFound},
    {EROFS, kWriteProtected},
    {EACCES, kAccessDenied},
    {EPERM, kAccessDenied},
    {EISDIR, kAccessDenied},
    {ENOTEMPTY, kAccessDenied},
    {EBUSY, kAccessDenied},
#ifdef ETXTBSY
    {ETXTBSY, kAccessDenied},
#endif
    {ENOSPC, kDiskFull},
#ifdef EDQUOT
    {EDQUOT, kDiskFull},
#endif
    {EFBIG, kDiskFull},
    {EEXIST, kFileAlreadyExists},
    {EMFILE, kTooManyFiles},
    {ENFILE, kTooManyFiles},
    {EIO, kDeviceIoError},
    {ENXIO, kDriveNotReady},
    {ENODEV, kDriveNotReady},
#ifdef ENOMEDIUM
    {ENOMEDIUM, kDriveNotReady},
#endif
    {ENAMETOOLONG, kBadFileName},
    // File systems of removable media refuse names with DOS-forbidden bytes.
    {EINVAL, kBadFileName},
    {EBADF, kBadFileNumber},
    {ENOMEM, kOutOfMemory},
};

bool is_directory(const std::string& host_path) {
  host::FileStatus info;
  return host::file_status(host_path, info) == 0 && info.directory;
}

}  // namespace

int failure_code(int err, HostSubject subject, const std::string& host_path) {
  if (subject == HostSubject::program) return kProgramNotFound;
  if (err == ENOENT) {
    if (subject == HostSubject::directory) return kPathNotFound;
    return is_directory(host::parent_directory(host_path)) ? kFileNotFound : kPathNotFound;
  }
  for (const ErrnoCode& entry : kTable) {
    if (entry.err == err) return entry.code;
  }
  return kDeviceIoError;
}

void fail_from_errno(int err, std::string_view what, const std::string& host_path,
                     HostSubject subject) {
  std::string detail(what);
  detail += " ";
  detail += host::shown_path(host_path);
  detail += ": ";
  detail += std::strerror(err);
  fail(failure_code(err, subject, host_path), detail);
}

}  // namespace verdan
