// The front end for a terminal that cannot move its cursor (TERM=dumb) or
// a terminal input whose output goes elsewhere: before each entry or key
// the rows that changed are printed as lines, and the terminal's own line
// editing takes the entry. Text goes out and comes in in the locale's code
// set.
#pragma once

#include <optional>
#include <string>

#include "platform/headless_console.h"
#include "platform/screen_model.h"
#include "platform/terminal_codec.h"

namespace verdan {

class LineConsole : public HeadlessConsole {
 public:
  explicit LineConsole(CodeSet code_set, int input_fd = 0, int output_fd = 1, int error_fd = 2);
  ~LineConsole() override;

  // The rows of `now` that differ from `before` (all of them without one)
  // as lines; the cursor's row last, up to the cursor, without a line end,
  // so the entry is typed after its prompt. CP932.
  static std::string changed_rows(const std::optional<ScreenModel>& before, const ScreenModel& now);

 protected:
  std::string take_entry() override;
  void present() override;
  void release() override;

 private:
  CodeSet code_set_;
  std::optional<ScreenModel> printed_;
};

}  // namespace verdan
