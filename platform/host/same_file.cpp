#include "platform/host/same_file.h"

#include <filesystem>
#include <string>

#include "platform/host/dos_path.h"
#include "platform/host/standard_streams.h"
#include "platform/failure.h"

namespace verdan {
namespace {

std::filesystem::path normal_host_path(std::string_view dos_path) {
  const std::filesystem::path host = host_path(dos_path);
  std::error_code lost_directory;
  const std::filesystem::path whole = std::filesystem::absolute(host, lost_directory);
  return (lost_directory ? host : whole).lexically_normal();
}

}  // namespace

bool same_file(std::string_view dos_a, std::string_view dos_b) {
  try {
    const std::filesystem::path a = normal_host_path(dos_a);
    const std::filesystem::path b = normal_host_path(dos_b);
    if (a == b) return true;
    std::error_code absent;
    return std::filesystem::equivalent(a, b, absent);
  } catch (const Failure&) {
    return false;
  }
}

bool same_file_as_stream(int stream, std::string_view dos_path) {
  try {
    return host::standard_stream_is(stream, host_path(dos_path));
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace verdan
