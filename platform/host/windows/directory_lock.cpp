// Windows locks no directory: the lock is a hidden file in it, opened with
// no sharing, so a second opener gets a sharing violation until the first
// closes it; it is deleted when closed, also when its process is killed,
// so it stays only while held. LockFileEx would need the same file and
// adds nothing to the exclusive opening.
#include "platform/host/directory_lock.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/failure.h"
#include "platform/host/dos_path.h"
#include "platform/host/windows/wide.h"

namespace verdan {
namespace {

constexpr auto kPoll = std::chrono::milliseconds(10);
constexpr const char* kLockName = "VERDAN.LCK";

HANDLE open_lock_file(const std::string& path) {
  return CreateFileW(host::native(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

// Access is denied while a holder's file is being deleted, and for good in
// a directory where no file can be made: then there is no file to wait for.
bool being_let_go(const std::string& path) {
  return GetFileAttributesW(host::native(path).c_str()) != INVALID_FILE_ATTRIBUTES ||
         GetLastError() != ERROR_FILE_NOT_FOUND;
}

}  // namespace

DirectoryLock::DirectoryLock(std::string_view dos_dir, int wait_ms) {
  std::string path;
  try {
    path = host_path(dos_dir);
  } catch (const Failure&) {
    return;  // the failure shows when the directory's files are reached
  }
  // "C:" is the drive's current directory, "C:/" its root.
  if (path.back() != ':' && path.back() != '/') path += '/';
  path += kLockName;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
  for (;;) {
    HANDLE lock = open_lock_file(path);
    if (lock != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(lock);
      return;
    }
    const DWORD error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || (error == ERROR_ACCESS_DENIED && being_let_go(path));
    if (!held) return;
    if (std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(kPoll);
  }
}

DirectoryLock::~DirectoryLock() {
  if (held()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace verdan
