#include "tools/vdn-plot/member_list.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace verdan::plot_tool {

void MemberList::push_back(const Member& member) {
  if (held_.size() == kHeld) {
    if (!spool_) spool_ = std::make_unique<SpoolFile>();
    spool_->append({reinterpret_cast<const char*>(held_.data()), held_.size() * sizeof(Member)});
    held_.clear();
  }
  if (held_.capacity() == 0) held_.reserve(kHeld);
  held_.push_back(member);
  last_ = member;
  ++size_;
}

void MemberList::for_each(const std::function<void(const Member&)>& visit) {
  if (spool_) {
    // The spool's blocks need not end on a member: a member cut by one is
    // completed from the next.
    char partial[sizeof(Member)];
    std::size_t have = 0;
    spool_->replay([&](std::string_view bytes) {
      while (!bytes.empty()) {
        const std::size_t take = std::min(sizeof partial - have, bytes.size());
        if (have > 0 || bytes.size() < sizeof partial) {
          std::memcpy(partial + have, bytes.data(), take);
          have += take;
          bytes.remove_prefix(take);
          if (have < sizeof partial) return;
          Member m;
          std::memcpy(&m, partial, sizeof m);
          visit(m);
          have = 0;
          continue;
        }
        Member m;
        std::memcpy(&m, bytes.data(), sizeof m);
        visit(m);
        bytes.remove_prefix(sizeof m);
      }
    });
  }
  for (const Member& m : held_) visit(m);
}

}  // namespace verdan::plot_tool
