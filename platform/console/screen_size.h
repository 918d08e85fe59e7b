// The text screen's size in cells, shared by the model, its damage and the
// label placement.
#pragma once

namespace verdan {

inline constexpr int kScreenRows = 24;
inline constexpr int kScreenColumns = 80;

}  // namespace verdan
