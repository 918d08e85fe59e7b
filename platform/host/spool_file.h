// A temporary file for what is too large to hold in memory until it can be
// written out (a drawing's entities that must follow its tables). It has no
// name in any directory, or loses it when closed, so no run, ended or
// killed, leaves it behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace verdan {

class SpoolFile {
 public:
  // How failures name it.
  static constexpr const char* kShownName = "a temporary spool file";

  // Made in the host's directory for temporaries; a Failure when it cannot be.
  SpoolFile();
  ~SpoolFile();
  SpoolFile(const SpoolFile&) = delete;
  SpoolFile& operator=(const SpoolFile&) = delete;

  void append(std::string_view bytes);
  // Hands every byte appended so far to `out`, in order, a block at a time.
  void replay(const std::function<void(std::string_view)>& out);
  // The same into the file open as `fd`, at its offset: copied by the host
  // from file to file, `copied` told of each part, where it can; else
  // handed to `out` as replay() does. A copy that fails after its first
  // part throws through `failed`, given the host's error.
  void replay_into(int fd, const std::function<void(std::int64_t)>& copied,
                   const std::function<void(std::string_view)>& out, const std::function<void(int)>& failed);
  // The `size` bytes at `offset` into `data`, once the appending is done.
  void read_at(std::int64_t offset, char* data, std::size_t size);
  std::int64_t size() const { return size_; }

 private:
  // Hands the `left` bytes from the file's offset on to `out`.
  void replay_rest(std::int64_t left, const std::function<void(std::string_view)>& out);
  void rewind();

  int fd_ = -1;
  std::int64_t size_ = 0;
};

namespace host {
// An open descriptor of a new temporary without a name (see SpoolFile), or
// -1 with errno set.
int open_unnamed_temporary();
}  // namespace host

}  // namespace verdan
