// The data-file index: "INDEX" of the data directory joined with the
// directory listing (last update and size of each file) and with the
// employee register (owners' names). Rebuilt each time a list starts.
#include <string>
#include <utility>
#include <vector>

#include "control/control_program.h"
#include "control/listing_join.h"
#include "platform/codec/cp932.h"
#include "platform/host/directory_listing.h"
#include "platform/host/files.h"
#include "shared/console_routines.h"
#include "shared/leading_number.h"
#include "shared/print.h"

namespace verdan {
namespace {

// Heading lines of a listing before the first file.
constexpr int kListingHeadLines = 3;
// The owner every register knows, whatever the file says.
constexpr float kDefaultEmployee = 1000;

}  // namespace

// False when there is no index (no "INDEX", or an empty one, which is not
// left behind).
bool ControlProgram::build_index() {
  index_.clear();
  if (run_step(*this, kStepProbeIndex, [&] { return probe(work_file(kIndexFileName)); }) == 0) return false;
  console_.beep();
  console_.set_color(7);
  console_.locate(3, 5);
  print(console_, sj("ただいま DATA 読込中です !!!!!"), stay);
  read_index_file();

  console_.beep();
  console_.set_color(6);
  console_.locate(3, 5);
  print(console_, sj("ただいま DATA 変換中です !!!!!"), stay);
  join_listing();
  register_ = read_register(EmptyProbe::remove);
  join_register();
  console_.locate(3, 5);
  print(console_, std::string(40, ' '), stay);
  return true;
}

// Every line is kept, however many: lines beyond what the list can show
// still go back into the index when it is written again.
void ControlProgram::read_index_file() {
  run_step(*this, kStepReadIndex, [&] { index_ = index_file_entries(); });
}

std::vector<IndexEntry> ControlProgram::index_file_entries() const {
  std::vector<IndexEntry> read;
  File file = File::open_text(work_file(kIndexFileName));
  while (!file.eof()) {
    std::string line = file.read_line();
    // Blank lines hold no entry (they are skipped between fields).
    if (line.find_first_not_of(' ') == std::string::npos) continue;
    read.push_back(parse_index_line(index_field(line)));
  }
  file.close();
  return read;
}

void ControlProgram::join_listing() {
  if (listing_by_interpreter_) {
    InterpreterListing listing = listing_from_interpreter();
    join_listing_lines(index_, listing.fixed_columns);
    if (listing.dated.empty()) return;
    // Every file in the dated layout is matched by its whole name, as the
    // file system's are; the file system fills in what its line leaves
    // open, and speaks for the names the listing's code page garbled.
    join_listed_files(index_, with_dated_lines(listing_from_file_system(), listing.dated));
  } else {
    join_listed_files(index_, listing_from_file_system());
  }
}

// The interpreter's listing and version text, read from the work files. A
// work file that was never made means no facts, not a failure.
ControlProgram::InterpreterListing ControlProgram::listing_from_interpreter() {
  std::string version = run_step(*this, kStepReadVersion, [&] {
    if (!file_exists(work_file(kVersionFileName))) return std::string();
    File file = File::open_input(work_file(kVersionFileName));
    // The version text follows an empty first line.
    std::string text;
    for (int field = 0; field < 2 && !file.eof(); ++field) text = file.read_field();
    file.close();
    return text;
  });
  int date_column = listing_date_column(version, !GETENV("OS").empty());

  return run_step(*this, kStepReadListing, [&] {
    InterpreterListing listing;
    listing_missing_ = !file_exists(work_file(kListingFileName));
    if (listing_missing_) return listing;
    File file = File::open_input(work_file(kListingFileName));
    for (int skipped = 0; skipped < kListingHeadLines && !file.eof(); ++skipped) file.read_line();
    while (!file.eof()) {
      const std::string line = file.read_line();
      if (auto dated = dated_listing_line(line)) {
        listing.dated.push_back(std::move(*dated));
      } else if (auto fact = listing_fact(line, date_column)) {
        listing.fixed_columns.push_back(*fact);
      }
    }
    file.close();
    return listing;
  });
}

std::vector<ListedFile> ControlProgram::listing_from_file_system() {
  auto files = list_files(settings_.data_dir);
  listing_missing_ = !files;
  return files ? std::move(*files) : std::vector<ListedFile>();
}

// Entries 1 on of the register file in the current directory. An empty
// file is deleted by `EmptyProbe::remove`, kept by `EmptyProbe::keep`.
std::vector<RegisterEntry> ControlProgram::read_register(EmptyProbe empty) {
  if (run_step(*this, kStepProbeRegister, [&] { return probe(kRegisterFileName, empty); }) == 0) return {};
  return run_step(*this, kStepReadRegister, [&] { return register_file_entries(); });
}

std::vector<RegisterEntry> ControlProgram::register_file_entries() {
  std::vector<RegisterEntry> entries;
  File file = File::open_text(kRegisterFileName);
  while (!file.eof()) {
    std::string number = file.read_field();
    // A file cut after a number still gives the entries before it.
    std::string name = file.eof() ? std::string() : file.read_field();
    if (number.empty() && name.empty()) continue;  // an empty line
    entries.push_back({leading_number(number), name});
  }
  file.close();
  return entries;
}

void ControlProgram::join_register() {
  register_.insert(register_.begin(), RegisterEntry{kDefaultEmployee, sj("権兵衛")});
  join_owner_names(index_, register_);
}

}  // namespace verdan
