// A device's command built on the stack or in plot_cmd itself, its numbers
// written straight in, then kept in plot_cmd and written to the plot file:
// a drawing of millions of commands builds no string. A command past
// plot_cmd's room is refused whole when it is finished, as plot_cmd refuses
// any text too long.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "platform/padded_sink.h"
#include "plt_draw/culc.h"
#include "plt_draw/mm_text.h"
#include "plt_draw/plot_state.h"
#include "shared/free_format.h"
#include "shared/plot_numbers.h"

namespace verdan {

// Asks for a command built in plot_cmd itself, which saves copying it
// there: only for one that cannot outgrow plot_cmd and cannot fail once its
// first byte is written, since a failure would leave plot_cmd's old length
// over the new bytes; and whose pieces are not read from plot_cmd.
struct InPlotCmd {};
inline constexpr InPlotCmd in_plot_cmd{};

class DeviceCommand {
 public:
  explicit DeviceCommand(PlotState& state) : s_(state), bytes_(aside_) {}
  DeviceCommand(PlotState& state, InPlotCmd) : s_(state), bytes_(state.plot_cmd.data()) {}
  DeviceCommand(const DeviceCommand&) = delete;
  DeviceCommand& operator=(const DeviceCommand&) = delete;

  DeviceCommand& operator<<(std::string_view text) {
    add(text.data(), text.size());
    return *this;
  }
  DeviceCommand& operator<<(char c) {
    add(&c, 1);
    return *this;
  }
  // A printer's character head (printed_text.h): a label's every
  // character starts with it, so it goes as one block of fixed size where
  // it fits one, without a call to copy.
  DeviceCommand& operator<<(const PlotState::CharacterHead& head) {
    constexpr std::size_t kBlock = 64;
    static_assert(sizeof head.bytes >= kBlock);
    if (head.size <= kBlock && size_ <= kCommandSize - kBlock) {
      std::memcpy(bytes_ + size_, head.bytes, kBlock);
      size_ += head.size;
      return *this;
    }
    return *this << std::string_view(head.bytes, head.size);
  }
  // Room for at most `most` more bytes, which the caller writes without a
  // check each (a command part of bounded size, millions of times), then
  // ends with written_to(). Failure 6, nothing written, where the command
  // has no such room left.
  char* room(std::size_t most) {
    if (size_ > kCommandSize - most) refuse_room();
    return bytes_ + size_;
  }
  void written_to(const char* end) { size_ = static_cast<std::size_t>(end - bytes_); }

  // A character's one or two bytes, one at a time.
  DeviceCommand& character_bytes(std::string_view bytes) {
    for (char c : bytes) add(&c, 1);
    return *this;
  }
  // As a std::string appends, for pieces that build either.
  void append(std::string_view text) { add(text.data(), text.size()); }

  // A number as N2A writes it. Inline, with the other numbers the devices
  // write for every line: a plot of millions of lines calls them millions
  // of times, and the memo mostly answers.
  DeviceCommand& number(float value) {
    return kept(s_.n2a_texts, value) ? *this : new_number(value);
  }
  // A point's device coordinate, origin included: origin + floor(v * scale)
  // as N2A writes it.
  DeviceCommand& x(float x) { return number(device_x(s_, x)); }
  DeviceCommand& y(float y) { return number(device_y(s_, y)); }
  // floor(v) in the LIPS integer code.
  DeviceCommand& culc(float value) {
    if (size_ > kCommandSize - 3) return culc_at_end(value);
    size_ = static_cast<std::size_t>(write_culc(bytes_ + size_, value) - bytes_);
    return *this;
  }
  // The intermediate file's binary fields: a single (its bits, least
  // significant byte first), a 32-bit whole number.
  DeviceCommand& single(float value) {
    char bytes[4];
    add(bytes, static_cast<std::size_t>(write_f2x(bytes, value) - bytes));
    return *this;
  }
  DeviceCommand& whole32(float value);
  // Millimetres as the drawing files write them.
  DeviceCommand& mm(double value) { return kept(s_.mm_texts, value) ? *this : new_mm(value); }

  // The command so far; only meaningful while it fits plot_cmd.
  std::string_view view() const { return {bytes_, size_ < kCommandSize ? size_ : kCommandSize}; }

  // Keeps the command in plot_cmd (Failure 6 when it does not fit) and
  // writes it to the plot file. Every primitive ends here: inline for a
  // command that fits and an open file.
  void emit() {
    keep();
    // A padded sink takes it without a call: the buffer is readable past
    // the command.
    static_assert(PaddedSink::kPadded <= kCommandSize);
    if (s_.plot_file == s_.plot_behind && s_.plot_behind != nullptr) {
      s_.plot_behind->write_padded(view());
    } else {
      plot_write(s_, view());
    }
  }
  // Keeps it in plot_cmd only. A command too long is refused before
  // plot_cmd changes, as it is built aside.
  void keep() {
    if (in_place() || size_ > FixedText<kCommandSize>::kCapacity) {
      s_.plot_cmd.finish(size_);
    } else {
      s_.plot_cmd = view();
    }
  }

 private:
  void add(const char* data, std::size_t size) {
    // Once past the buffer, only counting: the room left is none, not the
    // difference taken below zero.
    if (size_ <= kCommandSize && size <= kCommandSize - size_) {
      std::memcpy(bytes_ + size_, data, size);
    } else if (size_ < kCommandSize) {
      std::memcpy(bytes_ + size_, data, kCommandSize - size_);
    }
    size_ += size;
  }
  // Adds the memo's text of `value` when it has one and the command has
  // room for it; the other cases convert, out of line.
  template <typename Memo, typename Value>
  bool kept(const Memo& memo, Value value) {
    if (size_ > kCommandSize - Memo::kRoom) return false;
    char* const end = memo.copy(bytes_ + size_, value);
    if (end == nullptr) return false;
    size_ = static_cast<std::size_t>(end - bytes_);
    return true;
  }
  DeviceCommand& new_number(float value);
  DeviceCommand& new_mm(double value);
  DeviceCommand& culc_at_end(float value);
  [[noreturn]] static void refuse_room();
  // Writes through `write(char* out) -> char* end`, which takes at most
  // `Most` bytes.
  template <std::size_t Most, typename Write>
  DeviceCommand& put(Write write) {
    if (size_ <= kCommandSize && Most <= kCommandSize - size_) {
      size_ = static_cast<std::size_t>(write(bytes_ + size_) - bytes_);
    } else {
      char piece[Most];
      add(piece, static_cast<std::size_t>(write(piece) - piece));
    }
    return *this;
  }

  bool in_place() const { return bytes_ != aside_; }

  PlotState& s_;
  std::size_t size_ = 0;  // every byte given, those past the buffer counted only
  char* const bytes_;     // kCommandSize bytes: aside_ or plot_cmd's
  char aside_[kCommandSize];
};

}  // namespace verdan
