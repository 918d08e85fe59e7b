// A text kept in a fixed buffer with its whole length, laid out as a C
// struct's `char text[N]; size_t text_length;` pair, so that the plot state
// is the very memory the C interface hands out. A text the library makes
// never goes beyond N - 1 bytes: a longer one is refused (Failure 6), since
// a command cut short would be written as a wrong command.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/failure.h"

namespace verdan {

// `Gap` is the padding the C compiler puts between the buffer and its
// length field, which is aligned to size_t.
template <std::size_t N, std::size_t Gap = 0>
class FixedText {
 public:
  static constexpr std::size_t kCapacity = N - 1;

  FixedText() { set_length(0); }
  FixedText(std::string_view text) { assign(text); }  // NOLINT: a text as any string
  FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  FixedText& operator=(const std::string& text) { return *this = std::string_view(text); }
  FixedText& operator=(const char* text) { return *this = std::string_view(text); }

  void assign(std::string_view text) {
    if (text.size() > kCapacity) refuse(text.size());
    const std::size_t kept = text.size();
    if (kept > 0) std::memmove(storage_, text.data(), kept);
    storage_[kept] = '\0';
    set_length(text.size());
  }
  FixedText& operator+=(std::string_view more) {
    const std::size_t kept = size();
    if (more.size() > kCapacity - kept) refuse(kept + more.size());
    const std::size_t room = kCapacity - kept;
    const std::size_t added = std::min(more.size(), room);
    if (added > 0) std::memcpy(storage_ + kept, more.data(), added);
    storage_[kept + added] = '\0';
    set_length(length() + more.size());
    return *this;
  }
  void clear() { assign({}); }

  // Room to build a text in place: fill up to kCapacity bytes at data(),
  // then `finish` with how many.
  char* data() { return reinterpret_cast<char*>(storage_); }
  void finish(std::size_t size) {
    if (size > kCapacity) refuse(size);
    storage_[size] = '\0';
    set_length(size);
  }

  // The whole length, as the C caller reads it.
  std::size_t length() const {
    std::size_t n;
    std::memcpy(&n, storage_ + N + Gap, sizeof n);
    return n;
  }
  // The bytes kept.
  std::size_t size() const { return std::min(length(), kCapacity); }
  bool empty() const { return length() == 0; }
  std::string_view view() const { return {reinterpret_cast<const char*>(storage_), size()}; }
  // Takes the text up to its NUL as the whole text: a C caller writes the
  // bytes and leaves the length as it was.
  void take_c_text() { set_length(strnlen(reinterpret_cast<const char*>(storage_), N)); }

  operator std::string_view() const { return view(); }  // NOLINT
  operator std::string() const { return std::string(view()); }  // NOLINT
  std::size_t find(std::string_view s, std::size_t pos = 0) const { return view().find(s, pos); }
  std::string substr(std::size_t pos, std::size_t n = std::string_view::npos) const {
    return std::string(view().substr(pos, n));
  }
  std::size_t rfind(std::string_view s, std::size_t pos = std::string_view::npos) const {
    return view().rfind(s, pos);
  }

  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }
  friend std::ostream& operator<<(std::ostream& out, const FixedText& t) { return out << t.view(); }

 private:
  [[noreturn]] static void refuse(std::size_t length) {
    fail(kOverflow, "a plot text of " + std::to_string(length) + " bytes, more than " + std::to_string(kCapacity));
  }

  void set_length(std::size_t n) { std::memcpy(storage_ + N + Gap, &n, sizeof n); }

  unsigned char storage_[N + Gap + sizeof(std::size_t)];
};

}  // namespace verdan
