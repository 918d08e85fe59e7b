// --record: the dialogue's entries kept as a description file, so that
// --batch gives the same run again.
#include "generator/generator_program.h"
#include "platform/host/files.h"

namespace verdan {

FrameDescription GeneratorProgram::entered_lengths() const {
  FrameDescription entered;
  for (int i = 1; i <= frame_.span_count(); ++i) entered.spans.push_back(frame_.node_x(0, i));
  for (int i = 1; i <= frame_.storey_count(); ++i) entered.storeys.push_back(frame_.node_y(i + 1, 0));
  return entered;
}

void GeneratorProgram::write_record() {
  if (record_path_.empty()) return;
  run_step(*this, kGenWriteRecord, [&] {
    TextFile file = TextFile::open_replacing(record_path_);
    file.write(write_description(entered_));
    file.commit();
  });
}

}  // namespace verdan
