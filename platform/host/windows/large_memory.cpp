#include "platform/host/large_memory.h"

namespace verdan {

// Large pages on Windows need a privilege that a user seldom holds, and
// memory set aside for them at once: small pages it is.
void LargeMemory::advise_large_pages(void* /*p*/, std::size_t /*size*/) {}

}  // namespace verdan
