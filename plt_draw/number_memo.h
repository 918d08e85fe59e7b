// The texts of numbers a drawing writes again and again, kept by value. A
// frame's node coordinates come back at every member that meets the node,
// so a plot of a million members converts a few thousand numbers and copies
// the rest.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

namespace verdan {

// `Value` is float or double; texts longer than `Room` bytes are written
// each time. A value is known by its bits, so -0 and 0, or two NaNs, are
// never taken for one another.
template <typename Value, std::size_t Room>
class NumberMemo {
  using Bits = std::conditional_t<sizeof(Value) == 4, std::uint32_t, std::uint64_t>;

 public:
  static constexpr std::size_t kRoom = Room;

  // Copies the kept text of `value` to `out`, which has room for at least
  // `Room` bytes; null when none is kept. Small enough to be inlined where
  // the numbers are written, apart from put().
  char* copy(char* out, Value value) const {
    if (!sets_) return nullptr;
    const Bits bits = std::bit_cast<Bits>(value);
    for (const Entry& e : sets_[index(bits)].ways) {
      if (e.length != 0 && e.bits == bits) {
        std::memcpy(out, e.text, Room);
        return out + e.length;
      }
    }
    return nullptr;
  }

  // Writes the text of `value` at `out`, which has room for at least `Room`
  // bytes, through `write(char* out) -> char* end` unless the text is kept.
  template <typename Write>
  char* put(char* out, Value value, Write write) {
    if (char* end = copy(out, value)) return end;
    const Bits bits = std::bit_cast<Bits>(value);
    if (!sets_) sets_ = std::make_unique<Set[]>(kSets);
    Set& set = sets_[index(bits)];
    char* const end = write(out);
    const auto length = static_cast<std::size_t>(end - out);
    if (length <= Room) {
      // The newest goes first; the older of the two goes.
      set.ways[1] = set.ways[0];
      Entry& e = set.ways[0];
      e.bits = bits;
      e.length = static_cast<std::uint8_t>(length);
      std::memcpy(e.text, out, length);
    }
    return end;
  }

 private:
  struct Entry {
    Bits bits = 0;
    std::uint8_t length = 0;  // 0: empty
    char text[Room];
  };
  struct Set {
    Entry ways[2];
  };
  // 4096 sets of two: a drawing's few thousand recurring values rarely
  // meet three in one set.
  static constexpr int kSetBits = 12;
  static constexpr std::size_t kSets = std::size_t{1} << kSetBits;

  static std::size_t index(Bits bits) {
    if constexpr (sizeof(Bits) == 4) {
      return static_cast<std::size_t>((bits * 0x9E3779B1u) >> (32 - kSetBits));
    } else {
      return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> (64 - kSetBits));
    }
  }

  std::unique_ptr<Set[]> sets_;
};

}  // namespace verdan
