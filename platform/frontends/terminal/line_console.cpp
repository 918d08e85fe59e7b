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

std::string LineConsole::changed_rows(const std::optional<ScreenModel>& before, const ScreenModel& now) {
  std::string text;
  const int cursor_row = now.cursor_row();
  for (int row = 0; row < ScreenModel::kRows; ++row) {
    if (row == cursor_row) continue;
    const std::string bytes = now.row_bytes(row);
    if (before && before->row_bytes(row) == bytes) continue;
    text += trimmed(bytes);
    text += '\n';
  }
  text += now.row_bytes(cursor_row).substr(0, static_cast<std::size_t>(now.cursor_col()));
  return text;
}

void LineConsole::present() {
  write_all(output_fd(), encode_for_terminal(changed_rows(printed_, screen()), code_set_));
  printed_ = screen();
}

std::string LineConsole::take_line() {
  std::string typed;
  int byte = read_byte();
  if (byte < 0) input_ended();
  while (byte >= 0 && byte != '\n') {
    typed.push_back(static_cast<char>(byte));
    byte = read_byte();
  }
  if (!typed.empty() && typed.back() == '\r') typed.pop_back();
  return decode_from_terminal(typed, code_set_);
}


int LineConsole::take_key() {
  std::string line = take_line();
  return line.empty() ? 13 : static_cast<unsigned char>(line[0]);
}

std::string LineConsole::take_entry() {
  std::string entry = take_line();
  echo(entry);
  // The terminal has shown the entry and its line end already.
  ScreenModel shown = screen();
  shown.line_end();
  printed_ = shown;
  return entry;
}

void LineConsole::release() {
  present();
  write_all(output_fd(), "\n");
  if (std::string problem = write_snapshot(screen()); !problem.empty()) {
    write_all(2, problem + "\n");
  }
}

}  // namespace verdan
