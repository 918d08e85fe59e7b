// Numbers read from the front of a typed entry.
#include <cstdint>
#include <string_view>

#include "shared/leading_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view entry(reinterpret_cast<const char*>(data), size);
  volatile float a = verdan::leading_number(entry);
  volatile float b = verdan::leading_decimal(entry);
  static_cast<void>(a);
  static_cast<void>(b);
  return 0;
}
