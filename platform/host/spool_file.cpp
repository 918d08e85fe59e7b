#include "platform/host/spool_file.h"

#include <cerrno>
#include <string>

#include "platform/host/file_calls.h"
#include "platform/host/host_error.h"
#include "platform/host/past_cache.h"

namespace verdan {
namespace {

constexpr std::size_t kReplayBlock = std::size_t{1} << 20;

}  // namespace

SpoolFile::SpoolFile() : fd_(host::open_unnamed_temporary()) {
  if (fd_ < 0) fail_from_errno(errno, "create", "a temporary spool file");
}

SpoolFile::~SpoolFile() {
  if (fd_ >= 0) host::close_file(fd_);
}

void SpoolFile::append(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long n = host::write_file(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) fail_from_errno(errno, "write", "a temporary spool file");
    done += static_cast<std::size_t>(n);
  }
  size_ += static_cast<std::int64_t>(bytes.size());
}

void SpoolFile::replay(const std::function<void(std::string_view)>& out) {
  if (host::seek_to_start(fd_) != 0) fail_from_errno(errno, "seek", "a temporary spool file");
  const PastCache::Block block = PastCache::make_block(kReplayBlock);
  for (std::int64_t left = size_; left > 0;) {
    const long n = host::read_file(fd_, block.get(), kReplayBlock);
    if (n < 0) fail_from_errno(errno, "read", "a temporary spool file");
    if (n == 0) fail_from_errno(EIO, "read", "a temporary spool file cut short");
    out(std::string_view(block.get(), static_cast<std::size_t>(n)));
    left -= n;
  }
}

}  // namespace verdan
