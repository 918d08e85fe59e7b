// Output to the program's own streams (screen dumps, notes, terminal codes).
#pragma once

#include <string_view>

#include "platform/host/file_calls.h"

namespace verdan {

// Writes all of `bytes` to descriptor `fd`; a closed or full stream loses
// the rest quietly, as there is nobody left to tell.
inline void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const long n = host::write_file(fd, bytes.data(), bytes.size());
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace verdan
