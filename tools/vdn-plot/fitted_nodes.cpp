#include "tools/vdn-plot/fitted_nodes.h"

#include <algorithm>
#include <limits>

namespace verdan::plot_tool {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

}  // namespace

SpooledNodes::SpooledNodes(std::unique_ptr<SpoolFile> spool, std::size_t count, const PaperFit& fit)
    : spool_(std::move(spool)),
      count_(count),
      fit_(fit),
      sets_(kSets),
      points_(kSets * kWays * kPageNodes),
      read_(2 * kRun * kPageNodes) {
  std::uint32_t place = 0;
  for (Set& set : sets_) {
    std::fill(std::begin(set.page), std::end(set.page), kNone);
    for (std::uint32_t& p : set.place) p = place++;
  }
}

void SpooledNodes::bring_first(Set& set, std::size_t page) {
  std::size_t way = 1;
  while (way < kWays && set.page[way] != page) ++way;
  if (way == kWays) {
    read_pages(page);
  } else {
    move_first(set, way);
  }
}

void SpooledNodes::move_first(Set& set, std::size_t way) {
  const std::size_t page = set.page[way];
  const std::uint32_t place = set.place[way];
  std::copy_backward(set.page, set.page + way, set.page + way + 1);
  std::copy_backward(set.place, set.place + way, set.place + way + 1);
  set.page[0] = page;
  set.place[0] = place;
}

void SpooledNodes::read_pages(std::size_t page) {
  const std::size_t pages = page == next_missed_ ? kRun : 1;
  const std::size_t first = page * kPageNodes;
  const std::size_t nodes = std::min(pages * kPageNodes, count_ - first);
  spool_->read_at(static_cast<std::int64_t>(first * 2 * sizeof(double)), reinterpret_cast<char*>(read_.data()),
                  nodes * 2 * sizeof(double));
  ++reads_;
  for (std::size_t done = 0; done < nodes; done += kPageNodes) {
    keep(page + done / kPageNodes, &read_[2 * done], std::min(kPageNodes, nodes - done));
  }
  next_missed_ = page + pages;
}

void SpooledNodes::keep(std::size_t page, const double* coordinates, std::size_t count) {
  Set& set = sets_[page % kSets];
  if (std::find(std::begin(set.page), std::end(set.page), page) != std::end(set.page)) return;  // read ahead before
  set.page[kWays - 1] = page;
  move_first(set, kWays - 1);
  PaperPoint* points = &points_[set.place[0] * kPageNodes];
  for (std::size_t i = 0; i < count; ++i) points[i] = {fit_.x(coordinates[2 * i]), fit_.y(coordinates[2 * i + 1])};
  ++pages_read_;
}

FittedNodes::FittedNodes(FrameNodes& nodes, const PaperFit& fit) {
  if (nodes.spooled()) {
    spooled_ = std::make_unique<SpooledNodes>(nodes.take_spool(), nodes.size(), fit);
  } else {
    x_ = nodes.node_x.take_as_singles([&fit](double cm) { return fit.x(cm); });
    y_ = nodes.node_y.take_as_singles([&fit](double cm) { return fit.y(cm); });
  }
}

}  // namespace verdan::plot_tool
