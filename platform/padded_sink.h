// A sink that fills a buffer of its own and takes short pieces from callers
// whose bytes lie in a buffer readable for kPadded bytes from their start:
// such a piece goes as copies of fixed size, inline, with no call. Millions
// of plot commands are written this way. What to do with a full buffer is
// the kind's own: write() takes any piece.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/text_sink.h"

namespace verdan {

class PaddedSink : public TextSink {
 public:
  static constexpr std::size_t kPadded = 256;

  void write_padded(std::string_view bytes) {
    constexpr std::size_t kPiece = 64;
    if (bytes.size() <= kPadded && kPadded <= room_ - used_) {
      char* const to = buffer_ + used_;
      for (std::size_t done = 0; done < bytes.size(); done += kPiece) {
        std::memcpy(to + done, bytes.data() + done, kPiece);
      }
      used_ += bytes.size();
      column_ += static_cast<int>(bytes.size());
    } else {
      write_unpadded(bytes);
    }
  }
  void end_line() override;
  int column() const override { return column_; }

 protected:
  // write(), out of line: the inline part above stays small enough to be
  // inlined where millions of commands end.
  void write_unpadded(std::string_view bytes);

  char* buffer_ = nullptr;  // room_ bytes, the first used_ of them filled
  std::size_t room_ = 0;
  std::size_t used_ = 0;
  int column_ = 0;
};

// Bytes collected in memory, the buffer growing as needed and kept when
// cleared, for a piece of output made aside and written later.
class PaddedMemorySink final : public PaddedSink {
 public:
  void write(std::string_view bytes) override;
  std::string_view text() const { return {buffer_, used_}; }
  void clear() {
    used_ = 0;
    column_ = 0;
  }

 private:
  std::unique_ptr<char[]> storage_;
};

}  // namespace verdan
