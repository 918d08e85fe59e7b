// The front end for a terminal that cannot move its cursor (TERM=dumb) or
// a terminal input whose output goes elsewhere: before each entry or key
// the rows whose text changed are printed as lines, and the terminal's own
// line editing takes the entry. Text goes out and comes in in the locale's
// code set.
#pragma once

#include <string>

#include "platform/frontends/headless/headless_console.h"
#include "platform/console/screen_damage.h"
#include "platform/frontends/terminal/terminal_codec.h"

namespace verdan {

class LineConsole : public HeadlessConsole {
 public:
  explicit LineConsole(CodeSet code_set, int input_fd = 0, int output_fd = 1, int error_fd = 2);
  ~LineConsole() override;

  bool wants_text_picture() const override { return true; }
  // Printed as it stands, each line ending as the terminal's lines do.
  void show_text_picture(std::string_view cp932) override;

 protected:
  std::string take_entry() override;
  // The terminal hands over whole lines: one line answers one key, its
  // first byte (CP932) being the key and an empty line RETURN.
  int take_key() override;
  // The rows whose text changed as lines; the cursor's row last, up to the
  // cursor, without a line end, so the entry is typed after its prompt.
  void present() override;
  // The terminal has shown the entry and its line end already.
  void entry_ended() override;
  void release() override;

 private:
  // One typed line in CP932, without its line end; the end of input ends
  // the program.
  std::string take_line();

  CodeSet code_set_;
  ScreenDamage unprinted_ = ScreenDamage::whole_screen();
};

}  // namespace verdan
