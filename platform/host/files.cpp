#include "platform/host/files.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/host/dos_path.h"
#include "platform/host/file_kinds.h"
#include "platform/failure.h"
#include "platform/host/file_calls.h"
#include "platform/host/written_files.h"
#include "platform/host/host_error.h"
#include "platform/host/past_cache.h"
#include "platform/host/replacement_names.h"
#include "platform/host/spool_file.h"
#include "platform/host/stop_request.h"

namespace verdan {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
// A text file that grows past this goes on in blocks of this size: the host
// copies large writes into the page cache much more cheaply.
constexpr std::size_t kLargeBlockSize = std::size_t{1} << 20;
// A replacement is sent on to the medium in pieces of this size as it is
// written, so that the sync before its rename finds little left to do and
// the disk works while the program makes the rest.
constexpr std::int64_t kWritebackStep = std::int64_t{2} << 20;
// DOS ends a text at this byte; what follows it is no part of the text.
constexpr char kEndOfFileMark = 26;

// Opens an output: a regular file, or where `special` allows, a device or
// FIFO in place. `flags` are those for a regular file; a special one is
// never created or truncated.
int open_output_file(const std::string& host, int flags, SpecialFile special, bool& in_place) {
  host::FileStatus info;
  in_place = host::file_status(host, info) == 0 && !info.regular;
  if (!in_place) return open_regular(host, flags);
  if (info.directory || special == SpecialFile::refuse) fail_not_regular(host, info.type);
  return open_special_for_writing(host, flags & ~(O_CREAT | O_TRUNC | O_EXCL));
}

host::FileStatus stat_or_fail(const std::string& host) {
  host::FileStatus info;
  if (host::file_status(host, info) != 0) fail_from_errno(errno, "stat", host);
  return info;
}

// Whether the name exists as a directory (`want_directory`) or as anything
// else; names that are not there at all are false, other failures report.
bool exists_as(std::string_view dos_path, bool want_directory) {
  const std::string host = host_path(dos_path);
  host::FileStatus info;
  if (host::file_status(host, info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    fail_from_errno(errno, "stat", host);
  }
  return info.directory == want_directory;
}

// Opens an existing file for reading; an absent one is made when `create`.
// -1 when the name is absent (and, with `create`, cannot be made here: a
// read-only place holds no file). A missing directory still fails (55).
int open_absent_as_none(const std::string& host, bool create) {
  for (;;) {
    int fd = host::open_file_at_once(host, O_RDONLY);
    if (fd >= 0) return fd;
    int err = errno;
    if (err != ENOENT || failure_code(err, HostSubject::file, host) != kFileNotFound) {
      fail_from_errno(err, "open", host);
    }
    if (!create) return -1;
    fd = host::open_file(host, O_RDONLY | O_CREAT | O_EXCL);
    if (fd >= 0) return fd;
    // Made by someone else meanwhile: open that one.
    if (errno != EEXIST) return -1;
  }
}

// A run killed before its rename left its temporary; nobody else will.
// Once a directory and run is enough, and spares a large data directory a
// listing on every replacement.
void sweep_host_directory(const std::string& host_dir) {
  static std::set<std::string> swept;
  if (swept.insert(host_dir).second) remove_dead_temporaries(host_dir);
}

// The whole file, or nothing when it does not exist.
std::optional<std::string> read_whole(const std::string& host) {
  host::FileStatus info;
  if (host::file_status(host, info) != 0 && errno == ENOENT) return std::nullopt;
  int fd = open_regular(host, O_RDONLY);
  std::string bytes;
  char block[kBlockSize];
  for (;;) {
    long n = host::read_file(fd, block, sizeof block);
    if (n < 0) {
      int err = errno;
      host::close_file(fd);
      fail_from_errno(err, "read", host);
    }
    if (n == 0) break;
    bytes.append(block, static_cast<std::size_t>(n));
  }
  host::close_file(fd);
  return bytes;
}

}  // namespace

// ---- File ----

File::File(int fd, std::string host_path)
    : fd_(fd), host_path_(std::move(host_path)), buffer_(kBlockSize) {}

File File::open_input(std::string_view dos_path) {
  std::string host = host_path(dos_path);
  int fd = open_regular(host, O_RDONLY);
  return File(fd, std::move(host));
}

File File::open_text(std::string_view dos_path) {
  File file = open_input(dos_path);
  file.stops_at_mark_ = true;
  return file;
}

File File::open_random(std::string_view dos_path) {
  std::string host = host_path(dos_path);
  int fd = open_regular(host, O_RDWR | O_CREAT);
  return File(fd, std::move(host));
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      host_path_(std::move(other.host_path_)),
      buffer_(std::move(other.buffer_)),
      pos_(other.pos_),
      end_(other.end_),
      drained_(other.drained_),
      stops_at_mark_(other.stops_at_mark_),
      offset_(other.offset_),
      past_cache_(other.past_cache_),
      past_cache_from_(other.past_cache_from_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) host::close_file(fd_);
    fd_ = std::exchange(other.fd_, -1);
    host_path_ = std::move(other.host_path_);
    buffer_ = std::move(other.buffer_);
    pos_ = other.pos_;
    end_ = other.end_;
    drained_ = other.drained_;
    stops_at_mark_ = other.stops_at_mark_;
    offset_ = other.offset_;
    past_cache_ = other.past_cache_;
    past_cache_from_ = other.past_cache_from_;
  }
  return *this;
}

