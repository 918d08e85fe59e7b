// Output masks: a text written character by character in which "#" is a
// digit position and "." the decimal point of a numeric field, "&", blanks
// and a closing "&" a text field of that width, a lone "&" a text field as
// long as its text, "_" makes the next character plain, and "+" or "-"
// touching a numeric field show its sign. Everything else is written as is.
//
// A number too wide for its field is written whole after a "%" (1234 in
// "###" gives "%1234"), so a large node number is never cut into a wrong
// one. A field rounds the value's free-format digits (6 significant for
// single precision, 15 for double) half up to the decimals it shows.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "shared/byte_buffer.h"

namespace verdan {

// One value for a mask field: a single- or double-precision number, or text.
class MaskValue {
 public:
  enum class Kind { single, double_precision, integer, text };
  MaskValue(float v) : kind_(Kind::single), number_(v) {}
  MaskValue(double v) : kind_(Kind::double_precision), number_(v) {}
  MaskValue(int v) : kind_(Kind::integer), number_(v), integer_(v) {}
  MaskValue(long v) : kind_(Kind::integer), number_(static_cast<double>(v)), integer_(v) {}
  MaskValue(std::string_view v) : kind_(Kind::text), text_(v) {}
  MaskValue(const char* v) : kind_(Kind::text), text_(v) {}
  MaskValue(const std::string& v) : kind_(Kind::text), text_(v) {}

  Kind kind() const { return kind_; }
  double number() const { return number_; }
  long long integer() const { return integer_; }
  std::string_view text() const { return text_; }

 private:
  Kind kind_;
  double number_ = 0;
  long long integer_ = 0;
  std::string_view text_;
};

// Appends the mask filled with `values` to `out`. Values fill the fields from
// left to right; with values left over the mask starts again, and output stops
// at the first field that has no value left. A text for a numeric field or a
// number for a text field is a type mismatch failure (code 13); values for a
// mask without fields an illegal function call (code 5).
void apply_mask(ByteBuffer& out, std::string_view mask, const MaskValue* values, std::size_t count);

inline std::string apply_mask(std::string_view mask, std::initializer_list<MaskValue> values) {
  ByteBuffer out;
  apply_mask(out, mask, values.begin(), values.size());
  return std::string(out.view());
}

}  // namespace verdan
