#include "platform/host/spool_file.h"

#include <cerrno>
#include <future>
#include <string>

#include "platform/host/file_calls.h"
#include "platform/host/host_error.h"

namespace verdan {
namespace {

constexpr std::size_t kReplayBlock = std::size_t{4} << 20;

}  // namespace

SpoolFile::SpoolFile() : fd_(host::open_unnamed_temporary()) {
  if (fd_ < 0) fail_from_errno(errno, "create", "a temporary spool file");
}

SpoolFile::~SpoolFile() {
  if (fd_ >= 0) host::close_file(fd_);
}

// A spool of gigabytes (a drawing's entities) goes past the cache both
// ways, in the whole aligned blocks its writer hands over and that the
// replay reads.
void SpoolFile::append(std::string_view bytes) {
  if (!bytes.empty()) {
    past_cache_.want(fd_, size_ >= PastCache::kFrom && PastCache::fits(size_, bytes.data(), bytes.size()));
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long n = host::write_file(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && past_cache_.refused(fd_, errno)) continue;
    if (n < 0) fail_from_errno(errno, "write", "a temporary spool file");
    done += static_cast<std::size_t>(n);
  }
  size_ += static_cast<std::int64_t>(bytes.size());
}

long SpoolFile::read_block(char* block, std::int64_t offset) {
  for (;;) {
    past_cache_.want(fd_, past_cache_.used() && PastCache::fits(offset, block, kReplayBlock));
    const long n = host::read_file(fd_, block, kReplayBlock);
    if (n < 0 && past_cache_.refused(fd_, errno)) continue;
    if (n < 0) fail_from_errno(errno, "read", "a temporary spool file");
    if (n == 0) fail_from_errno(EIO, "read", "a temporary spool file cut short");
    return n;
  }
}

// The next block is read on a thread of its own while `out` takes this
// one: read past the cache, each waits on the medium.
void SpoolFile::replay(const std::function<void(std::string_view)>& out) {
  if (host::seek_to_start(fd_) != 0) fail_from_errno(errno, "seek", "a temporary spool file");
  if (size_ == 0) return;
  const PastCache::Block blocks[2] = {PastCache::make_block(kReplayBlock), PastCache::make_block(kReplayBlock)};
  std::int64_t offset = 0;
  auto read_next = [&](int which) {
    return std::async(std::launch::async, [this, block = blocks[which].get(), offset] { return read_block(block, offset); });
  };
  std::future<long> next = read_next(0);
  for (int which = 0;; which = 1 - which) {
    const long n = next.get();
    offset += n;
    if (offset < size_) next = read_next(1 - which);
    out(std::string_view(blocks[which].get(), static_cast<std::size_t>(n)));
    if (offset >= size_) return;
  }
}

}  // namespace verdan
