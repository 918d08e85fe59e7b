#include <string>
#include <string_view>

#include "platform/console/front_end.h"

namespace verdan {

ConsoleChoice choose_console(const char* setting, bool on_terminal, bool desktop_launch) {
  std::string_view value = setting == nullptr ? "" : setting;
  if (value == "headless") return {ConsoleKind::headless, true, ""};
  if (value == "terminal") return {ConsoleKind::terminal, true, ""};
  if (value == "window") return {ConsoleKind::window, true, ""};
  ConsoleKind kind = on_terminal ? ConsoleKind::terminal : ConsoleKind::headless;
  if (desktop_launch) kind = ConsoleKind::window;
  std::string note;
  if (!value.empty()) {
    note = "VERDAN: VERDAN_CONSOLE=" + std::string(value) +
           " is not headless, terminal or window; ignored";
  }
  return {kind, false, note};
}

}  // namespace verdan
