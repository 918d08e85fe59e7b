#include "platform/host/line_reader.h"

#include <fcntl.h>

#include <algorithm>
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

// Past the bytes read: the LF after a last line without one, then the bytes
// a parser may read past a line.
constexpr std::size_t kPastEnd = 1 + LineReader::kReadablePastLine;

// Large blocks: a data file of a gigabyte is read in few calls, while the
// memory stays bounded whatever the file. With what lies past them, one
// large page.
constexpr std::size_t kBlockSize = LargeMemory::kLargePage - kPastEnd;

}  // namespace

LineReader::LineReader(std::string_view dos_path, std::size_t longest)
    : host_path_(host_path(dos_path)), longest_(longest), buffer_(std::max(kBlockSize, longest + 2) + kPastEnd) {
  fd_ = open_regular(host_path_, O_RDONLY);
}

LineReader LineReader::standard_input(std::size_t longest) {
  const std::string name = "standard input";
  const int fd = host::own_standard_stream(host::kStandardInput);
  if (fd < 0) fail_from_errno(errno, "open", name);
  return LineReader(fd, name, longest);
}

LineReader::LineReader(int fd, std::string name, std::size_t longest)
    : fd_(fd), host_path_(std::move(name)), longest_(longest), buffer_(std::max(kBlockSize, longest + 2) + kPastEnd) {}

LineReader::~LineReader() {
  if (fd_ >= 0) host::close_file(fd_);
}

bool LineReader::refill() {
  const std::size_t kept = end_ - pos_;
  if (kept > 0 && pos_ > 0) std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
  pos_ = 0;
  end_ = kept;
  const long n = host::read_file(fd_, buffer_.data() + end_, buffer_.size() - kPastEnd - end_);
  if (n < 0) fail_from_errno(errno, "read", host_path_);
  end_ += static_cast<std::size_t>(n);
  buffer_[end_] = '\n';
  return n > 0;
}

LineReader::Result LineReader::next_from_anywhere(std::string_view& line) {
  std::size_t searched = 0;  // bytes from pos_ known to hold no LF
  for (;;) {
    const char* start = buffer_.data() + pos_;
    const std::size_t available = end_ - pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start + searched, '\n', available - searched));
    std::size_t n = lf != nullptr ? static_cast<std::size_t>(lf - start) : available;
    // The CR of a CR LF may stand just past the bound.
    if (n > longest_ + 1) {
      line = std::string_view(start, longest_);
      return Result::too_long;
    }
    if (lf == nullptr) {
      searched = available;
      // The buffer holds at least a line of the bound and its line end, so
      // a line shorter than that always fits once moved to the start.
      if (refill()) continue;
      if (available == 0) return Result::end;
      start = buffer_.data();  // the refill moved the last line there
    }
    pos_ += lf != nullptr ? n + 1 : n;
    if (n > 0 && start[n - 1] == '\r') --n;
    line = std::string_view(start, n);
    if (n > longest_) {
      line = line.substr(0, longest_);
      return Result::too_long;
    }
    return Result::line;
  }
}

LineReader::Result LineReader::next(std::string& line) {
  std::string_view view;
  const Result result = next(view);
  line.assign(view);
  return result;
}

}  // namespace verdan
