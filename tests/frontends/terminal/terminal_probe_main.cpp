// A small program for driving the terminal front end in tmux.
//
//   terminal_probe draw            text, Japanese, a box drawn in the plane,
//                                  one entry, then key codes until "q"
//   terminal_probe handover PROG   one entry, then exec PROG in our place;
//                                  when that fails, key codes until "q"
//   terminal_probe abort           a screen, one key, then abort()
//
// With VERDAN_PROBE_PID=FILE the process id is written there first.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/console/console.h"
#include "platform/codec/cp932.h"
#include "platform/fallible_step.h"
#include "platform/console/front_end.h"

namespace {

using verdan::sj;

void note_pid() {
  const char* file = std::getenv("VERDAN_PROBE_PID");
  if (file == nullptr) return;
  if (std::FILE* out = std::fopen(file, "w")) {
    std::fprintf(out, "%d\n", static_cast<int>(::getpid()));
    std::fclose(out);
  }
}

std::string hex(const std::string& bytes) {
  std::string text;
  char digits[4];
  for (unsigned char b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    text += digits;
  }
  return text;
}

// Key codes on row 5 until "q".
void show_keys(verdan::Console& console) {
  console.locate(5, 0);
  console.write("KEYS:");
  for (;;) {
    int key = console.read_key();
    console.write(" " + std::to_string(key));
    if (key == 'q') return;
  }
}

void title(verdan::Console& console) {
  console.write("ROW0 plain");
  console.locate(1, 0);
  console.set_color(6);
  console.write(sj("日本語の表示 ｶﾀｶﾅ"));
  console.set_color(7);
  console.locate(22, 0);
  console.write("PLANE " + std::to_string(console.plane_width()) + "x" +
                std::to_string(console.plane_height()));
}

int draw(verdan::Console& console) {
  title(console);
  // Cells 10-69 of rows 10-19 at 2 x 4 dots a cell.
  console.box(20, 40, 139, 79, 2);
  console.locate(10, 40);
  console.write("T");
  console.locate(15, 30);
  console.write("BOX");
  console.locate(3, 0);
  console.set_color(5);
  console.write(sj("名前? "));
  console.set_color(7);
  std::string entry = console.read_line();
  console.write("ENTRY=[" + entry + "] HEX=" + hex(entry));
  show_keys(console);
  console.hand_back();
  return 0;
}

int handover(verdan::Console& console, char** program) {
  title(console);
  console.locate(3, 0);
  console.write("> ");
  console.read_line();
  console.hand_back();
  ::execvp(program[0], program);
  console.write("EXEC FAILED");
  show_keys(console);
  console.hand_back();
  return 5;
}

int abort_after_key(verdan::Console& console) {
  title(console);
  console.locate(3, 0);
  console.write("KEY? ");
  console.read_key();
  std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode != "draw" && mode != "abort" && !(mode == "handover" && argc > 2)) {
    std::fprintf(stderr, "usage: terminal_probe draw | handover PROG... | abort\n");
    return 2;
  }
  note_pid();
  auto console = verdan::make_console();
  try {
    if (mode == "draw") return draw(*console);
    if (mode == "abort") return abort_after_key(*console);
    return handover(*console, argv + 2);
  } catch (const verdan::ProgramEnd& end) {
    console->hand_back();
    return end.status;
  }
}
