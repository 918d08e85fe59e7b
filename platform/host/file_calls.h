// The host's file calls on host paths and descriptors, the same on every
// host: each returns -1 (or false) with errno set on failure, so one table
// turns them into failure codes. Descriptors are binary and not inherited by
// started programs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace verdan::host {

// Open flags (O_RDONLY, O_CREAT, ...) are those of <fcntl.h>.
int open_file(const std::string& path, int flags);
// Like open_file, but never waits for the other end of a FIFO and never
// takes a terminal as the controlling one: a FIFO opened for writing with
// no reader fails at once with ENXIO. The descriptor comes back blocking.
int open_file_at_once(const std::string& path, int flags);
long read_file(int fd, void* data, std::size_t size);
// Reads at `offset` from the start; the descriptor's own offset is left as
// it was where the host can (POSIX), moved past what was read where not.
long read_file_at(int fd, void* data, std::size_t size, std::int64_t offset);
long write_file(int fd, const void* data, std::size_t size);
int close_file(int fd);
// Moves the offset of the next read or write to `offset` from the start.
int seek_file(int fd, std::int64_t offset);
// Copies up to `size` bytes from `from` to `to`, each at its offset, which
// moves on: inside the host, the bytes never passing through the program.
// The number copied, 0 at the end of `from`; -1 where it fails, also where
// the host has no such copy (ENOSYS) or not between these two files.
long copy_file_part(int from, int to, std::size_t size);

enum class FileType { regular, directory, link, fifo, device, socket, other };

struct FileStatus {
  FileType type = FileType::other;
  bool directory = false;
  bool regular = false;
  std::int64_t size = 0;
  unsigned permissions = 0;
  std::int64_t modified = 0;  // seconds since 1970
  // Which file it is, where the host tells (0 and 0 where it does not).
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

int file_status(const std::string& path, FileStatus& status);
// The name itself: a link is not followed.
int name_status(const std::string& path, FileStatus& status);
int open_file_status(int fd, FileStatus& status);

// What was written is on the medium.
int sync_file(int fd);
// Starts sending a written range on to the medium without waiting for it,
// where the host can; a later sync_file then has less to wait for.
void start_writeback(int fd, std::int64_t offset, std::int64_t length);
// Whether the reads and writes of `fd` go straight to and from the medium,
// past the host's cache (past_cache.h says which may); false where the
// host or its file system refuses.
bool set_past_cache(int fd, bool on);
// Moves `from` over an existing `to`, in one step as far as the host allows.
int replace_file(const std::string& from, const std::string& to);
// Renames onto a name that is not there.
int rename_file(const std::string& from, const std::string& to);
// The text of a symbolic link, or -1 (EINVAL when `path` is no link).
int read_link(const std::string& path, std::string& target);
int delete_file(const std::string& path);
int keep_permissions(int fd, unsigned permissions);
int cut_open_file(int fd, std::int64_t length);
int cut_file(const std::string& path, std::int64_t length);
int make_directory(const std::string& path);
int remove_directory(const std::string& path);
int change_directory(const std::string& path);
// `path` from the root, as the user would type it to find the file again
// (on Windows with its drive and `\`); `path` itself when the host cannot say.
std::string full_path(const std::string& path);
// The directory that holds the last name of `path`; a name at a root is
// held by the root itself.
std::string parent_directory(const std::string& path);
// `path` as failure details and reports show it: in the host's own form
// (on Windows with `\` between names).
std::string shown_path(const std::string& path);

}  // namespace verdan::host