File::~File() {
  if (fd_ >= 0) host::close_file(fd_);
}

std::size_t File::fill(std::size_t count) {
  if (end_ - pos_ >= count) return count;
  if (fd_ < 0) fail(kBadFileNumber, "read from a closed file " + host::shown_path(host_path_));
  if (pos_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (buffer_.size() < count) buffer_.resize(count);
  // The buffer is no aligned block.
  past_cache_.want(fd_, false);
  while (end_ < count && !drained_) {
    long n = host::read_file(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail_from_errno(errno, "read", host_path_);
    }
    if (n == 0) drained_ = true;
    offset_ += n;
    const std::size_t read_from = end_;
    end_ += static_cast<std::size_t>(n);
    if (stops_at_mark_) {
      const void* mark = std::memchr(buffer_.data() + read_from, kEndOfFileMark, end_ - read_from);
      if (mark != nullptr) {
        end_ = static_cast<std::size_t>(static_cast<const char*>(mark) - buffer_.data());
        drained_ = true;
      }
    }
  }
  return std::min(count, end_ - pos_);
}

void File::fail_past_end() const { fail(kInputPastEnd, "input past end of " + host::shown_path(host_path_)); }

void File::fail_too_long() const {
  fail(kLineBufferOverflow,
       "a line longer than " + std::to_string(kLongestTextLine) + " bytes in " + host::shown_path(host_path_));
}

bool File::eof() { return fill(1) == 0; }

bool File::at_line_end() {
  std::size_t available = fill(2);
  if (available == 0) return false;
  char c = buffer_[pos_];
  return c == '\n' || (c == '\r' && available == 2 && buffer_[pos_ + 1] == '\n');
}

void File::skip_line_end() { pos_ += buffer_[pos_] == '\r' ? 2 : 1; }

std::string File::read_line() {
  if (eof()) fail_past_end();
  std::string line;
  // LF and CR are never second bytes of a double-byte character.
  while (fill(1) > 0) {
    const char* start = buffer_.data() + pos_;
    const void* lf = std::memchr(start, '\n', end_ - pos_);
    if (lf != nullptr) {
      std::size_t n = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
      line.append(start, n);
      pos_ += n + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > kLongestTextLine) fail_too_long();
      return line;
    }
    // The CR of a CR LF may stand just past the bound.
    if (line.size() + (end_ - pos_) > kLongestTextLine + 1) fail_too_long();
    line.append(start, end_ - pos_);
    pos_ = end_;
  }
  if (line.size() > kLongestTextLine) fail_too_long();
  return line;
}

