// The C boundary: every wrapper runs its C++ routine inside one of these
// guards, which catch everything, keep the failure's code for VDN_FAILURE()
// and turn it into the routine's failure result. Nothing crosses into C.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "capi/include/verdan/verdan.h"
#include "capi/library.h"

namespace verdan::capi {

// Keeps the code of the exception being handled (and its text); returns it.
int record_current_failure();
// Marks the call as successful. Inline: every call ends here, and after a
// success there is nothing to clear.
inline void succeed() {
  Library& lib = library();
  if (lib.failure != 0 || !lib.failure_text.empty()) {
    lib.failure = 0;
    lib.failure_text.clear();
  }
}
// Failure 5 for a NULL pointer argument.
void require(const void* pointer, const char* what);
// Failure 6 for a number that is not finite.
void require_finite(float value);

// `text` into the caller's buffer, cut and NUL-terminated; its whole length.
std::size_t give(std::string_view text, char* out, std::size_t out_size);

// A routine that returns a code.
template <typename Operation>
int guarded(Operation&& operation) {
  try {
    operation();
    succeed();
    return VDN_OK;
  } catch (...) {
    return record_current_failure();
  }
}

// A routine whose text result goes to the caller's buffer.
template <typename Operation>
std::size_t guarded_text(char* out, std::size_t out_size, Operation&& operation) {
  try {
    if (out == nullptr && out_size > 0) require(out, "out");
    const auto text = operation();  // a std::string, or a view of the caller's making
    succeed();
    return give(text, out, out_size);
  } catch (...) {
    record_current_failure();
    return VDN_ERROR;
  }
}

// A routine that returns a number: 0 when it fails.
template <typename Operation>
float guarded_number(Operation&& operation) {
  try {
    const float value = operation();
    succeed();
    return value;
  } catch (...) {
    record_current_failure();
    return 0;
  }
}

}  // namespace verdan::capi
