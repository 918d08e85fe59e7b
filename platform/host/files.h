// Files named by DOS-form paths: reading text and fields, writing text files
// (also as a safe replacement of an old file), probing, deleting, renaming and
// directories. Every failed system call becomes a Failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/file_kinds.h"
#include "platform/host/past_cache.h"
#include "platform/host/sync_behind.h"
#include "platform/text_sink.h"

namespace verdan {

// The longest line or field a text of the programs holds. Their lines are a
// few hundred bytes; a longer one is damage (a file filled with zeros after
// a crash), reported as such rather than taken into memory whole.
inline constexpr std::size_t kLongestTextLine = 4096;

// A regular file open for reading, read through a block buffer; anything
// else (a FIFO, a device) is refused unopened.
class File {
 public:
  // Opens an existing file for reading.
  static File open_input(std::string_view dos_path);
  // Opens an existing text file for reading; its text ends at the first DOS
  // end-of-file mark (byte 26) when it has one.
  static File open_text(std::string_view dos_path);
  // Opens for reading and writing, creating the file when absent.
  static File open_random(std::string_view dos_path);

  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // The bytes up to the next CR LF or LF, without them. Failure 62 at the
  // end, 23 for a line longer than kLongestTextLine.
  std::string read_line();
  // One field the way INPUT # reads it: leading blanks skipped; "quoted" text
  // up to its closing quote (the rest up to the next comma or line end is
  // dropped); else the text up to the next comma or line end, trailing blanks
  // dropped. The comma or line end is consumed. Failure 62 at the end, 23
  // for a field longer than kLongestTextLine.
  std::string read_field();
  // Appends the next `count` bytes to `out`. Failure 62 when fewer are left.
  void read_bytes(std::string& out, std::size_t count);
  // Puts the next `count` bytes at `out`, read there straight from the host
  // past what the buffer holds. Failure 62 when fewer are left.
  void read_into(char* out, std::size_t count);
  // True when no byte is left to read.
  bool eof();
  // Length in bytes.
  std::int64_t length() const;
  // Reads from the first byte again.
  void rewind();
  // Closes now, reporting a failure; the destructor closes silently.
  void close();
  // From byte `from` of the file on, read_into() takes whole aligned blocks
  // past the host's cache (past_cache.h): for a file of gigabytes read once,
  // whose later part was written past it.
  void read_past_cache_from(std::int64_t from) { past_cache_from_ = from; }

 private:
  File(int fd, std::string host_path);
  // Makes at least `count` unread bytes available if the file has them;
  // returns how many are.
  std::size_t fill(std::size_t count);
  bool at_line_end();
  void skip_line_end();
  [[noreturn]] void fail_past_end() const;
  [[noreturn]] void fail_too_long() const;

  int fd_ = -1;
  std::string host_path_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool drained_ = false;
  bool stops_at_mark_ = false;
  std::int64_t offset_ = 0;  // bytes read from the host
  PastCache past_cache_;
  std::int64_t past_cache_from_ = -1;  // never
};

// A text file being written: output, append, or the replacement of a file.
// The name must be a regular file (or absent) unless `special` says a
// printer or a pipe is welcome; such a one is written in place, never
// truncated, deleted or replaced.
class TextFile : public TextSink {
 public:
  // Creates the file or empties an existing one.
  static TextFile open_output(std::string_view dos_path, SpecialFile special = SpecialFile::refuse);
  // Writes to standard output through a descriptor of its own: nothing is
  // emptied, renamed or deleted, and closing leaves the stream open.
  static TextFile open_standard_output();
  // Writes after the end of the file, creating it when absent. The append
  // is whole or nothing: until close() succeeds, a failure or a drop cuts
  // the file back to its length at opening, so a retried step appends once.
  // When it cannot be cut back, the failure says the file holds a part.
  static TextFile open_append(std::string_view dos_path, SpecialFile special = SpecialFile::refuse);
  // Writes a new file beside `dos_path` (beside the file a link names, so
  // the link stays); commit() puts it in the old one's place in one step.
  // Until then the old file stays whole, and a replacement dropped without
  // commit() leaves no trace.
  static TextFile open_replacing(std::string_view dos_path, SpecialFile special = SpecialFile::refuse);
  // Like open_append and open_replacing for a text that a DOS end-of-file
  // mark (byte 26) may end: what is written goes before the mark, which
  // stays after it with anything that follows it. Appending to a file with
  // a mark therefore replaces the file.
  static TextFile open_text_append(std::string_view dos_path);
  static TextFile open_text_replacing(std::string_view dos_path);

  TextFile(TextFile&& other) noexcept;
  TextFile& operator=(TextFile&& other) noexcept;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  // Flushes and closes without reporting (a replacement is dropped, an
  // append undone).
  ~TextFile() override;

