// PRINT-style output onto any text sink (a console or a text file), written
// once so that zones and masks come out alike on screen and in files.
//
//   print(file, n, zone, m)          numbers in the free format, zone separated,
//                                    then the line end
//   print(file, "text", stay)        no line end: the line stays open
//   print(file, Using("###", {k}))   a mask filled with values
//
// The line ends unless the last item is `zone` or `stay`.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/failure.h"
#include "platform/text_sink.h"
#include "shared/mask.h"

namespace verdan {

inline constexpr int kZoneWidth = 14;

// The comma kind of separator: blanks up to the next multiple of 14.
struct Zone {};
inline constexpr Zone zone{};
// A trailing semicolon: the operation ends without a line end.
struct Stay {};
inline constexpr Stay stay{};

// A mask with its values (at most eight a mask).
class Using {
 public:
  Using(std::string_view mask, std::initializer_list<MaskValue> values) : mask_(mask) {
    if (values.size() > values_.size()) fail(kIllegalFunctionCall, "too many values for one mask");
    for (const MaskValue& v : values) values_[count_++] = v;
  }
  std::string_view mask() const { return mask_; }
  const MaskValue* values() const { return values_.data(); }
  std::size_t count() const { return count_; }

 private:
  std::string_view mask_;
  std::array<MaskValue, 8> values_{0, 0, 0, 0, 0, 0, 0, 0};
  std::size_t count_ = 0;
};

// The single items; print() strings them together.
void print_item(TextSink& sink, float value);
void print_item(TextSink& sink, double value);
void print_item(TextSink& sink, long long value);
inline void print_item(TextSink& sink, int value) { print_item(sink, static_cast<long long>(value)); }
inline void print_item(TextSink& sink, long value) { print_item(sink, static_cast<long long>(value)); }
inline void print_item(TextSink& sink, std::string_view text) { sink.write(text); }
inline void print_item(TextSink& sink, const char* text) { sink.write(text); }
inline void print_item(TextSink& sink, const std::string& text) { sink.write(text); }
void print_item(TextSink& sink, Zone);
inline void print_item(TextSink&, Stay) {}
void print_item(TextSink& sink, const Using& mask);

template <typename... Items>
void print(TextSink& sink, const Items&... items) {
  (print_item(sink, items), ...);
  if constexpr (sizeof...(Items) == 0) {
    sink.end_line();
  } else {
    using Last = std::remove_cvref_t<decltype((items, ...))>;
    if constexpr (!std::is_same_v<Last, Zone> && !std::is_same_v<Last, Stay>) sink.end_line();
  }
}

}  // namespace verdan
