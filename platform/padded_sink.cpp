#include "platform/padded_sink.h"

#include <algorithm>

namespace verdan {

void PaddedSink::write_unpadded(std::string_view bytes) { write(bytes); }

void PaddedSink::end_line() {
  write("\r\n");
  column_ = 0;
}

void PaddedMemorySink::write(std::string_view bytes) {
  if (bytes.size() > room_ - used_) {
    // Twice the room at least, so a piece made of millions of commands is
    // copied a few times only; never without room for a padded piece.
    const std::size_t room = std::max({2 * room_, used_ + bytes.size() + kPadded, std::size_t{64} << 10});
    std::unique_ptr<char[]> storage(new char[room]);  // not zeroed: written before read
    if (used_ > 0) std::memcpy(storage.get(), buffer_, used_);
    storage_ = std::move(storage);
    buffer_ = storage_.get();
    room_ = room;
  }
  if (!bytes.empty()) std::memcpy(buffer_ + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  column_ += static_cast<int>(bytes.size());
}

}  // namespace verdan
