// A small program for checking the headless front end from outside, the way
// scripts and the end-to-end tests use the real programs.
//
//   console_contract dialogue           prompt, entry, key, drawing, end
//   console_contract handover PROG ...  one entry, then exec PROG in our place
//   console_contract pixel FILE X Y     "R G B" of a pixel of a PNG
//   console_contract ink FILE ROW COL   pixels of a text cell that are not black
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/console/console.h"
#include "platform/codec/cp932.h"
#include "platform/fallible_step.h"
#include "platform/console/front_end.h"
#include "tests/platform/png_reader.h"

namespace {

using verdan::sj;

int dialogue(verdan::Console& console) {
  console.set_color(5);
  console.write(sj("名前? "));
  std::string name = console.read_line();
  console.set_color(7);
  console.write(sj("こんにちは "));
  console.write(name);
  console.end_line();
  console.write("KEY? ");
  int key = console.read_key();
  console.write(std::to_string(key));
  console.end_line();
  console.beep();
  console.wait_ticks(300);
  console.line(0, 200, 639, 200, 2);
  console.box(100, 250, 200, 300, 4);
  console.locate(23, 0);
  console.write("END");
  console.hand_back();
  return 0;
}

int handover(verdan::Console& console, char** program) {
  console.write("> ");
  console.read_line();
  console.hand_back();
  ::execvp(program[0], program);
  std::perror("console_contract: exec");
  return 127;
}

int pixel(const char* file, int x, int y) {
  verdan::testing::RgbImage image;
  if (!verdan::testing::read_png_rgb(file, image) || x < 0 || y < 0 || x >= image.width ||
      y >= image.height) {
    return 1;
  }
  std::printf("%s\n", image.at(x, y).c_str());
  return 0;
}

int ink(const char* file, int row, int col) {
  verdan::testing::RgbImage image;
  if (!verdan::testing::read_png_rgb(file, image) || image.width != 640 || image.height != 384) {
    return 1;
  }
  int count = 0;
  for (int y = row * 16; y < row * 16 + 16; ++y) {
    for (int x = col * 8; x < col * 8 + 8; ++x) count += image.at(x, y) != "0 0 0";
  }
  std::printf("%d\n", count);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "pixel" && argc == 5) return pixel(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (mode == "ink" && argc == 5) return ink(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (mode != "dialogue" && !(mode == "handover" && argc > 2)) {
    std::fprintf(stderr, "usage: console_contract dialogue | handover PROG... | pixel | ink\n");
    return 2;
  }
  auto console = verdan::make_console();
  try {
    return mode == "dialogue" ? dialogue(*console) : handover(*console, argv + 2);
  } catch (const verdan::ProgramEnd& end) {
    console->hand_back();
    return end.status;
  }
}