std::string File::read_field() {
  if (eof()) fail_past_end();
  for (std::size_t blanks = 0; fill(1) > 0 && buffer_[pos_] == ' '; ++pos_) {
    if (++blanks > kLongestTextLine) fail_too_long();
  }

  std::string field;
  std::size_t taken = 0;
  // Steps one character, keeping it in `field` when `keep`; false at a
  // comma or line end (or the end of the file), which stays unread.
  auto step = [&](bool keep, bool stop_at_quote) {
    if (fill(1) == 0 || at_line_end()) return false;
    if (++taken > kLongestTextLine) fail_too_long();
    char c = buffer_[pos_];
    if (c == ',' && !stop_at_quote) return false;
    if (c == '"' && stop_at_quote) return false;
    std::size_t n = is_lead_byte(static_cast<unsigned char>(c)) && fill(2) == 2 ? 2 : 1;
    if (keep) field.append(buffer_.data() + pos_, n);
    pos_ += n;
    return true;
  };

  if (fill(1) > 0 && buffer_[pos_] == '"') {
    ++pos_;
    while (step(true, true)) {
    }
    if (fill(1) > 0 && buffer_[pos_] == '"') {
      ++pos_;
      while (step(false, false)) {
      }
    }
  } else {
    while (step(true, false)) {
    }
    while (!field.empty() && field.back() == ' ') field.pop_back();
  }

  if (fill(1) > 0 && buffer_[pos_] == ',') {
    ++pos_;
  } else if (at_line_end()) {
    skip_line_end();
  }
  return field;
}

void File::read_bytes(std::string& out, std::size_t count) {
  if (fill(count) < count) fail_past_end();
  out.append(buffer_.data() + pos_, count);
  pos_ += count;
}

void File::read_into(char* out, std::size_t count) {
  // A text file's end mark is looked for in the buffer.
  if (stops_at_mark_) {
    if (fill(count) < count) fail_past_end();
  }
  const std::size_t buffered = std::min(count, end_ - pos_);
  std::memcpy(out, buffer_.data() + pos_, buffered);
  pos_ += buffered;
  std::size_t done = buffered;
  while (done < count) {
    if (fd_ < 0) fail(kBadFileNumber, "read from a closed file " + host::shown_path(host_path_));
    past_cache_.want(fd_, past_cache_from_ >= 0 && offset_ >= past_cache_from_ &&
                              PastCache::fits(offset_, out + done, count - done));
    const long n = host::read_file(fd_, out + done, count - done);
    if (n < 0 && past_cache_.refused(fd_, errno)) continue;
    if (n < 0) {
      if (errno == EINTR) continue;
      fail_from_errno(errno, "read", host_path_);
    }
    offset_ += n;
    if (n == 0) {
      drained_ = true;
      fail_past_end();
    }
    done += static_cast<std::size_t>(n);
  }
}

std::int64_t File::length() const {
  host::FileStatus info;
  if (host::open_file_status(fd_, info) != 0) fail_from_errno(errno, "fstat", host_path_);
  return info.size;
}

void File::rewind() {
  if (host::seek_file(fd_, 0) != 0) fail_from_errno(errno, "seek", host_path_);
  pos_ = end_ = 0;
  offset_ = 0;
  drained_ = false;
}

void File::close() {
  if (fd_ < 0) return;
  int fd = std::exchange(fd_, -1);
  if (host::close_file(fd) != 0) fail_from_errno(errno, "close", host_path_);
}

// ---- TextFile ----

TextFile::TextFile(int fd, std::string host_path, std::string temp_path)
    : fd_(fd),
      host_path_(std::move(host_path)),
      temp_path_(std::move(temp_path)),
      buffer_(PastCache::make_block(kBlockSize)),
      capacity_(kBlockSize) {}

TextFile TextFile::open_output(std::string_view dos_path, SpecialFile special) {
  std::string host = host_path(dos_path);
  bool in_place = false;
  int fd = open_output_file(host, O_WRONLY | O_CREAT | O_TRUNC, special, in_place);
  return TextFile(fd, std::move(host), "");
}

TextFile TextFile::open_append(std::string_view dos_path, SpecialFile special) {
  std::string host = host_path(dos_path);
  bool in_place = false;
  int fd = open_output_file(host, O_WRONLY | O_CREAT | O_APPEND, special, in_place);
  // What went to a printer or a pipe cannot be taken back.
  if (in_place) {
    TextFile file(fd, std::move(host), "");
    file.appends_ = true;
    return file;
  }
  host::FileStatus info;
  if (host::open_file_status(fd, info) != 0) {
    int err = errno;
    host::close_file(fd);
    fail_from_errno(err, "fstat", host);
  }
  TextFile file(fd, std::move(host), "");
  file.append_start_ = info.size;
  file.appends_ = true;
  return file;
}

