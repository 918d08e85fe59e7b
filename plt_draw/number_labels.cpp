#include "plt_draw/number_labels.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string_view>
#include <thread>

#include "platform/padded_sink.h"
#include "plt_draw/device_table.h"
#include "plt_draw/primitives.h"
#include "shared/free_format.h"
#include "shared/plot_numbers.h"

namespace verdan {
namespace {

// Labels a piece: enough that the threads seldom wait for one another,
// few enough that a piece made aside takes a megabyte or so.
constexpr std::size_t kPiece = 2048;

// Label i as N2A and MOJI draw it.
void draw(PlotState& s, const NumberLabels& labels, std::size_t i) {
  char text[kFreeFormatMax];
  const char* end = write_n2a(text, static_cast<float>(labels.first + static_cast<std::int64_t>(i)));
  s.plot_cmd = std::string_view(text, static_cast<std::size_t>(end - text));
  MOJI(s, labels.x[i], labels.y[i], labels.height, labels.angle);
}

void draw_piece(PlotState& s, const NumberLabels& labels, std::size_t piece) {
  const std::size_t end = std::min(labels.count, (piece + 1) * kPiece);
  for (std::size_t i = piece * kPiece; i < end; ++i) draw(s, labels, i);
}

// Labels whose commands carry nothing from one to the next but the pen,
// which MOJI sets, plot_cmd, which N2A sets, and caches of what each
// command would be anyway.
bool made_apart(const PlotState& s) {
  const PlotDevice* device = table_device(s);
  return device != nullptr && device->texts_apart;
}

// The odd pieces, made on a thread of its own into memory with a state of
// its own: the caller's fields, caches of its own. Two pieces at most wait
// to be written.
class OddPieces {
 public:
  OddPieces(const PlotState& s, const NumberLabels& labels) : labels_(labels) {
    static_cast<PlotFields&>(state_) = s;
    thread_ = std::thread([this] { run(); });
  }
  ~OddPieces() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  OddPieces(const OddPieces&) = delete;
  OddPieces& operator=(const OddPieces&) = delete;

  // Writes odd piece `piece` to `s`'s plot file once made. Where it
  // failed, what it made before the failure is written, `s` takes the pen
  // and plot_cmd it failed with, and the failure is thrown.
  void write(PlotState& s, std::size_t piece) {
    Slot& slot = slots_[piece / 2 % 2];
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return slot.made; });
    lock.unlock();
    plot_write(s, slot.bytes.text());
    if (slot.failure || (piece + 1) * kPiece >= labels_.count) {
      // The thread has stopped: its state is where the labels end.
      s.pen = state_.pen;
      s.plot_cmd = state_.plot_cmd;
      if (slot.failure) std::rethrow_exception(slot.failure);
    }
    slot.bytes.clear();
    lock.lock();
    slot.made = false;
    lock.unlock();
    changed_.notify_all();
  }

 private:
  struct Slot {
    PaddedMemorySink bytes;
    std::exception_ptr failure;
    bool made = false;
  };

  void run() {
    for (std::size_t piece = 1; piece * kPiece < labels_.count; piece += 2) {
      Slot& slot = slots_[piece / 2 % 2];
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return !slot.made || stopping_; });
        if (stopping_) return;
      }
      state_.plot_file = &slot.bytes;
      state_.plot_behind = &slot.bytes;
      bool failed = false;
      try {
        draw_piece(state_, labels_, piece);
      } catch (...) {
        slot.failure = std::current_exception();
        failed = true;
      }
      {
        const std::lock_guard<std::mutex> lock(mutex_);
        slot.made = true;
      }
      changed_.notify_all();
      if (failed) return;
    }
  }

  const NumberLabels& labels_;
  PlotState state_;
  Slot slots_[2];
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace

void number_labels(PlotState& s, const NumberLabels& labels) {
  const std::size_t pieces = (labels.count + kPiece - 1) / kPiece;
  if (pieces < 2 || !made_apart(s)) {
    for (std::size_t i = 0; i < labels.count; ++i) draw(s, labels, i);
    return;
  }
  OddPieces odd(s, labels);
  for (std::size_t piece = 0; piece < pieces; ++piece) {
    if (piece % 2 == 0) {
      draw_piece(s, labels, piece);
    } else {
      odd.write(s, piece);
    }
  }
}

}  // namespace verdan
