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

void MemberList::for_each_run(const std::function<void(const Member* first, std::size_t count)>& visit) {
  if (spool_) {
    // The spool's blocks need not end on a member: a member cut by one is
    // completed from the next.
    Member cut{};
    std::size_t have = 0;  // bytes of `cut`
    std::vector<Member> run;
    spool_->replay([&](std::string_view bytes) {
      if (have > 0) {
        const std::size_t take = std::min(sizeof cut - have, bytes.size());
        std::memcpy(reinterpret_cast<char*>(&cut) + have, bytes.data(), take);
        have += take;
        bytes.remove_prefix(take);
        if (have < sizeof cut) return;
        visit(&cut, 1);
        have = 0;
      }
      run.resize(bytes.size() / sizeof(Member));
      std::memcpy(run.data(), bytes.data(), run.size() * sizeof(Member));
      visit(run.data(), run.size());
      bytes.remove_prefix(run.size() * sizeof(Member));
      std::memcpy(&cut, bytes.data(), bytes.size());
      have = bytes.size();
    });
  }
  visit(held_.data(), held_.size());
}

}  // namespace verdan::plot_tool