TextFile TextFile::open_replacing(std::string_view dos_path, SpecialFile special) {
  std::string host = link_target(host_path(dos_path));
  host::FileStatus old;
  bool has_old = host::file_status(host, old) == 0;
  if (has_old && !old.regular) {
    if (old.directory || special == SpecialFile::refuse) fail_not_regular(host, old.type);
    // A printer or a pipe is written where it is; commit() just closes it.
    const int fd = open_special_for_writing(host, O_WRONLY);
    return TextFile(fd, std::move(host), "");
  }

  // Beside the file, so the rename stays on its drive ("C:FRAME" is in drive
  // C's current directory, wherever this program stands).
  const std::string dir = host::parent_directory(host);
  sweep_host_directory(dir);
  // The temporary name does not grow with the target's, so a long name fits.
  const std::string stem = temporary_stem(dir);
  for (int attempt = 0;; ++attempt) {
    std::string temp = stem + std::to_string(attempt);
    // Read as well as written: rewrite() moves bytes inside it.
    int fd = host::open_file(temp, O_RDWR | O_CREAT | O_EXCL);
    if (fd < 0) {
      if (errno == EEXIST && attempt < 100) continue;
      fail_from_errno(errno, "create", temp);
    }
    TextFile file(fd, std::move(host), std::move(temp));
    // The new file keeps the old one's permissions.
    if (has_old && host::keep_permissions(fd, old.permissions) != 0) {
      fail_from_errno(errno, "chmod", file.temp_path_);
    }
    return file;
  }
}

TextFile TextFile::text_replacement(std::string_view dos_path, bool keep_text) {
  std::optional<std::string> old = read_whole(host_path(dos_path));
  const std::size_t mark = old ? old->find(kEndOfFileMark) : std::string::npos;
  if (keep_text && mark == std::string::npos) return open_append(dos_path);
  TextFile file = open_replacing(dos_path);
  if (mark != std::string::npos) {
    if (keep_text) file.write(std::string_view(*old).substr(0, mark));
    file.trailer_ = old->substr(mark);
  }
  file.column_ = 0;
  return file;
}

TextFile TextFile::open_text_append(std::string_view dos_path) { return text_replacement(dos_path, true); }

TextFile TextFile::open_text_replacing(std::string_view dos_path) { return text_replacement(dos_path, false); }

TextFile::TextFile(TextFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      host_path_(std::move(other.host_path_)),
      temp_path_(std::exchange(other.temp_path_, "")),
      append_start_(std::exchange(other.append_start_, -1)),
      trailer_(std::exchange(other.trailer_, "")),
      buffer_(std::move(other.buffer_)),
      capacity_(std::exchange(other.capacity_, 0)),
      used_(std::exchange(other.used_, 0)),
      column_(other.column_),
      written_(std::exchange(other.written_, 0)),
      sent_on_(std::exchange(other.sent_on_, 0)),
      sync_behind_(std::move(other.sync_behind_)),
      past_cache_(other.past_cache_),
      past_cache_from_(other.past_cache_from_),
      appends_(other.appends_),
      quiet_(other.quiet_) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = std::exchange(other.fd_, -1);
    host_path_ = std::move(other.host_path_);
    temp_path_ = std::exchange(other.temp_path_, "");
    append_start_ = std::exchange(other.append_start_, -1);
    trailer_ = std::exchange(other.trailer_, "");
    buffer_ = std::move(other.buffer_);
    capacity_ = std::exchange(other.capacity_, 0);
    used_ = std::exchange(other.used_, 0);
    column_ = other.column_;
    written_ = std::exchange(other.written_, 0);
    sent_on_ = std::exchange(other.sent_on_, 0);
    sync_behind_ = std::move(other.sync_behind_);
    past_cache_ = other.past_cache_;
    past_cache_from_ = other.past_cache_from_;
    appends_ = other.appends_;
    quiet_ = other.quiet_;
  }
  return *this;
}

TextFile::~TextFile() { release(); }

