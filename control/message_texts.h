// The fixed texts the control program writes into the environment file for
// the analysis program: the labels and menu of lines 2 to 14 and the 205
// message texts. UTF-8 here; written as CP932.
#pragma once

#include <array>
#include <cstddef>

namespace verdan {

inline constexpr std::size_t kMessageTextCount = 205;

// Message texts 1 to 205 at indices 0 to 204.
extern const std::array<const char*, kMessageTextCount> kMessageTexts;

// The user-number label of line 2; an old-layout file has it as field 5.
inline constexpr const char* kUserNumberLabel = "社 員 番 号 ＝";
inline constexpr const char* kUserNumberLabelOld = "User's Number ＝";

}  // namespace verdan
