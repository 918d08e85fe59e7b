#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>

#include "platform/host/spool_file.h"

namespace verdan::host {

// Deleted by Windows when its last handle closes, also when the process is
// ended.
int open_unnamed_temporary() {
  wchar_t dir[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, dir) == 0 || GetTempFileNameW(dir, L"vdn", 0, name) == 0) {
    errno = EACCES;
    return -1;
  }
  HANDLE file = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileW(name);
    errno = EACCES;
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
  if (fd < 0) CloseHandle(file);
  return fd;
}

}  // namespace verdan::host