void TextFile::release() noexcept {
  // Stopped first: no sync may reach a descriptor closed and used again.
  sync_behind_.reset();
  if (fd_ >= 0) {
    if (append_start_ >= 0) {
      undo_append();
    } else if (temp_path_.empty()) {
      // Runs while a failure unwinds; a second failure here has nowhere to go.
      try {
        flush();
      } catch (...) {
      }
    }
    host::close_file(fd_);
    fd_ = -1;
  }
  if (!temp_path_.empty()) {
    host::delete_file(temp_path_);
    temp_path_.clear();
  }
  used_ = 0;
}

// Best effort when unwinding: the failure that brought the program here is
// the one shown.
bool TextFile::undo_append() noexcept {
  int result = fd_ >= 0 ? host::cut_open_file(fd_, append_start_) : host::cut_file(host_path_, append_start_);
  append_start_ = -1;
  used_ = 0;
  return result == 0;
}

// An append that failed half-way is cut back and closed at once; when it
// cannot be cut back the user must know, or a retry would add it twice.
void TextFile::fail_appending(int err, std::string_view what) {
  const std::int64_t start = append_start_;
  const bool undone = undo_append();
  const int undo_err = errno;
  if (fd_ >= 0) host::close_file(std::exchange(fd_, -1));
  host::FileStatus now;
  const bool grown = !undone && (host::file_status(host_path_, now) != 0 || now.size > start);
  try {
    fail_from_errno(err, what, host_path_);
  } catch (const Failure& failure) {
    if (!grown) throw;
    throw Failure(failure.code(), std::string(failure.what()) + "; " + host::shown_path(host_path_) +
                                      " may now hold part of this append after byte " + std::to_string(start) +
                                      " (not cut back: " + std::strerror(undo_err) + ")");
  }
}

void TextFile::flush() { write_out(buffer_.get(), used_); }

// A file that may go past the cache sends the buffer up to the last whole
// block of the file, and keeps the rest at the buffer's start: its writes
// after the first are whole blocks at whole offsets.
void TextFile::make_room() {
  std::size_t size = used_;
  if (may_pass_cache()) {
    const std::size_t past_block = static_cast<std::size_t>(written_ + static_cast<std::int64_t>(used_)) %
                                   PastCache::kBlockAlignment;
    if (past_block < used_) size -= past_block;
  }
  write_out(buffer_.get(), size);
}

void TextFile::write_out(const char* data, std::size_t size) {
  // A large output is where a request to stop waits longest.
  stop_if_requested();
  // Such a replacement grows past the cache in the whole blocks of a
  // writer behind the program; the rest of its writes go through it.
  if (size > 0) {
    past_cache_.want(fd_, may_pass_cache() && PastCache::fits(written_, data, size));
  }
  std::size_t done = 0;
  while (done < size) {
    long n = host::write_file(fd_, data + done, size - done);
    if (n < 0 && past_cache_.refused(fd_, errno)) continue;
    if (n < 0) {
      int err = errno;
      // What did not go out stays buffered, so nothing is lost silently.
      if (append_start_ >= 0) fail_appending(err, "write");
      if (data == buffer_.get()) {
        std::memmove(buffer_.get(), buffer_.get() + done, used_ - done);
        used_ -= done;
      }
      fail_from_errno(err, "write", host_path_);
    }
    done += static_cast<std::size_t>(n);
  }
  written_ += static_cast<std::int64_t>(size);
  if (data == buffer_.get()) {
    used_ -= size;
    if (capacity_ < kLargeBlockSize && written_ >= static_cast<std::int64_t>(kLargeBlockSize)) {
      PastCache::Block larger = PastCache::make_block(kLargeBlockSize);
      std::memcpy(larger.get(), buffer_.get() + size, used_);
      buffer_ = std::move(larger);
      capacity_ = kLargeBlockSize;
    } else if (used_ > 0) {
      std::memmove(buffer_.get(), buffer_.get() + size, used_);
    }
  }
  send_on();
}

