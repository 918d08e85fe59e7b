// The account of what a run did to the user's files: which files it wrote
// and which program it could not find, kept for the lines a program prints
// when it ends (see run_report.h).
#pragma once

#include <string>
#include <vector>

namespace verdan {

struct WrittenFile {
  std::string path;  // host path from the root
  bool appended;     // added to rather than written whole
};

// Records that a file was completed: closed after writing or appending, or
// put in place of the old one. Each path is kept once, at its first write.
void note_written_file(const std::string& host_path, bool appended);
// Records that `program` (CP932, as the command line names it) was looked
// for and not found.
void note_program_not_found(const std::string& program);

struct RunAccount {
  std::vector<WrittenFile> files;
  std::string missing_program;  // empty when every program was found
};
// What was recorded since the last call; the record starts afresh.
RunAccount take_run_account();

}  // namespace verdan
