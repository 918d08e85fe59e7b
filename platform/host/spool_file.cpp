#include "platform/host/spool_file.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/host/file_calls.h"
#include "platform/host/host_error.h"
#include "platform/host/past_cache.h"

namespace verdan {
namespace {

constexpr std::size_t kReplayBlock = std::size_t{1} << 20;
// Copied by the host in parts of this size, the caller told of each: it
// may look for a request to stop, or send the copy on to the medium.
constexpr std::int64_t kCopyPart = std::int64_t{8} << 20;

}  // namespace

SpoolFile::SpoolFile() : fd_(host::open_unnamed_temporary()) {
  if (fd_ < 0) fail_from_errno(errno, "create", kShownName);
}

SpoolFile::~SpoolFile() {
  if (fd_ >= 0) host::close_file(fd_);
}

void SpoolFile::append(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long n = host::write_file(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) fail_from_errno(errno, "write", kShownName);
    done += static_cast<std::size_t>(n);
  }
  size_ += static_cast<std::int64_t>(bytes.size());
}

void SpoolFile::replay(const std::function<void(std::string_view)>& out) {
  rewind();
  replay_rest(size_, out);
}

void SpoolFile::replay_into(int fd, const std::function<void(std::int64_t)>& copied,
                            const std::function<void(std::string_view)>& out, const std::function<void(int)>& failed) {
  rewind();
  for (std::int64_t left = size_; left > 0;) {
    const long n = host::copy_file_part(fd_, fd, static_cast<std::size_t>(std::min(left, kCopyPart)));
    if (n < 0 && left == size_) {
      // No such copy on this host or between these files, or a failure that
      // the plain road reports as its own.
      replay_rest(left, out);
      return;
    }
    if (n < 0) failed(errno);
    if (n == 0) fail_from_errno(EIO, "read", std::string(kShownName) + " cut short");
    copied(n);
    left -= n;
  }
}

void SpoolFile::replay_rest(std::int64_t left, const std::function<void(std::string_view)>& out) {
  const PastCache::Block block = PastCache::make_block(kReplayBlock);
  while (left > 0) {
    const long n = host::read_file(fd_, block.get(), kReplayBlock);
    if (n < 0) fail_from_errno(errno, "read", kShownName);
    if (n == 0) fail_from_errno(EIO, "read", std::string(kShownName) + " cut short");
    out(std::string_view(block.get(), static_cast<std::size_t>(n)));
    left -= n;
  }
}

void SpoolFile::read_at(std::int64_t offset, char* data, std::size_t size) {
  for (std::size_t done = 0; done < size;) {
    const long n = host::read_file_at(fd_, data + done, size - done, offset + static_cast<std::int64_t>(done));
    if (n < 0) fail_from_errno(errno, "read", kShownName);
    if (n == 0) fail_from_errno(EIO, "read", std::string(kShownName) + " cut short");
    done += static_cast<std::size_t>(n);
  }
}

void SpoolFile::rewind() {
  if (host::seek_file(fd_, 0) != 0) fail_from_errno(errno, "seek", kShownName);
}

}  // namespace verdan