void TextFile::send_on() {
  if (temp_path_.empty()) return;
  if (written_ - sent_on_ >= kWritebackStep) {
    host::start_writeback(fd_, sent_on_, written_ - sent_on_);
    sent_on_ = written_;
  }
  // Past the writeback, the disk's own cache (or the host's, under a
  // virtual machine) holds the bytes until a sync: the sync before the
  // rename waited for tens of megabytes at 1 GB/s at the end of a plot
  // that made them at a third of that.
  if (written_ >= SyncBehind::kStep) {
    if (!sync_behind_) sync_behind_ = std::make_unique<SyncBehind>(fd_);
    sync_behind_->written(written_);
  }
}

void TextFile::stop_sync_behind() {
  if (!sync_behind_) return;
  const int err = sync_behind_->stop();
  sync_behind_.reset();
  if (err != 0) fail_from_errno(err, "fsync", temp_path_);
}

bool TextFile::copies_spool(const SpoolFile& spool) const {
  const bool may_grow_past_cache = past_cache_from_ >= 0 && !temp_path_.empty() &&
                                   written_ + static_cast<std::int64_t>(used_) + spool.size() >= past_cache_from_;
  return fd_ >= 0 && !appends_ && !may_grow_past_cache;
}

void TextFile::write_spool(SpoolFile& spool) {
  if (!copies_spool(spool)) {
    TextSink::write_spool(spool);
    return;
  }
  flush();
  stop_if_requested();
  spool.replay_into(
      fd_,
      [this](std::int64_t copied) {
        written_ += copied;
        column_ += static_cast<int>(copied);
        send_on();
        stop_if_requested();
      },
      [this](std::string_view bytes) { write(bytes); }, [this](int err) { fail_from_errno(err, "write", host_path_); });
}

std::int64_t TextFile::rewritable_size() {
  if (fd_ < 0 || temp_path_.empty() || !trailer_.empty()) return -1;
  return written_ + static_cast<std::int64_t>(used_);
}

void TextFile::rewrite(std::int64_t offset, std::int64_t length, std::string_view bytes) {
  const std::int64_t size = rewritable_size();
  if (size < 0 || offset < 0 || length < 0 || length > size - offset) {
    fail(kIllegalFunctionCall, "only a replacement's own bytes are written over");
  }
  flush();
  // Small transfers at any offset from here on.
  past_cache_.stop(fd_);
  const std::int64_t by = static_cast<std::int64_t>(bytes.size()) - length;
  if (by != 0) move_tail(offset + length, by);
  write_at(offset, bytes.data(), bytes.size());
  written_ += by;
  if (host::seek_file(fd_, written_) != 0) fail_from_errno(errno, "seek", host_path_);
}

// From the end when the bytes move on, from `from` when they move back, so
// no part is written over before it is read; a failure half-way leaves a
// replacement that is dropped, the old file whole.
void TextFile::move_tail(std::int64_t from, std::int64_t by) {
  const std::int64_t end = written_;
  char* const part = buffer_.get();
  const auto room = static_cast<std::int64_t>(capacity_);
  if (by > 0) {
    for (std::int64_t at = end; at > from;) {
      stop_if_requested();
      const std::int64_t size = std::min(room, at - from);
      at -= size;
      read_at(at, part, static_cast<std::size_t>(size));
      write_at(at + by, part, static_cast<std::size_t>(size));
    }
    return;
  }
  for (std::int64_t at = from; at < end; at += room) {
    stop_if_requested();
    const std::int64_t size = std::min(room, end - at);
    read_at(at, part, static_cast<std::size_t>(size));
    write_at(at + by, part, static_cast<std::size_t>(size));
  }
  if (host::cut_open_file(fd_, end + by) != 0) fail_from_errno(errno, "truncate", host_path_);
}

void TextFile::read_at(std::int64_t offset, char* data, std::size_t size) {
  if (host::seek_file(fd_, offset) != 0) fail_from_errno(errno, "seek", host_path_);
  for (std::size_t done = 0; done < size;) {
    const long n = host::read_file(fd_, data + done, size - done);
    // The file is this program's own: a short one was cut by someone else.
    if (n <= 0) fail_from_errno(n < 0 ? errno : EIO, "read", host_path_);
    done += static_cast<std::size_t>(n);
  }
}

