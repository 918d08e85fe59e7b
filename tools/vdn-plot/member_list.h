// The members of a frame in file order: in memory up to a megabyte, past it
// in a spool file, so a frame of millions of members takes little memory.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/host/spool_file.h"

namespace verdan::plot_tool {

struct Member {
  int end_a;  // node numbers, from 1
  int end_b;
  int kind;  // connection code: 1 fixed-fixed ... 4 pinned-pinned
};

class MemberList {
 public:
  // Members held in memory before they go to the spool file.
  static constexpr std::size_t kHeld = (std::size_t{1} << 20) / sizeof(Member);

  void push_back(const Member& member);
  std::size_t size() const { return size_; }
  const Member& back() const { return last_; }
  // Hands every member to `visit`, in order.
  template <typename Visit>
  void for_each(Visit visit) {
    for_each_run([&visit](const Member* first, std::size_t count) {
      for (std::size_t i = 0; i < count; ++i) visit(first[i]);
    });
  }
  // The same a run of members at a time.
  void for_each_run(const std::function<void(const Member* first, std::size_t count)>& visit);

 private:
  std::vector<Member> held_;
  std::unique_ptr<SpoolFile> spool_;
  std::size_t size_ = 0;
  Member last_{};
};

}  // namespace verdan::plot_tool
