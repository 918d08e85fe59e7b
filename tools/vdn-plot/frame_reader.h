// Reading a VERDAN data file in two steps: the header, the counts and the
// nodes, then the members and the closing lines. The members may be read on
// another thread than the nodes, handed one by one to a sink.
#pragma once

#include <string_view>

#include "platform/host/line_reader.h"
#include "tools/vdn-plot/frame_data.h"
#include "tools/vdn-plot/line_numbers.h"

namespace verdan::plot_tool {

// Where the members go as they are read.
class MemberSink {
 public:
  virtual void add(const Member& member) = 0;

 protected:
  ~MemberSink() = default;
};

// A count of more than six digits, which the file holds rounded, is taken
// from the lines. File failures are Failures; anything malformed, a line of
// more than 4096 bytes among it, is a DataFileError naming its line.
class FrameReader {
 public:
  // Opens the data file at `dos_path`.
  explicit FrameReader(std::string_view dos_path);
  // Reads standard input.
  static FrameReader standard_input();

  FrameReader(const FrameReader&) = delete;
  FrameReader& operator=(const FrameReader&) = delete;

  // The header, the counts and the nodes.
  void read_nodes(FrameNodes& nodes);
  // The members, each to `sink` in file order, then the closing lines; after
  // read_nodes().
  void read_members(MemberSink& sink);

 private:
  struct FromStandardInput {};
  explicit FrameReader(FromStandardInput);

  // The next line as a view into the reader's buffer; false at the end.
  bool next(std::string_view& line);
  // The next line, which must be there.
  std::string_view next(const char* expected);
  // The line just read is beyond the bound.
  [[noreturn]] void too_long() const;
  // The file ended where `expected` should be.
  [[noreturn]] void ended(const std::string& expected) const;
  // Gives the line just read back, to be read again as something else.
  void hold();

  LineReader reader_;
  std::string_view last_;  // valid until the reader reads on
  bool held_ = false;
  int number_ = 0;  // of the line last read
  int node_count_ = 0;
  int members_low_ = 0, members_high_ = 0;  // what the member count stands for
  int closing_ = 0;
  CheckedTail tail_;  // of the member lines
};

}  // namespace verdan::plot_tool
