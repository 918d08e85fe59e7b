// What a device holds back until its end (DXF's entities, which must follow
// the layer table that only the end knows): in memory while small, then in
// a spool file, so a drawing of any size takes the same memory. The spool
// is written behind the caller, who is drawing meanwhile.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/host/large_memory.h"
#include "platform/host/spool_file.h"
#include "platform/text_sink.h"
#include "platform/write_behind.h"

namespace verdan {

class HeldText {
 public:
  // Held in memory up to this many bytes.
  static constexpr std::size_t kMemoryLimit = std::size_t{1} << 20;

  void append(std::string_view text);
  // As append, for a text in a buffer readable for PaddedSink::kPadded
  // bytes from its start (a device command): copied inline once spooling.
  void append_padded(std::string_view text) {
    if (spool_writer_) {
      spool_writer_->write_padded(text);
    } else {
      append(text);
    }
  }
  void clear();
  bool empty() const { return memory_.empty() && !spool_; }
  // Whether it went past its memory into the spool, and what its memory holds.
  bool spooled() const { return spool_ != nullptr; }
  std::size_t memory_size() const { return memory_.size(); }
  // Hands everything held to `out`, in order.
  void replay(const std::function<void(std::string_view)>& out);
  // Writes everything held to `out`, in order: a spool as a spool, which a
  // file has the host copy.
  void write_to(TextSink& out);
  // Everything held, as one text (for small drawings and checks).
  std::string all();

 private:
  // The spool as a sink for the writing thread.
  class SpoolSink final : public TextSink {
   public:
    void write(std::string_view bytes) override { file.append(bytes); }
    void end_line() override { write("\r\n"); }
    int column() const override { return 0; }
    SpoolFile file;
  };

  // Grown at once to the limit once past a small text: no copies on the way
  // there, and the limit on large pages.
  std::basic_string<char, std::char_traits<char>, LargeAllocator<char>> memory_;
  std::unique_ptr<SpoolSink> spool_;
  std::unique_ptr<WriteBehind> spool_writer_;  // goes before spool_
};

}  // namespace verdan
