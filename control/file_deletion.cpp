// Deleting the files marked in the list. A line leaves "INDEX" only when its
// file is gone: the marked files go first, then the index is written again
// with the lines of every file still there, beside the old one and put in
// its place in one step. Ending on the error screen half-way through still
// writes it, so a file that could not be deleted keeps its owner and comment.
#include <algorithm>
#include <string>
#include <vector>

#include "control/control_program.h"
#include "platform/codec/cp932.h"
#include "platform/host/files.h"
#include "shared/print.h"

namespace verdan {
namespace {

constexpr int kDeletedNamesTicks = 200;  // two seconds

}  // namespace

void ControlProgram::delete_marked_files() {
  console_.set_window(1, 23);
  console_.clear_text();
  console_.locate(2, 0);
  console_.set_color(7);
  print(console_, sj("    ただいまFILEを削除しています。　　　         "));
  console_.set_window(2, 22);

  std::vector<bool> gone(index_.size(), false);
  bool refused = false;
  try {
    for (std::size_t i = 0; i < index_.size(); ++i) {
      if (index_[i].delete_mark != kDelete) continue;
      const std::string name = entry_file_name(index_[i]);
      // A line without a name: only the line goes.
      gone[i] = name.empty() || delete_data_file(name);
      refused = refused || !gone[i];
    }
  } catch (const ProgramEnd&) {
    write_index_without(gone);
    throw;
  }
  write_index_without(gone);
  if (refused) {
    console_.set_color(6);
    print(console_, "    Hit any key !!", stay);
    console_.read_key();
  } else if (std::find(gone.begin(), gone.end(), true) != gone.end()) {
    // The names would flash past: they stay in view for a moment.
    console_.linger(kDeletedNamesTicks);
  }
}

// False when the name is not this list's to delete: outside the data
// directory, the index itself, or a directory (a link to one too). A marked
// file that is gone already is no failure.
bool ControlProgram::delete_data_file(const std::string& name) {
  const std::string path = settings_.data_dir + name;
  if (!deletable_in_data_dir(name) || run_step(*this, kStepCheckDataFile, [&] { return directory_exists(path); })) {
    console_.set_color(6);
    print(console_, "    ", name, sj("  は削除しません (INDEX に残します)"));
    console_.set_color(7);
    return false;
  }
  print(console_, "    ", name);
  run_step(*this, kStepDeleteDataFile, [&] {
    if (name_taken(path)) delete_file(path);
  });
  return true;
}

// Writes "INDEX" with every line whose file is not `gone`; with no line left
// it goes. What follows a DOS end-of-file mark in it stays after the lines.
void ControlProgram::write_index_without(const std::vector<bool>& gone) {
  std::vector<const IndexEntry*> kept;
  for (std::size_t i = 0; i < index_.size(); ++i) {
    if (!gone[i]) kept.push_back(&index_[i]);
  }
  const std::string index_name = work_file(kIndexFileName);
  if (kept.empty()) {
    run_step(*this, kStepDeleteIndex, [&] {
      if (file_exists(index_name)) delete_file(index_name);
    });
    return;
  }
  run_step(*this, kStepWriteIndex, [&] {
    TextFile file = TextFile::open_text_replacing(index_name);
    for (const IndexEntry* entry : kept) print(file, "\"", index_line(*entry), "\"");
    file.commit();
  });
}

}  // namespace verdan
