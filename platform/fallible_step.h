// The one road of every failure: a fallible step runs through run_step,
// which hands a failure to the program's handler with the step's stable
// number and either tries the step again or ends the program.
#pragma once

#include <utility>

#include "platform/failure.h"

namespace verdan {

// Thrown to end the program: unwinds to main, which closes files, hands the
// console back and exits with `status`.
struct ProgramEnd {
  int status;
};

class ErrorHandler {
 public:
  enum class Decision { retry, end };
  virtual ~ErrorHandler() = default;
  // Called for each failure of a step; may repair and ask for a retry.
  virtual Decision on_failure(const Failure& failure, int step) = 0;
};

// Runs `operation` until it succeeds or the handler decides to end, in which
// case the program ends with status 1 (ended from the error screen).
template <typename Operation>
decltype(auto) run_step(ErrorHandler& handler, int step, Operation&& operation) {
  for (;;) {
    try {
      return std::forward<Operation>(operation)();
    } catch (const Failure& failure) {
      if (handler.on_failure(failure, step) == ErrorHandler::Decision::end) throw ProgramEnd{1};
    }
  }
}

}  // namespace verdan
