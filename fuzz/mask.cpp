// PRINT USING masks: the input up to its first zero byte is the mask, the
// rest gives the values (a number each 8 bytes, or texts).
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "shared/mask.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string_view mask = input.substr(0, cut);
  std::string_view rest = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  std::vector<verdan::MaskValue> values;
  while (rest.size() >= 9 && values.size() < 16) {
    double number;
    std::memcpy(&number, rest.data() + 1, sizeof number);
    switch (rest[0] % 4) {
      case 0: values.emplace_back(static_cast<float>(number)); break;
      case 1: values.emplace_back(number); break;
      case 2: values.emplace_back(static_cast<long>(number == number && number > -1e18 && number < 1e18 ? number : 0)); break;
      default: values.emplace_back(rest.substr(1, 8)); break;
    }
    rest.remove_prefix(9);
  }
  verdan::ByteBuffer out;
  try {
    verdan::apply_mask(out, mask, values.data(), values.size());
  } catch (const verdan::Failure&) {
    // A type mismatch or a mask without fields is the caller's failure.
  }
  return 0;
}
