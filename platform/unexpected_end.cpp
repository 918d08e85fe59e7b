#include "platform/unexpected_end.h"

#include <cstdio>
#include <exception>
#include <string>

#include "platform/failure.h"

namespace verdan {

int report_unexpected(const char* program) noexcept {
  std::string what = "unknown exception";
  try {
    throw;
  } catch (const Failure& failure) {
    what = "error " + std::to_string(failure.code()) + ": " + failure.what();
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
  }
  std::fprintf(stderr, "%s: unexpected failure: %s\n", program, what.c_str());
  return kUnexpectedEndStatus;
}

}  // namespace verdan
