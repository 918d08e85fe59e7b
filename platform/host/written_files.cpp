#include "platform/host/written_files.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/host/file_calls.h"

namespace verdan {
namespace {

std::mutex account_mutex;
RunAccount account;

}  // namespace

void note_written_file(const std::string& host_path, bool appended) {
  const std::string full = host::full_path(host_path);
  const std::lock_guard<std::mutex> lock(account_mutex);
  const bool known = std::any_of(account.files.begin(), account.files.end(),
                                 [&](const WrittenFile& file) { return file.path == full; });
  if (!known) account.files.push_back({full, appended});
}

void note_program_not_found(const std::string& program) {
  const std::lock_guard<std::mutex> lock(account_mutex);
  account.missing_program = program;
}

RunAccount take_run_account() {
  const std::lock_guard<std::mutex> lock(account_mutex);
  return std::exchange(account, RunAccount{});
}

}  // namespace verdan
