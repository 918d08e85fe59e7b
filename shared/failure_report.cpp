#include "shared/failure_report.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/codec/cp932.h"
#include "platform/host/dos_path.h"
#include "platform/host/file_calls.h"
#include "shared/user_directory.h"

namespace verdan {

std::string failure_story(std::string_view program, const Failure& failure, int step) {
  std::string line(program);
  line += ": CODE " + std::to_string(failure.code()) + " LINE " + std::to_string(step);
  // The detail holds host paths, in UTF-8; the screen's texts are CP932.
  if (*failure.what() != '\0') line += ": " + to_cp932(failure.what());
  return line;
}

void append_to_log(const std::string& host_log_path, std::string_view line, std::size_t limit) {
  std::string text;
  {
    std::ifstream in(host_log_path, std::ios::binary);
    if (in) text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  text += to_utf8(line);
  text += '\n';
  if (text.size() > limit) {
    // Whole lines only: cut after the first line end past the excess.
    std::size_t cut = text.find('\n', text.size() - limit);
    text.erase(0, cut == std::string::npos ? text.size() : cut + 1);
  }
  const std::string temp = host_log_path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return;
    out << text;
    if (!out.flush()) {
      host::delete_file(temp);
      return;
    }
  }
  if (host::replace_file(temp, host_log_path) != 0) host::delete_file(temp);
}

void report_failure(Console& console, std::string_view program, const Failure& failure, int step) {
  const std::string story = failure_story(program, failure, step);
  try {
    append_to_log(host_path(user_directory() + "verdan.log"), story);
  } catch (const Failure&) {
    // No per-user directory to log in: the screen and front end still tell.
  }
  console.note_failure(story);
}

void show_failure_detail(Console& console, const Failure& failure, int row) {
  const int below = row + 1;
  if (below >= ScreenModel::kRows) return;
  const std::string shown = console.screen().row_bytes(below);
  if (shown.find_first_not_of(' ') != std::string::npos) return;
  // As much of the detail as the row holds, cut on a character boundary.
  std::string detail = to_cp932(failure.what());
  std::string fits;
  for (std::size_t pos = 0; pos < detail.size();) {
    std::size_t length = char_length(detail, pos);
    if (fits.size() + length > ScreenModel::kColumns - 3) break;
    fits.append(detail, pos, length);
    pos += length;
  }
  if (fits.empty()) return;
  const int col = console.screen().output_column();
  const int color = console.color();
  console.locate(below, 2);
  console.set_color(6);
  console.write(fits);
  console.set_color(color);
  console.locate(row, col);
}

}  // namespace verdan
