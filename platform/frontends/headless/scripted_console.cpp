#include "platform/frontends/headless/scripted_console.h"

#include <utility>

#include "platform/codec/cp932.h"
#include "platform/fallible_step.h"

namespace verdan {

ScriptedConsole::ScriptedConsole(std::vector<std::string> script, int plane_width,
                                 int plane_height)
    : Console(plane_width, plane_height), script_(std::move(script)) {}

const std::string& ScriptedConsole::next_item() {
  if (next_ >= script_.size()) {
    hand_back();
    throw ProgramEnd{3};
  }
  return script_[next_++];
}

std::string ScriptedConsole::take_entry() {
  std::string item = next_item();
  while (is_help_request(item)) {
    if (!help().empty()) help_titles_.push_back(to_utf8(help().front()));
    show_help();
    item = next_item();
  }
  std::string entry = to_cp932(item);
  echo(entry);
  return entry;
}

int ScriptedConsole::take_key() {
  const std::string& item = next_item();
  if (item.empty()) return 13;
  if (item == "\n") return 13;
  // A one-byte item is the key code itself, even above 0x7F.
  if (item.size() == 1) return static_cast<unsigned char>(item[0]);
  return static_cast<unsigned char>(to_cp932(item)[0]);
}

}  // namespace verdan
