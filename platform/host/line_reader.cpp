#include "platform/host/line_reader.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/host/dos_path.h"
#include "platform/host/file_calls.h"
#include "platform/host/file_kinds.h"
#include "platform/host/host_error.h"
#include "platform/host/standard_streams.h"

namespace verdan {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

LineReader::LineReader(std::string_view dos_path, std::size_t longest)
    : host_path_(host_path(dos_path)), longest_(longest), buffer_(kBlockSize) {
  fd_ = open_regular(host_path_, O_RDONLY);
}

LineReader LineReader::standard_input(std::size_t longest) {
  const std::string name = "standard input";
  const int fd = host::own_standard_stream(host::kStandardInput);
  if (fd < 0) fail_from_errno(errno, "open", name);
  return LineReader(fd, name, longest);
}

LineReader::LineReader(int fd, std::string name, std::size_t longest)
    : fd_(fd), host_path_(std::move(name)), longest_(longest), buffer_(kBlockSize) {}

LineReader::~LineReader() {
  if (fd_ >= 0) host::close_file(fd_);
}

bool LineReader::refill() {
  pos_ = end_ = 0;
  const long n = host::read_file(fd_, buffer_.data(), buffer_.size());
  if (n < 0) fail_from_errno(errno, "read", host_path_);
  end_ = static_cast<std::size_t>(n);
  return n > 0;
}

LineReader::Result LineReader::next(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !refill()) break;
    any = true;
    const char* start = buffer_.data() + pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
    const std::size_t n = lf != nullptr ? static_cast<std::size_t>(lf - start) : end_ - pos_;
    // The CR of a CR LF may stand just past the bound.
    if (line.size() + n > longest_ + 1) {
      const std::size_t take = line.size() < longest_ ? longest_ - line.size() : 0;
      line.append(start, take);
      line.resize(longest_);
      return Result::too_long;
    }
    line.append(start, n);
    pos_ += n;
    if (lf != nullptr) {
      ++pos_;
      break;
    }
  }
  if (!any) return Result::end;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > longest_) {
    line.resize(longest_);
    return Result::too_long;
  }
  return Result::line;
}

}  // namespace verdan
