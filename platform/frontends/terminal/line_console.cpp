#include "platform/frontends/terminal/line_console.h"

#include "platform/console/snapshot.h"
#include "platform/console/stream_output.h"

namespace verdan {
namespace {

std::string trimmed(std::string bytes) {
  bytes.erase(bytes.find_last_not_of(' ') + 1);
  return bytes;
}

}  // namespace

LineConsole::LineConsole(CodeSet code_set, int input_fd, int output_fd, int error_fd)
    : HeadlessConsole(input_fd, output_fd, error_fd), code_set_(code_set) {}

LineConsole::~LineConsole() {
  try {
    hand_back();
  } catch (...) {
    // A destructor must not throw.
  }
}

void LineConsole::present() {
  unprinted_.merge(take_screen_damage());
  const ScreenModel& now = screen();
  std::string text;
  const int cursor_row = now.cursor_row();
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    if (row == cursor_row || !unprinted_.text_in_row(row)) continue;
    text += trimmed(now.row_bytes(row));
    text += '\n';
  }
  text += now.row_bytes(cursor_row).substr(0, static_cast<std::size_t>(now.cursor_col()));
  unprinted_.clear();
  write_all(output_fd(), encode_for_terminal(text, code_set_));
}

void LineConsole::entry_ended() { take_screen_damage(); }

std::string LineConsole::take_line() { return decode_from_terminal(read_input_line(), code_set_); }


int LineConsole::take_key() {
  std::string line = take_line();
  return line.empty() ? 13 : static_cast<unsigned char>(line[0]);
}

std::string LineConsole::take_entry() {
  std::string entry = take_line();
  while (is_help_request(entry)) {
    if (show_help()) present();  // the screen again, with its prompt
    entry = take_line();
  }
  echo(entry);
  return entry;
}

void LineConsole::show_text_picture(std::string_view cp932) {
  std::string lines;
  for (std::size_t start = 0; start < cp932.size();) {
    std::size_t end = cp932.find("\r\n", start);
    if (end == std::string_view::npos) end = cp932.size();
    lines.append(cp932.substr(start, end - start));
    lines += '\n';
    start = end + 2;
  }
  write_all(output_fd(), encode_for_terminal(lines, code_set_));
}

void LineConsole::release() {
  present();
  write_all(output_fd(), "\n");
  if (std::string problem = write_snapshot(screen()); !problem.empty()) {
    write_all(2, problem + "\n");
  }
}

}  // namespace verdan
