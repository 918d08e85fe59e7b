#include "platform/frontends/headless/headless_console.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/fallible_step.h"
#include "platform/console/snapshot.h"
#include "platform/console/stream_output.h"
#include "platform/host/stop_request.h"

namespace verdan {

HeadlessConsole::HeadlessConsole(int input_fd, int output_fd, int error_fd)
    : Console(kPlaneWidth, kPlaneHeight),
      input_fd_(input_fd),
      output_fd_(output_fd),
      error_fd_(error_fd) {}

HeadlessConsole::~HeadlessConsole() {
  try {
    hand_back();
  } catch (...) {
    // A destructor must not throw; release() reports its own troubles.
  }
}

std::string HeadlessConsole::screen_dump(const ScreenModel& screen) {
  std::string text;
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    text += screen.row_text(row);
    text += '\n';
  }
  return text;
}

int HeadlessConsole::read_byte() {
  for (;;) {
    unsigned char byte = 0;
    ssize_t n = ::read(input_fd_, &byte, 1);
    if (n == 1) return byte;
    if (n < 0 && errno == EINTR) {
      stop_if_requested();
      continue;
    }
    return -1;
  }
}

void HeadlessConsole::input_ended() {
  hand_back();
  write_all(error_fd_, "VERDAN: input ended\n");
  throw ProgramEnd{3};
}

std::string HeadlessConsole::read_input_line() {
  std::string line;
  int byte = read_byte();
  if (byte < 0) input_ended();
  while (byte >= 0 && byte != '\n') {
    line.push_back(static_cast<char>(byte));
    byte = read_byte();
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string HeadlessConsole::take_entry() {
  std::string utf8 = read_input_line();
  // A screen without a page takes the request as nothing typed at all.
  while (is_help_request(utf8)) {
    show_help();
    utf8 = read_input_line();
  }
  std::string entry = to_cp932(utf8);
  echo(entry);
  return entry;
}

void HeadlessConsole::show_note(std::string_view text) { write_all(error_fd_, "VERDAN: " + to_utf8(text) + "\n"); }

int HeadlessConsole::take_key() {
  int byte = read_byte();
  if (byte < 0) input_ended();
  return byte == '\n' ? 13 : byte;
}

void HeadlessConsole::release() {
  // Anything a program put through stdio must come before the screen.
  std::fflush(stdout);
  write_all(output_fd_, screen_dump(screen()));
  if (std::string problem = write_snapshot(screen()); !problem.empty()) write_all(error_fd_, problem + "\n");
}

}  // namespace verdan
