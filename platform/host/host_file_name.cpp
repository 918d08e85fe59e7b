#include "platform/host/host_file_name.h"

#include <cstdio>

#include "platform/codec/cp932.h"
#include "platform/failure.h"

namespace verdan {

std::string host_file_name(std::string_view dos_name) {
  const std::size_t at = undefined_char_at(dos_name);
  if (at == std::string_view::npos) return to_utf8(dos_name);
  std::string bytes;
  for (std::size_t i = at; i < at + char_length(dos_name, at); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%s%02X", bytes.empty() ? "" : " ", static_cast<unsigned char>(dos_name[i]));
    bytes += hex;
  }
  fail(kBadFileName, "bytes " + bytes + " of no character in a name at byte " + std::to_string(at + 1));
}

}  // namespace verdan
