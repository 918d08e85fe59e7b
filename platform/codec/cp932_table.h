// The CP932 mapping tables, generated from the system iconv by
// scripts/make_cp932_table.py. Only the codec reads them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace verdan::cp932_table {

inline constexpr std::uint16_t kNone = 0xFFFF;  // byte or code without a character
inline constexpr int kTrailFirst = 0x40;
inline constexpr int kTrailCount = 0xFC - 0x40 + 1;

struct Pair {
  std::uint16_t unicode;
  std::uint16_t code;  // single byte below 0x100, else lead << 8 | trail
};

extern const std::uint16_t kSingle[256];
// Indexed by lead slot (0x81-0x9F then 0xE0-0xFC) * kTrailCount + trail - 0x40.
extern const std::uint16_t kDouble[];
// Sorted by code point; iconv's choice where several codes share a character.
extern const Pair kFromUnicode[];
extern const std::size_t kFromUnicodeCount;

}  // namespace verdan::cp932_table
