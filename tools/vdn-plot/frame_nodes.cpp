#include "tools/vdn-plot/frame_nodes.h"

#include <string_view>

namespace verdan::plot_tool {
namespace {

constexpr std::size_t kPendingValues = 8192;  // 64 KB a write

}  // namespace

void FrameNodes::reserve(std::size_t count) {
  if (count > kHeld) {
    if (!spool_) start_spool();
    return;
  }
  node_x.reserve(count);
  node_y.reserve(count);
}

void FrameNodes::spool(double x, double y) {
  if (!spool_) start_spool();
  node_x.note(x);
  node_y.note(y);
  add_pending(x);
  add_pending(y);
}

void FrameNodes::start_spool() {
  spool_ = std::make_unique<SpoolFile>();
  pending_.reserve(kPendingValues);
  for (std::size_t i = 0; i < size_; ++i) {
    add_pending(node_x[i]);
    add_pending(node_y[i]);
  }
  node_x.drop_values();
  node_y.drop_values();
}

void FrameNodes::write_pending() {
  spool_->append({reinterpret_cast<const char*>(pending_.data()), pending_.size() * sizeof(double)});
  pending_.clear();
}

std::unique_ptr<SpoolFile> FrameNodes::take_spool() {
  write_pending();
  pending_ = {};
  return std::move(spool_);
}

}  // namespace verdan::plot_tool
