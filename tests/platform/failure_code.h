// The code of a step's Failure, for tests on every host.
#pragma once

#include <functional>

#include "platform/failure.h"

namespace verdan::test {

// The code of the Failure `step` throws, or -1 when it throws none.
inline int failure_code_of(const std::function<void()>& step) {
  try {
    step();
  } catch (const Failure& failure) {
    return failure.code();
  }
  return -1;
}

}  // namespace verdan::test
