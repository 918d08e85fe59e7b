// Transfers that go straight between memory and the medium, past the host's
// cache, for the files of a gigabyte: the copy of every byte into the cache
// took a core beside the work, and what is written once and read once, if
// ever, gains nothing from it. Only a transfer of whole aligned blocks from
// aligned memory at an aligned offset may go so; any other turns it off
// first. A file system that refuses it, at the switch or at a transfer,
// gets every later one through the cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "platform/host/large_memory.h"

namespace verdan {

class PastCache {
 public:
  // Where a file starts going past the cache: at once. Such a file is
  // synced before it takes the old one's place, so the disk writes every
  // byte before the program ends either way, and through the cache each
  // byte is copied there first, a core's time beside the work: side by
  // side on a frame's plots of 48-120 MB, the printers took 0.77-0.84 of
  // the time past the cache, SVG 0.99, DXF 1.07 and JW_CAD 0.95-1.09.
  static constexpr std::int64_t kFrom = 0;
  // Where a file read again as soon as it is written goes past the cache,
  // in the writing and in the reading: through the cache each byte is
  // copied in and out again, and past a few tens of megabytes the copies
  // took longer than the disk (a 530 MB intermediate drawing took 0.8 of
  // the time past it from here, while one of 32 MB took 1.1 past it whole).
  static constexpr std::int64_t kFromReadAgain = std::int64_t{64} << 20;
  // Of memory, offsets and sizes: a page, a multiple of any disk's sector.
  static constexpr std::size_t kBlockAlignment = 4096;

  // Memory on a page's boundary, for transfers that may go past the cache.
  struct FreeBlock {
    std::size_t size = 0;
    void operator()(char* p) const { LargeMemory::release(p, size); }
  };
  using Block = std::unique_ptr<char[], FreeBlock>;
  static Block make_block(std::size_t size) {
    static_assert(LargeMemory::kPage % kBlockAlignment == 0);
    return Block(static_cast<char*>(LargeMemory::allocate(size)), FreeBlock{size});
  }

  // Whether a transfer of `size` bytes at `offset` from or to `data` may
  // go past the cache.
  static bool fits(std::int64_t offset, const void* data, std::size_t size);

  // Switches `fd` on or off before the next transfer, where it differs.
  void want(int fd, bool on);
  // After a transfer failed with `err`: true when it was going past the
  // cache and the file system refused that; it is off for good, and the
  // transfer is to be tried again.
  bool refused(int fd, int err);
  // Off for good: the file is about to be written where no block is whole.
  void stop(int fd);

 private:
  bool on_ = false;
  bool cache_only_ = false;
};

}  // namespace verdan
