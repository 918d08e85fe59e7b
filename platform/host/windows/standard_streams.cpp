#include "platform/host/standard_streams.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdint>

#include "platform/host/windows/wide.h"

namespace verdan::host {
namespace {

HANDLE handle_of(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool identity(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetFileInformationByHandle(handle, &info) != 0;
}

}  // namespace

int own_standard_stream(int stream) {
  const HANDLE handle = handle_of(stream);
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
    errno = EBADF;
    return -1;
  }
  // A handle of its own that no started program inherits.
  HANDLE own = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    return fail_with_last_error();
  }
  const int mode = (stream == kStandardInput ? _O_RDONLY : _O_WRONLY) | _O_BINARY;
  const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(own), mode);
  if (fd < 0) CloseHandle(own);
  return fd;
}

bool standard_stream_is(int stream, const std::string& host_path) {
  BY_HANDLE_FILE_INFORMATION streamed{};
  BY_HANDLE_FILE_INFORMATION named{};
  if (!identity(handle_of(stream), streamed)) return false;
  const HANDLE file = CreateFileW(wide(host_path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const bool known = identity(file, named);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return known && streamed.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
         streamed.nFileIndexHigh == named.nFileIndexHigh && streamed.nFileIndexLow == named.nFileIndexLow;
}

}  // namespace verdan::host