void TextFile::write_at(std::int64_t offset, const char* data, std::size_t size) {
  if (host::seek_file(fd_, offset) != 0) fail_from_errno(errno, "seek", host_path_);
  for (std::size_t done = 0; done < size;) {
    const long n = host::write_file(fd_, data + done, size - done);
    if (n < 0) fail_from_errno(errno, "write", host_path_);
    done += static_cast<std::size_t>(n);
  }
}

void TextFile::write(std::string_view bytes) {
  if (fd_ < 0) fail(kBadFileNumber, "write to a closed file " + host::shown_path(host_path_));
  // A whole buffer's worth goes out as it is, never through the buffer.
  const auto no_room = [&] { return bytes.size() > capacity_ - used_ || bytes.size() == capacity_; };
  if (no_room()) make_room();
  if (no_room()) {
    flush();
    if (bytes.size() >= capacity_) {
      write_out(bytes.data(), bytes.size());
      column_ += static_cast<int>(bytes.size());
      return;
    }
  }
  std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  column_ += static_cast<int>(bytes.size());
}

void TextFile::end_line() {
  write("\r\n");
  column_ = 0;
}

// Most lines of a large output fit the buffer as they are: one copy.
void TextFile::write_line(std::string_view bytes) {
  if (fd_ >= 0 && bytes.size() + 2 <= capacity_ - used_) {
    char* out = buffer_.get() + used_;
    std::memcpy(out, bytes.data(), bytes.size());
    out[bytes.size()] = '\r';
    out[bytes.size() + 1] = '\n';
    used_ += bytes.size() + 2;
    column_ = 0;
    return;
  }
  write(bytes);
  end_line();
}

char* TextFile::line_room(std::size_t most) {
  room_in_buffer_ = fd_ >= 0 && most + 2 <= capacity_;
  if (!room_in_buffer_) return TextSink::line_room(most);
  if (most + 2 > capacity_ - used_) make_room();
  if (most + 2 > capacity_ - used_) flush();
  return buffer_.get() + used_;
}

void TextFile::end_line_at(const char* end) {
  if (!room_in_buffer_) {
    TextSink::end_line_at(end);
    return;
  }
  room_in_buffer_ = false;
  char* const start = buffer_.get() + used_;
  const auto length = static_cast<std::size_t>(end - start);
  start[length] = '\r';
  start[length + 1] = '\n';
  used_ += length + 2;
  column_ = 0;
}

int TextFile::column() const { return column_; }

void TextFile::close() {
  if (!temp_path_.empty()) {
    commit();
    return;
  }
  if (fd_ < 0) return;
  // A failed flush of an append has cut it back and closed it already.
  flush();
  const int fd = std::exchange(fd_, -1);
  if (host::close_file(fd) != 0) {
    const int err = errno;
    // The descriptor is gone either way: the cut goes by name.
    if (append_start_ >= 0) fail_appending(err, "close");
    fail_from_errno(err, "close", host_path_);
  }
  if (written_ > 0 && !quiet_) note_written_file(host_path_, appends_);
  append_start_ = -1;
}

void TextFile::commit() { commit_if_old_length(-1); }

void TextFile::commit_with_start(std::string_view start) {
  rewrite(0, static_cast<std::int64_t>(start.size()), start);
  commit();
}

bool TextFile::commit_if_old_length(std::int64_t length) {
  if (temp_path_.empty()) {
    close();
    return true;
  }
  if (!trailer_.empty()) write(std::exchange(trailer_, ""));
  flush();
  stop_sync_behind();
  // On disk before the name moves, so a crash leaves the old or the new file.
  if (host::sync_file(fd_) != 0) fail_from_errno(errno, "fsync", temp_path_);
  int fd = std::exchange(fd_, -1);
  if (host::close_file(fd) != 0) {
    int err = errno;
    release();
    fail_from_errno(err, "close", temp_path_);
  }
  // Last look before the rename: a writer that takes no lock may have
  // added to the old file since it was read.
  host::FileStatus old;
  if (length >= 0 && (host::file_status(host_path_, old) != 0 || old.size != length)) {
    release();
    return false;
  }
  if (host::replace_file(temp_path_, host_path_) != 0) {
    int err = errno;
    release();
    fail_from_errno(err, "rename", host_path_);
  }
  temp_path_.clear();
  note_written_file(host_path_, false);
  return true;
}

