// Where PRINT-style output goes: a console window or a text file. A sink
// keeps its output column so that zones line up the same on screen and in
// files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace verdan {

class SpoolFile;

class TextSink {
 public:
  virtual ~TextSink() = default;
  // Writes CP932 bytes that hold no line end.
  virtual void write(std::string_view bytes) = 0;
  // Ends the line: CR LF in a file, the next row on a console.
  virtual void end_line() = 0;
  // Writes a line's bytes and ends it; a file does both in one step.
  virtual void write_line(std::string_view bytes) {
    if (!bytes.empty()) write(bytes);
    end_line();
  }
  // A line made in place, for outputs of millions of lines: room for at
  // most `most` bytes, valid until end_line_at() is given where they end.
  // A file gives room in its own buffer, so the line is never copied.
  virtual char* line_room(std::size_t most) {
    line_.resize(most);
    return line_.data();
  }
  virtual void end_line_at(const char* end) {
    write_line(std::string_view(line_.data(), static_cast<std::size_t>(end - line_.data())));
  }
  // Output column of the next byte, 0 at the start of a line.
  virtual int column() const = 0;
  // Writes every byte of `spool` (what a drawing held back, megabytes of
  // it); a file has the host copy them from file to file where it can.
  virtual void write_spool(SpoolFile& spool);
  // Whether write_spool() would have the host copy `spool` (else it goes
  // through write()).
  virtual bool copies_spool(const SpoolFile& /*spool*/) const { return false; }
  // The bytes written so far, where the sink can later write over some of
  // them (a file's replacement); -1 where it cannot. The bytes are on
  // their way to the file when it answers.
  virtual std::int64_t rewritable_size() { return -1; }
  // Puts `bytes` in place of the `length` bytes at `offset`, all of which
  // rewritable_size() counted; what follows them moves along where the two
  // sizes differ. A Failure where the sink cannot.
  virtual void rewrite(std::int64_t offset, std::int64_t length, std::string_view bytes);

 private:
  std::string line_;
};

// A sink that collects a text file's bytes in memory.
class StringSink : public TextSink {
 public:
  void write(std::string_view bytes) override {
    text_.append(bytes);
    column_ += static_cast<int>(bytes.size());
  }
  void end_line() override {
    text_ += "\r\n";
    column_ = 0;
  }
  int column() const override { return column_; }
  const std::string& text() const { return text_; }
  void clear() {
    text_.clear();
    column_ = 0;
  }

 private:
  std::string text_;
  int column_ = 0;
};

}  // namespace verdan
