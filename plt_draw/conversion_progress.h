// What the JW_CAD conversion shows on the console: a turning indicator at
// the cursor while records are read, and the message for a damaged file.
#pragma once

#include <string>
#include <string_view>

#include "platform/console/console.h"

namespace verdan {

class ConversionProgress {
 public:
  // Remembers the cursor: the indicator and the message appear there.
  // An empty `spinner` shows no indicator.
  ConversionProgress(Console& console, std::string_view spinner);

  // `steps` records read: for each, the counter runs 1 to 10 x the
  // spinner's length and back to 0; the character at round(1 + counter /
  // 10) is shown.
  void tick(int steps = 1) {
    if (spinner_.empty()) return;
    for (int i = 0; i < steps; ++i) advance();
  }

  // Clears the remembered row, beeps, shows that `tmp_file` is damaged,
  // waits 3 seconds and ends the program (status 1).
  [[noreturn]] void damaged(std::string_view tmp_file);

 private:
  void advance();

  Console& console_;
  std::string spinner_;
  int row_;
  int col_;
  int counter_ = 0;
  std::size_t shown_ = 0;  // position on screen now, 0 for none
};

}  // namespace verdan
