#include "plt_draw/held_text.h"

namespace verdan {

void HeldText::append(std::string_view text) {
  // Once spooling, straight to the spool's writer.
  if (spool_writer_) {
    spool_writer_->write(text);
    return;
  }
  constexpr std::size_t kSmall = 64 * 1024;
  if (memory_.size() + text.size() > kSmall && memory_.capacity() < kMemoryLimit) memory_.reserve(kMemoryLimit);
  memory_ += text;
  if (memory_.size() < kMemoryLimit) return;
  if (!spool_) {
    spool_ = std::make_unique<SpoolSink>();
    spool_writer_ = std::make_unique<WriteBehind>(*spool_);
  }
  spool_writer_->write(memory_);
  memory_.clear();
}

void HeldText::clear() {
  memory_.clear();
  memory_.shrink_to_fit();
  spool_writer_.reset();
  spool_.reset();
}

void HeldText::replay(const std::function<void(std::string_view)>& out) {
  if (spool_) {
    spool_writer_->finish();
    spool_->file.replay(out);
  }
  if (!memory_.empty()) out(memory_);
}

void HeldText::write_to(TextSink& out) {
  if (spool_) {
    spool_writer_->finish();
    out.write_spool(spool_->file);
  }
  if (!memory_.empty()) out.write(memory_);
}

std::string HeldText::all() {
  std::string text;
  replay([&text](std::string_view part) { text += part; });
  return text;
}

}  // namespace verdan
