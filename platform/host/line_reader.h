// Reading a text file a line at a time with a bound on a line's length: a
// file without line ends (damage, a file of zeros) is found once
// the bound is passed, never taken into memory whole. The file is read in
// large blocks and lines are cut from them in place.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/large_memory.h"

namespace verdan {

class LineReader {
 public:
  // Opens an existing file for reading; lines longer than `longest` bytes
  // (without their LF or CR LF) are too long.
  LineReader(std::string_view dos_path, std::size_t longest);
  // Reads standard input (a "-" on a command line) through a descriptor of
  // its own; the stream stays open when the reader is gone.
  static LineReader standard_input(std::size_t longest);

  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  ~LineReader();

  static constexpr std::size_t kReadablePastLine = 8;

  enum class Result { line, end, too_long };
  // The next line, without its line end, into `line`; `end` when no byte is
  // left. A line too long gives its first `longest` bytes; the file is
  // damaged there and is not to be read further.
  Result next(std::string& line);
  // The same as a view into the reader's buffer, valid until the next call:
  // no line is copied. The view is followed in memory by its line end (an
  // LF the reader puts there after a last line without one) and by
  // kReadablePastLine more bytes, which a parser may read a word at a time.
  Result next(std::string_view& line) {
    // Nearly every line ends within the buffer, short of the bound.
    const char* const start = buffer_.data() + pos_;
    if (const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_)); lf != nullptr) {
      auto n = static_cast<std::size_t>(lf - start);
      if (n <= longest_) {
        pos_ += n + 1;
        if (n > 0 && start[n - 1] == '\r') --n;
        line = std::string_view(start, n);
        return Result::line;
      }
    }
    return next_from_anywhere(line);
  }

 private:
  // Takes `fd`, open for reading, and closes it at the end; `name` is what
  // failures name.
  LineReader(int fd, std::string name, std::size_t longest);

  // next() for any line: one that the buffer holds only in part, or one
  // beyond the bound.
  Result next_from_anywhere(std::string_view& line);
  // Moves the unread bytes to the buffer's start and reads more after them;
  // false at the end of the file.
  bool refill();

  int fd_ = -1;
  std::string host_path_;
  std::size_t longest_;
  std::vector<char, LargeAllocator<char>> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

}  // namespace verdan
