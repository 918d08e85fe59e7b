#include "plt_draw/record_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/failure.h"

namespace verdan {
namespace {

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

// An intermediate file is read once: what was written past the host's cache
// is read past it too, rather than copied through it.
File read_once(std::string_view dos_path) {
  File file = File::open_input(dos_path);
  file.read_past_cache_from(PastCache::kFromReadAgain);
  return file;
}

}  // namespace

RecordReader::RecordReader(std::string_view dos_path) : file_(read_once(dos_path)) {}

bool RecordReader::refill_chunk(std::size_t count) {
  // The bytes from mark_ on are kept.
  data_ += mark_;
  chunk_size_ -= mark_;
  pos_ -= mark_;
  mark_ = 0;
  while (chunk_size_ - pos_ < count && !file_.done()) {
    std::string_view kept(data_, chunk_size_);
    if (kept.size() <= ReadAhead::kLead) {
      kept = file_.next(kept);
      spilled_ = false;
    } else {
      // A record longer than a block's lead grows here, the file's next
      // bytes appended.
      if (spilled_) {
        spill_.erase(0, spill_.size() - kept.size());
      } else {
        spill_.assign(kept);
      }
      spill_.append(file_.next({}));
      kept = spill_;
      spilled_ = true;
    }
    data_ = kept.data();
    chunk_size_ = kept.size();
  }
  return chunk_size_ - pos_ >= count;
}

std::string_view RecordReader::read_text(int& stop) {
  // pos_ stays on the text's first byte until its end is found, so that a
  // refill keeps the whole text in one piece.
  std::size_t scanned = 0;
  for (;;) {
    const std::size_t available = chunk_size_ - pos_;
    const char* begin = data_ + pos_;
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
      std::string_view rest(data_ + pos_, chunk_size_ - pos_);
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
    record.fixed = std::string_view(data_ + pos_, chunk_size_ - pos_);
    pos_ = chunk_size_;
    record.complete = false;
    return record;
  }
  pos_ += want;
  if (kind != 'm') {
    record.fixed = std::string_view(data_ + mark_, size);
    record.complete = data_[pos_ - 1] == '\n';
    return record;
  }
  int stop = 0;
  record.text = read_text(stop);
  // A refill inside the text may have moved the chunk; mark_ moved with it.
  record.fixed = std::string_view(data_ + mark_, size);
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
