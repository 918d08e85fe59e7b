// Deleting the files marked in the list. A line leaves "INDEX" only when its
// file is gone: the marked files go first, then their lines are taken out of
// the index, which is written beside the old one and put in its place in one
// step. Ending on the error screen half-way through still takes out the
// lines of the files deleted so far.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "control/control_program.h"
#include "platform/codec/cp932.h"
#include "platform/host/directory_lock.h"
#include "platform/host/files.h"
#include "shared/own_files.h"
#include "shared/print.h"

namespace verdan {
namespace {

constexpr int kDeletedNamesTicks = 200;  // two seconds
// Readings of "INDEX" before it is replaced whatever a writer without a
// lock does meanwhile.
constexpr int kIndexAttempts = 5;

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

// The settings and the register may share the data directory with the
// start directory; the list deletes data files, never those.
bool ControlProgram::keeps_own_file(const std::string& path) const {
  const std::string own = own_file_reached(path, own_file_places());
  return !own.empty() && own != settings_.data_dir + "FRAME" && own != settings_.data_dir + "CROSS";
}

// False when the name is not this list's to delete: outside the data
// directory, the index itself, the settings or the register, or anything
// but a regular file (a directory, a FIFO, a device, a link to one). A
// marked file that is gone already is no failure.
bool ControlProgram::delete_data_file(const std::string& name) {
  const std::string path = settings_.data_dir + name;
  if (!deletable_in_data_dir(name) || !run_step(*this, kStepCheckDataFile, [&] { return regular_or_absent(path); }) ||
      keeps_own_file(path)) {
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

// Takes the lines of the entries deleted now out of "INDEX"; with none
// deleted it stays as it is.
void ControlProgram::write_index_without(const std::vector<bool>& gone) {
  // Each line in the form it is written back in, as often as it went.
  std::map<std::string, int> dropped;
  for (std::size_t i = 0; i < index_.size(); ++i) {
    if (gone[i]) ++dropped[index_line(index_[i])];
  }
  if (!dropped.empty()) remove_index_lines(dropped);
}

// The analysis program appends to "INDEX", and another session may have
// rewritten it, since the list read it; so it is read again just before it
// is replaced, and only the dropped lines leave it. A line added meanwhile
// stays even when it names a deleted file: that file may be a new one. The
// sessions of this program wait for each other around the reading and the
// replacement; the analysis program takes no lock. With no line left the
// file goes; what follows a DOS end-of-file mark stays after the lines.
void ControlProgram::remove_index_lines(const std::map<std::string, int>& dropped) {
  const std::string index_name = work_file(kIndexFileName);
  run_step(*this, kStepWriteIndex, [&] {
    DirectoryLock lock(settings_.data_dir);
    // An append between the reading and the rename is seen by the length,
    // and the lines are read again; a few times at most.
    for (int attempt = 1;; ++attempt) {
      if (!file_exists(index_name)) return;  // another session took its last line
      const std::int64_t length = file_length(index_name);
      if (replace_index_without(index_name, dropped, attempt < kIndexAttempts ? length : -1)) return;
    }
  });
}

// One reading and replacement of "INDEX"; false when it grew meanwhile and
// nothing was written. `length` -1 replaces whatever happened.
bool ControlProgram::replace_index_without(const std::string& index_name, const std::map<std::string, int>& dropped,
                                           std::int64_t length) {
  const std::vector<IndexEntry> now = index_file_entries();
  std::map<std::string, int> left = dropped;
  std::vector<std::string> kept;
  for (const IndexEntry& entry : now) {
    std::string line = index_line(entry);
    auto found = left.find(line);
    if (found != left.end() && found->second > 0) {
      --found->second;
    } else {
      kept.push_back(std::move(line));
    }
  }
  if (kept.size() == now.size()) return true;  // their lines are gone already
  if (kept.empty()) {
    run_step(*this, kStepDeleteIndex, [&] {
      if (file_exists(index_name)) delete_file(index_name);
    });
    return true;
  }
  TextFile file = TextFile::open_text_replacing(index_name);
  for (const std::string& line : kept) print(file, "\"", line, "\"");
  return file.commit_if_old_length(length);
}

}  // namespace verdan
