#include "platform/host/large_memory.h"

#include <sys/mman.h>

namespace verdan {

void LargeMemory::advise_large_pages(void* p, std::size_t size) {
#ifdef MADV_HUGEPAGE
  // Advice only: a kernel without transparent large pages refuses it, and
  // the memory is as good with small ones.
  ::madvise(p, size, MADV_HUGEPAGE);
#else
  (void)p;
  (void)size;
#endif
}

}  // namespace verdan
