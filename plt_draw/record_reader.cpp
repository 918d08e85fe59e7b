#include "plt_draw/record_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/failure.h"

namespace verdan {
namespace {

// A quarter of a large page or more: on one, where the host has them.
constexpr std::size_t kChunk = 512 * 1024;

std::size_t fixed_size(int kind) {
  switch (kind) {
    case 's':
      return kLineBody;
    case 'e':
      return kCircleBody;
    case 'm':
      return kTextBody;
    default:
      return 0;
  }
}

}  // namespace

RecordReader::RecordReader(std::string_view dos_path)
    : file_(File::open_input(dos_path)), length_(file_.length()) {}

bool RecordReader::refill_chunk(std::size_t count) {
  const std::size_t left = chunk_size_ - pos_;
  if (taken_ >= length_) return false;
  if (mark_ > 0) std::memmove(chunk_.get(), chunk_.get() + mark_, chunk_size_ - mark_);
  chunk_size_ -= mark_;
  pos_ -= mark_;
  mark_ = 0;
  auto take = static_cast<std::size_t>(std::min<std::int64_t>(
      static_cast<std::int64_t>(std::max(kChunk, count - left)), length_ - taken_));
  if (chunk_size_ + take > chunk_room_) {
    const std::size_t room = std::max(2 * chunk_room_, chunk_size_ + take);
    PastCache::Block larger = PastCache::make_block(room);
    if (chunk_size_ > 0) std::memcpy(larger.get(), chunk_.get(), chunk_size_);
    chunk_ = std::move(larger);
    chunk_room_ = room;
  }
  file_.read_into(chunk_.get() + chunk_size_, take);
  chunk_size_ += take;
  taken_ += static_cast<std::int64_t>(take);
  return chunk_size_ - pos_ >= count;
}

std::string_view RecordReader::read_text(int& stop) {
  // pos_ stays on the text's first byte until its end is found, so that a
  // refill keeps the whole text in one piece.
  std::size_t scanned = 0;
  for (;;) {
    const std::size_t available = chunk_size_ - pos_;
    const char* begin = chunk_.get() + pos_;
    for (; scanned < available; ++scanned) {
      const char c = begin[scanned];
      if (c == '\n' || c == kEndOfText) {
        stop = static_cast<unsigned char>(c);
        pos_ += scanned + 1;
        return {begin, scanned};
      }
    }
    if (!refill(available + 1)) {
      stop = -1;
      std::string_view rest(chunk_.get() + pos_, chunk_size_ - pos_);
      pos_ = chunk_size_;
      return rest;
    }
  }
}

RecordReader::Record RecordReader::read_any(int kind) {
  Record record;
  mark_ = pos_;
  if (kind == 'i') {
    int stop = 0;
    record.text = read_text(stop);
    return record;
  }
  const std::size_t size = fixed_size(kind);
  if (size == 0) return record;
  // "s" and "e" are followed by LF; "m" by its text.
  const std::size_t want = kind == 'm' ? size : size + 1;
  if (!refill(want)) {
    record.fixed = std::string_view(chunk_.get() + pos_, chunk_size_ - pos_);
    pos_ = chunk_size_;
    record.complete = false;
    return record;
  }
  pos_ += want;
  if (kind != 'm') {
    record.fixed = std::string_view(chunk_.get() + mark_, size);
    record.complete = chunk_[pos_ - 1] == '\n';
    return record;
  }
  int stop = 0;
  record.text = read_text(stop);
  // A refill inside the text may have moved the chunk; mark_ moved with it.
  record.fixed = std::string_view(chunk_.get() + mark_, size);
  record.complete = stop == '\n' && !record.text.empty() && record.text.back() == '\0';
  return record;
}

std::string JWH(PlotState& state, int kind, RecordReader& file) {
  state.plot_cmd.clear();
  RecordReader::Record record = file.read(kind);
  if (record.fixed.size() < fixed_size(kind)) fail(kInputPastEnd, "intermediate file ends inside a record");
  state.plot_cmd.assign(record.text);
  return std::string(record.fixed);
}

}  // namespace verdan