// ---- Free functions ----

std::int64_t file_length(std::string_view dos_path) {
  return stat_or_fail(host_path(dos_path)).size;
}

std::int64_t probe(std::string_view dos_path, EmptyProbe empty, SpecialFile special) {
  const std::string host = host_path(dos_path);
  host::FileStatus info;
  // Looked at before it is opened: opening a FIFO or a device may wait or act.
  const bool special_there = host::file_status(host, info) == 0 && !info.regular;
  if (special_there && (info.directory || special == SpecialFile::refuse)) fail_not_regular(host, info.type);
  if (special_there) return 0;
  int fd = open_absent_as_none(host, empty == EmptyProbe::keep);
  if (fd < 0) return 0;
  int stat_result = host::open_file_status(fd, info);
  int stat_errno = errno;
  host::FileStatus name;
  // Deleted only when the name itself is this regular file: not a link,
  // not something put in its place meanwhile.
  const bool deletable = info.size == 0 && empty == EmptyProbe::remove && stat_result == 0 && info.regular &&
                         host::name_status(host, name) == 0 && name.regular && name.device == info.device &&
                         name.inode == info.inode;
  if (host::close_file(fd) != 0) fail_from_errno(errno, "close", host);
  if (stat_result != 0) fail_from_errno(stat_errno, "fstat", host);
  if (!info.regular && (info.directory || special == SpecialFile::refuse)) fail_not_regular(host, info.type);
  // An empty file that cannot be deleted (a read-only place) is still none.
  if (deletable) host::delete_file(host);
  return info.regular ? info.size : 0;
}

void sweep_temporaries_beside(std::string_view dos_path) noexcept {
  try {
    sweep_host_directory(host::parent_directory(link_target(host_path(dos_path))));
  } catch (...) {
    // A name that does not map is reported where it is used.
  }
}

bool file_exists(std::string_view dos_path) { return exists_as(dos_path, false); }

bool directory_exists(std::string_view dos_path) { return exists_as(dos_path, true); }

bool regular_or_absent(std::string_view dos_path) {
  const std::string host = host_path(dos_path);
  host::FileStatus name;
  if (host::name_status(host, name) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return true;
    fail_from_errno(errno, "stat", host);
  }
  if (name.type != host::FileType::link) return name.regular;
  host::FileStatus target;
  if (host::file_status(host, target) != 0) return errno == ENOENT || errno == ENOTDIR || errno == ELOOP;
  return target.regular;
}

bool name_taken(std::string_view dos_path) {
  const std::string host = host_path(dos_path);
  host::FileStatus info;
  if (host::name_status(host, info) == 0) return true;
  if (errno == ENOENT || errno == ENOTDIR) return false;
  fail_from_errno(errno, "stat", host);
}

void delete_file(std::string_view dos_path) {
  const std::string host = host_path(dos_path);
  if (host::delete_file(host) != 0) fail_from_errno(errno, "delete", host);
}

void rename_file(std::string_view from_dos_path, std::string_view to_dos_path) {
  const std::string from = host_path(from_dos_path);
  const std::string to = host_path(to_dos_path);
  host::FileStatus info;
  if (host::name_status(from, info) != 0) fail_from_errno(errno, "rename", from);
  // DOS never renames over an existing name; the host would.
  if (host::name_status(to, info) == 0) fail_from_errno(EEXIST, "rename", to);
  if (host::rename_file(from, to) != 0) {
    int err = errno;
    fail_from_errno(err, "rename", err == ENOENT ? to : from);
  }
}

void make_directory(std::string_view dos_path) {
  const std::string host = host_path(dos_path);
  if (host::make_directory(host) != 0) {
    fail_from_errno(errno, "mkdir", host, HostSubject::directory);
  }
}

void change_directory(std::string_view dos_path) {
  const std::string host = host_path(dos_path);
  if (host::change_directory(host) != 0) fail_from_errno(errno, "chdir", host, HostSubject::directory);
}

void remove_directory(std::string_view dos_path) {
  const std::string host = host_path(dos_path);
  if (host::remove_directory(host) != 0) fail_from_errno(errno, "rmdir", host, HostSubject::directory);
}

}  // namespace verdan
