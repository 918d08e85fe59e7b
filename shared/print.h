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

// One output operation being put together; it goes to the sink in one
// write, so a long file costs one sink call a line, not one an item.
class PrintLine {
 public:
  PrintLine(ByteBuffer& bytes, int start_column) : bytes_(bytes), start_column_(start_column) {}
  ByteBuffer& bytes() { return bytes_; }
  // Output column of the next byte, counted from the start of the line.
  int column() const { return start_column_ + static_cast<int>(bytes_.size()); }

 private:
  ByteBuffer& bytes_;
  int start_column_;
};

// The single items; print() strings them together.
void print_item(PrintLine& line, float value);
void print_item(PrintLine& line, double value);
void print_item(PrintLine& line, long long value);
inline void print_item(PrintLine& line, int value) { print_item(line, static_cast<long long>(value)); }
inline void print_item(PrintLine& line, long value) { print_item(line, static_cast<long long>(value)); }
inline void print_item(PrintLine& line, std::string_view text) { line.bytes().append(text); }
inline void print_item(PrintLine& line, const char* text) { line.bytes().append(std::string_view(text)); }
inline void print_item(PrintLine& line, const std::string& text) { line.bytes().append(text); }
void print_item(PrintLine& line, Zone);
inline void print_item(PrintLine&, Stay) {}
void print_item(PrintLine& line, const Using& mask);

// The buffer print() assembles its line in, kept for the next call.
ByteBuffer& print_scratch();

template <typename... Items>
void print(TextSink& sink, const Items&... items) {
  if constexpr (sizeof...(Items) > 0) {
    ByteBuffer& bytes = print_scratch();
    bytes.clear();
    PrintLine line(bytes, sink.column());
    (print_item(line, items), ...);
    using Last = std::remove_cvref_t<decltype((items, ...))>;
    if constexpr (!std::is_same_v<Last, Zone> && !std::is_same_v<Last, Stay>) {
      sink.write_line(bytes.view());
    } else if (!bytes.empty()) {
      sink.write(bytes.view());
    }
  } else {
    sink.end_line();
  }
}

}  // namespace verdan
