// A large file's sync started behind the writing, on a thread of its own:
// the disk, or the machine under a virtual one, takes what was written
// while the program makes the rest, instead of all of it in the sync that
// ends the file. A failed sync is kept for the writer to report, as the
// host reports a write's failure to one sync only.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace verdan {

class SyncBehind {
 public:
  // A sync once this much more is written than the last one covered. Side
  // by side, plots synced every 8 MiB took 0.86-0.95 of the time they took
  // every 16 MiB; every 4 MiB gained little more for twice the syncs, each
  // a flush of the disk's cache.
  static constexpr std::int64_t kStep = std::int64_t{8} << 20;

  // For `fd`, which stays open until stop() has returned.
  explicit SyncBehind(int fd) : fd_(fd) {}
  ~SyncBehind() { stop(); }
  SyncBehind(const SyncBehind&) = delete;
  SyncBehind& operator=(const SyncBehind&) = delete;

  // The file now holds `bytes`; from the writing thread.
  void written(std::int64_t bytes);
  // Waits for a sync under way and stops the thread; the errno of the
  // first sync that failed, else 0.
  int stop();

 private:
  void run();

  const int fd_;
  std::int64_t asked_ = 0;  // the writer's: the bytes of the last sync asked for

  std::mutex mutex_;
  std::condition_variable changed_;
  std::int64_t wanted_ = 0;  // bytes the next sync is to cover
  std::int64_t synced_ = 0;
  bool stopping_ = false;
  int error_ = 0;
  std::thread thread_;  // started at the first step
};

}  // namespace verdan
