#include "tools/vdn-plot/frame_data.h"

#include "tools/vdn-plot/frame_reader.h"

namespace verdan::plot_tool {
namespace {

class MemberListSink : public MemberSink {
 public:
  explicit MemberListSink(MemberList& list) : list_(list) {}
  void add(const Member& member) override { list_.push_back(member); }

 private:
  MemberList& list_;
};

}  // namespace

void read_members_into(FrameReader& reader, MemberList& members) {
  MemberListSink sink(members);
  reader.read_members(sink);
}

FrameData read_frame_data(std::string_view dos_path) {
  FrameReader reader(dos_path);
  FrameData frame;
  reader.read_nodes(frame);
  read_members_into(reader, frame.members);
  return frame;
}

}  // namespace verdan::plot_tool
