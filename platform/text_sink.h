// Where PRINT-style output goes: a console window or a text file. A sink
// keeps its output column so that zones line up the same on screen and in
// files.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

class TextSink {
 public:
  virtual ~TextSink() = default;
  // Writes CP932 bytes that hold no line end.
  virtual void write(std::string_view bytes) = 0;
  // Ends the line: CR LF in a file, the next row on a console.
  virtual void end_line() = 0;
  // Output column of the next byte, 0 at the start of a line.
  virtual int column() const = 0;
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
