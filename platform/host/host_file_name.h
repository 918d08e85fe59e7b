// One name of a DOS-form path as the host's UTF-8 name. The mapping is
// one-to-one, or one name could reach the file of another.
#pragma once

#include <string>
#include <string_view>

namespace verdan {

// The UTF-8 form of a CP932 name. Bytes that CP932 gives no character (a
// lead byte before a "/", a lone lead byte, an unassigned code) would all
// become U+FFFD, so they are Failure 64 (bad file name), naming the bytes.
std::string host_file_name(std::string_view dos_name);

}  // namespace verdan
