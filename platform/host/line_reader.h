// Reading a text file a line at a time with a bound on a line's length: a
// file without line ends (damage, a file of zeros) is found once
// the bound is passed, never taken into memory whole. The file is read in
// large blocks and lines are cut from them in place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

  enum class Result { line, end, too_long };
  // The next line, without its line end, into `line`; `end` when no byte is
  // left. A line too long gives its first `longest` bytes; the file is
  // damaged there and is not to be read further.
  Result next(std::string& line);
  // The same as a view into the reader's buffer, valid until the next call:
  // no line is copied.
  Result next(std::string_view& line);

 private:
  // Takes `fd`, open for reading, and closes it at the end; `name` is what
  // failures name.
  LineReader(int fd, std::string name, std::size_t longest);

  // Moves the unread bytes to the buffer's start and reads more after them;
  // false at the end of the file.
  bool refill();

  int fd_ = -1;
  std::string host_path_;
  std::size_t longest_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

}  // namespace verdan
