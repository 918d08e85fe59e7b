// Reading the JW_CAD intermediate file a record at a time. Every record is
// a kind byte and a body: "i" text up to LF, "s" 22 bytes, "e" 32 bytes (each
// then LF), "m" 24 bytes and a text ending in a zero byte and LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/host/files.h"
#include "platform/read_ahead.h"
#include "plt_draw/plot_state.h"

namespace verdan {

// Body sizes of the fixed part of the drawing records.
inline constexpr std::size_t kLineBody = 22;
inline constexpr std::size_t kCircleBody = 32;
inline constexpr std::size_t kTextBody = 24;

class RecordReader {
 public:
  // The old end-of-file mark: it ends a text as LF does.
  static constexpr char kEndOfText = 26;

  explicit RecordReader(std::string_view dos_path);

  // The next kind byte (0-255), or -1 at the end of the file.
  int kind() {
    mark_ = pos_;
    if (pos_ == chunk_size_ && !refill(1)) return -1;
    return static_cast<unsigned char>(data_[pos_++]);
  }

  struct Record {
    std::string_view fixed;  // the fixed part, possibly short
    std::string_view text;   // "i" and "m": the text, without its LF
    // The whole body was there: the fixed part, the LF behind "s" and "e",
    // and for "m" a text ending in a zero byte and LF.
    bool complete = true;
  };

  // Reads the body of a record of `kind` (whose kind byte was just read);
  // other kinds have no body. The views hold until the next read. Inline
  // for a line record already in the chunk, as nearly every record is.
  Record read(int kind) {
    if (kind == 's' && chunk_size_ - pos_ > kLineBody) {
      mark_ = pos_;
      pos_ += kLineBody + 1;
      return {std::string_view(data_ + mark_, kLineBody), {}, data_[pos_ - 1] == '\n'};
    }
    return read_any(kind);
  }

  // The unread bytes in the chunk, from the next kind byte on: whole records
  // among them may be taken in a run, then passed over with skip().
  std::string_view ahead() const { return {data_ + pos_, chunk_size_ - pos_}; }
  void skip(std::size_t bytes) { pos_ += bytes; }

 private:
  // Makes `count` unread bytes available, keeping those from mark_ on;
  // false when the file has fewer. Inline: nearly always they are there.
  bool refill(std::size_t count) { return chunk_size_ - pos_ >= count || refill_chunk(count); }
  bool refill_chunk(std::size_t count);
  Record read_any(int kind);
  // Bytes up to LF, 26 or the end; `stop` gets the byte that ended it, or -1.
  std::string_view read_text(int& stop);

  ReadAhead file_;
  // The bytes read and not yet passed: where the file was read, or spill_.
  const char* data_ = nullptr;
  std::size_t chunk_size_ = 0;
  // A record longer than a block's lead, with the bytes read after it;
  // the bytes read are its tail while `spilled_`.
  std::string spill_;
  bool spilled_ = false;
  std::size_t pos_ = 0;
  std::size_t mark_ = 0;  // start of the record being read
};

// Reads the body of one record whose kind byte `kind` has been read: returns
// the fixed part and leaves the text ("i", "m") in plot_cmd. A body cut short
// by the end of the file is Failure 62.
std::string JWH(PlotState& state, int kind, RecordReader& file);

}  // namespace verdan
