#include "capi/boundary.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <new>

#include "capi/library.h"
#include "platform/failure.h"
#include "platform/fallible_step.h"

namespace verdan::capi {
namespace {

int keep(int code, std::string text) {
  Library& lib = library();
  lib.failure = code;
  lib.failure_text = std::move(text);
  return code;
}

}  // namespace

int record_current_failure() {
  try {
    throw;
  } catch (const Failure& failure) {
    return keep(failure.code(), failure.what());
  } catch (const ProgramEnd& end) {
    // A program would end here; a library caller gets the reason instead.
    if (end.status == 3) return keep(kInputPastEnd, "keyboard input ran out");
    return keep(kIllegalFunctionCall, "the routine asked to end the program");
  } catch (const std::bad_alloc&) {
    return keep(kOutOfMemory, "out of memory");
  } catch (const std::exception& e) {
    return keep(kIllegalFunctionCall, e.what());
  } catch (...) {
    return keep(kIllegalFunctionCall, "unexpected failure");
  }
}

void require(const void* pointer, const char* what) {
  if (pointer == nullptr) fail(kIllegalFunctionCall, std::string(what) + " is NULL");
}

void require_finite(float value) {
  if (!std::isfinite(value)) fail(kOverflow, "a number that is not finite");
}

std::size_t give(std::string_view text, char* out, std::size_t out_size) {
  if (out_size > 0) {
    const std::size_t kept = text.size() < out_size ? text.size() : out_size - 1;
    std::memcpy(out, text.data(), kept);
    out[kept] = '\0';
  }
  return text.size();
}

}  // namespace verdan::capi
