#include "platform/host/past_cache.h"

#include <cerrno>

#include "platform/host/file_calls.h"

namespace verdan {

bool PastCache::fits(std::int64_t offset, const void* data, std::size_t size) {
  constexpr std::size_t kAlign = kBlockAlignment;
  return size > 0 && size % kAlign == 0 && offset % static_cast<std::int64_t>(kAlign) == 0 &&
         reinterpret_cast<std::uintptr_t>(data) % kAlign == 0;
}

void PastCache::want(int fd, bool on) {
  on = on && !cache_only_;
  if (on == on_) return;
  if (host::set_past_cache(fd, on)) {
    on_ = on;
  } else if (on) {
    cache_only_ = true;
  }
}

bool PastCache::refused(int fd, int err) {
  if (err != EINVAL || !on_) return false;
  stop(fd);
  return !on_;
}

void PastCache::stop(int fd) {
  want(fd, false);
  cache_only_ = true;
}

}  // namespace verdan