  void write(std::string_view bytes) override;
  // Ends the line with CR LF.
  void end_line() override;
  void write_line(std::string_view bytes) override;
  char* line_room(std::size_t most) override;
  void end_line_at(const char* end) override;
  int column() const override;
  // Copied by the host from file to file where nothing of this file's own
  // writing is needed: not for an append, which a failure may cut back,
  // nor where the file may grow past the host's cache.
  void write_spool(SpoolFile& spool) override;
  bool copies_spool(const SpoolFile& spool) const override;
  // A replacement's bytes may be written over until it is committed.
  std::int64_t rewritable_size() override;
  void rewrite(std::int64_t offset, std::int64_t length, std::string_view bytes) override;

  // A replacement that grows past `from` bytes goes on past the host's
  // cache (past_cache.h): a drawing for the printer or for CAD, not read
  // again soon, or from PastCache::kFromReadAgain one read once at once.
  // Others stay in the cache.
  void pass_cache_when_large(std::int64_t from = PastCache::kFrom) { past_cache_from_ = from; }

  // Writes out what is buffered and closes, reporting failures; for a
  // replacement this is commit().
  void close();
  // Completes a replacement: writes out, closes and renames over the old file.
  void commit();
  // Completes a replacement whose first bytes were written to stand for
  // `start`, which only the end of the writing knows (a drawing's head with
  // its counts): writes it over them, then commits.
  void commit_with_start(std::string_view start);
  // Like commit(), but only when the old file still has `length` bytes (a
  // writer that takes no lock may have appended since it was read); else
  // the replacement is dropped and false returned.
  bool commit_if_old_length(std::int64_t length);

 private:
  TextFile(int fd, std::string host_path, std::string temp_path);
  static TextFile text_replacement(std::string_view dos_path, bool keep_text);
  void flush();
  // Makes room in the buffer (see the definition).
  void make_room();
  bool may_pass_cache() const { return past_cache_from_ >= 0 && !temp_path_.empty() && written_ >= past_cache_from_; }
  void write_out(const char* data, std::size_t size);
  // After `written_` has grown: a replacement's new bytes are sent on.
  void send_on();
  // Stops the syncs behind the writing; fails with the first that failed.
  void stop_sync_behind();
  void release() noexcept;
  // Moves the bytes from `from` to the end `by` bytes on (or back, when
  // negative), through the buffer.
  void move_tail(std::int64_t from, std::int64_t by);
  void read_at(std::int64_t offset, char* data, std::size_t size);
  void write_at(std::int64_t offset, const char* data, std::size_t size);
  // Cuts an unfinished append back; false when the host refused.
  bool undo_append() noexcept;
  [[noreturn]] void fail_appending(int err, std::string_view what);

  int fd_ = -1;
  std::string host_path_;
  std::string temp_path_;  // empty unless this is a replacement
  std::int64_t append_start_ = -1;  // length before an append not yet closed
  std::string trailer_;    // written last when a replacement is committed
  PastCache::Block buffer_;  // aligned: its whole blocks may go past the cache
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  int column_ = 0;
  std::int64_t written_ = 0;  // bytes handed to the host
  std::int64_t sent_on_ = 0;  // of which started on their way to the medium
  std::unique_ptr<SyncBehind> sync_behind_;  // a large replacement's, from its first step
  PastCache past_cache_;
  std::int64_t past_cache_from_ = -1;  // never
  bool room_in_buffer_ = false;  // the last line_room() is in buffer_
  bool appends_ = false;  // adds to the file rather than writing it whole
  bool quiet_ = false;    // a stream, not a file the user looks for afterwards
};

// Length of a file in bytes.
std::int64_t file_length(std::string_view dos_path);

enum class EmptyProbe { remove, keep };
// The length of the file, 0 when there is none; an empty file is deleted
// unless `empty` says keep, in which case an absent one is created. A name
// that is absent where no file can be made is no file; a missing directory
// is Failure 55. Only a regular file is deleted, never a link; a device or
// a FIFO is refused, or with `write_in_place` is 0 and left as it is.
std::int64_t probe(std::string_view dos_path, EmptyProbe empty = EmptyProbe::remove,
                   SpecialFile special = SpecialFile::refuse);

// Removes what killed runs left in the directory of a file (after its
// links) when they were writing a replacement there; once a directory and
// run. A program's start sweeps beside every file it may write. Best
// effort: a name that does not map is passed over.
void sweep_temporaries_beside(std::string_view dos_path) noexcept;

// True when the name exists and is not a directory.
bool file_exists(std::string_view dos_path);
// True when anything (a file, a directory, a link, even a broken one) holds
// the name.
bool name_taken(std::string_view dos_path);
// True when the name holds nothing, a regular file, or a link to one (or to
// nothing): a name that may be deleted. A FIFO, a device, a socket or a
// directory, or a link to one, is never deleted.
bool regular_or_absent(std::string_view dos_path);
// True when the name is an existing directory.
bool directory_exists(std::string_view dos_path);

void delete_file(std::string_view dos_path);
// Gives a file a new name; Failure 58 when the new name is taken.
void rename_file(std::string_view from_dos_path, std::string_view to_dos_path);

void make_directory(std::string_view dos_path);
void change_directory(std::string_view dos_path);
void remove_directory(std::string_view dos_path);

}  // namespace verdan
