// Deleting the files marked in the list. The index is written first, beside
// the old one and put in its place in one step, so that a failure on the
// way never costs the kept files their owners and comments; only then do
// the marked files go.
#include <string>
#include <vector>

#include "control/control_program.h"
#include "platform/cp932.h"
#include "platform/files.h"
#include "shared/print.h"

namespace verdan {

void ControlProgram::delete_marked_files() {
  console_.set_window(1, 23);
  console_.clear_text();
  console_.locate(2, 0);
  console_.set_color(7);
  print(console_, sj("    ただいまFILEを削除しています。　　　         "));
  console_.set_window(2, 22);

  // An entry naming a file outside the data directory (or the index itself)
  // keeps its line: its file is not this list's to delete.
  std::vector<const IndexEntry*> kept;
  std::vector<const IndexEntry*> marked;
  for (const IndexEntry& entry : index_) {
    const std::string name = entry_file_name(entry);
    if (entry.delete_mark == kDelete) marked.push_back(&entry);
    if (entry.delete_mark == kKeep || (!name.empty() && !deletable_in_data_dir(name))) kept.push_back(&entry);
  }

  const std::string index_name = work_file(kIndexFileName);
  if (kept.empty()) {
    run_step(*this, kStepDeleteIndex, [&] {
      if (file_exists(index_name)) delete_file(index_name);
    });
  } else {
    run_step(*this, kStepWriteIndex, [&] {
      TextFile file = TextFile::open_replacing(index_name);
      for (const IndexEntry* entry : kept) print(file, "\"", index_line(*entry), "\"");
      file.commit();
    });
  }

  bool refused = false;
  for (const IndexEntry* entry : marked) {
    const std::string name = entry_file_name(*entry);
    if (name.empty()) continue;  // a line without a name: only the line goes
    if (!deletable_in_data_dir(name)) {
      refused = true;
      console_.set_color(6);
      print(console_, "    ", name, sj("  は削除しません (INDEX に残します)"));
      console_.set_color(7);
      continue;
    }
    print(console_, "    ", name);
    // A marked file that is gone already is no failure.
    const std::string path = settings_.data_dir + name;
    run_step(*this, kStepDeleteDataFile, [&] {
      if (file_exists(path)) delete_file(path);
    });
  }
  if (refused) {
    console_.set_color(6);
    print(console_, "    Hit any key !!", stay);
    console_.read_key();
  }
}

}  // namespace verdan
