// The fixed head of a JW_CAD drawing file: four 200-byte text blocks and the
// binary block of scales and layer states, and the layer names at its end.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace verdan {

inline constexpr int kLayerGroups = 16;
inline constexpr std::size_t kTextBlock = 200;

// What the first reading of the intermediate file found.
struct JwcSurvey {
  std::array<float, kLayerGroups> group_scales;  // from each group's set-up line
  int groups = 0;
  std::int64_t lines = 0;
  std::int64_t circles = 0;
  std::int64_t texts = 0;
  std::int64_t text_total = 0;  // text bytes with their zero bytes
  std::string title_1, title_2, setup;  // the first group's three "i" texts

  JwcSurvey() { group_scales.fill(1); }
};

// The four text blocks and the binary block (2421 bytes), or nothing when
// the first group's set-up line is too long for its block. Titles too long
// for the first block are cut there.
std::optional<std::string> jwc_head(const JwcSurvey& survey);

// The size of every head jwc_head() makes.
std::size_t jwc_head_size();

// The closing part: 16 x 128 bytes of layer names, then 256 blanks.
std::string jwc_tail();

}  // namespace verdan
