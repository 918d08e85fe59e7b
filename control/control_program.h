// VDN-CNTL: the data-management companion of the analysis program. It keeps
// the environment file and, from its menu, the data directory. One object
// owns the run's state; its dialogue steps are member functions spread over
// files named after what they do.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "control/dated_listing.h"
#include "control/index_entry.h"
#include "control/register_entry.h"
#include "control/screen_help.h"
#include "control/settings.h"
#include "platform/console/console.h"
#include "platform/host/directory_listing.h"
#include "platform/fallible_step.h"
#include "platform/host/files.h"
#include "shared/own_files.h"

namespace verdan {

// Stable numbers of the fallible steps, shown after "LINE=" on the error screen.
enum ControlStep : int {
  kStepCheckCommandLine = 100,
  kStepProbeOldEnvFile = 110,
  kStepRenameOldEnvFile = 120,
  kStepProbeStartEnvFile = 130,
  kStepProbeEnvFile = 210,
  kStepReadEnvFile = 220,
  kStepWriteEnvFile = 310,
  kStepStartProgram = 410,
  // File management: work files, the index, the register, deletion, printing.
  kStepClearVersionFile = 510,
  kStepClearListingFile = 520,
  kStepRemoveVersionFile = 530,
  kStepRemoveListingFile = 540,
  kStepCheckListing = 550,
  kStepProbeIndex = 610,
  kStepReadIndex = 620,
  kStepReadVersion = 630,
  kStepReadListing = 640,
  kStepProbeRegister = 650,
  kStepReadRegister = 660,
  kStepOpenRegister = 710,
  kStepAppendRegister = 720,
  kStepWriteIndex = 810,
  kStepDeleteIndex = 820,
  kStepCheckDataFile = 825,
  kStepDeleteDataFile = 830,
  kStepPrintList = 910,
};

class ControlProgram : public ErrorHandler {
 public:
  static constexpr const char* kVersion = "2.64";

  // `argument` is the whole command-line argument text (CP932).
  ControlProgram(Console& console, std::string argument);

  // Runs the dialogue; returns the exit status (0). Ends by ProgramEnd from
  // the error screen or when the keyboard input runs out.
  int run();

  // The error screen.
  Decision on_failure(const Failure& failure, int step) override;

  // The state the tests look at.
  const Settings& settings() const { return settings_; }
  const std::string& env_dir() const { return env_dir_; }
  const std::string& user_dir() const { return user_dir_; }
  const std::string& start_dir() const { return start_dir_; }

 private:
  // control_program.cpp
  void start_up();
  float menu_choice();
  void start_next_program();

  // env_file_io.cpp
  void load_settings();
  void locate_env_file();
  void read_env_file();
  void write_env_file();
  // Where the programs' own files lie, which no print file may be.
  OwnFilePlaces own_file_places() const;

  // settings_screen.cpp
  void settings_screen();
  void show_settings_screen();
  void edit_settings_fields();
  void complete_settings();

  // error_screen.cpp
  bool repair_user_dir();
  // The error line on the cursor's row until a key, which it returns.
  // `offer_leaving` adds the ESC hint where the row is blank.
  int show_error_line(const Failure& failure, int step, bool offer_leaving);
  [[noreturn]] void refuse_next_program();

  // file_menu.cpp
  void file_management();
  float file_menu_choice();
  void make_listing();
  void remove_work_files(int version_step, int listing_step);
  std::string work_file(const char* name) const;

  // file_index.cpp
  bool build_index();
  void read_index_file();
  std::vector<IndexEntry> index_file_entries() const;
  void join_listing();
  struct InterpreterListing {
    std::vector<ListingFact> fixed_columns;  // the old layout
    std::vector<DatedListingLine> dated;     // date first, name last
  };
  InterpreterListing listing_from_interpreter();
  std::vector<ListedFile> listing_from_file_system();
  std::vector<RegisterEntry> read_register(EmptyProbe empty);
  static std::vector<RegisterEntry> register_file_entries();
  void join_register();

  // file_list.cpp
  void file_list_screen();
  int shown_count() const;
  std::string number_indent() const;
  void list_key_step(int key);
  void draw_list_cursor();
  void draw_list_page();
  void draw_list_entry(int number, int row, bool under_cursor);

  // file_deletion.cpp
  void delete_marked_files();
  bool delete_data_file(const std::string& name);
  bool keeps_own_file(const std::string& path) const;
  void write_index_without(const std::vector<bool>& gone);
  void remove_index_lines(const std::map<std::string, int>& dropped);
  bool replace_index_without(const std::string& index_name, const std::map<std::string, int>& dropped,
                             std::int64_t length);

  // list_printing.cpp
  void print_file_list();

  // register.cpp
  void register_screen();
  bool register_entry_input(RegisterEntry& entry);
  void append_register_entry(const RegisterEntry& entry);
  void show_register_entry(int number, const RegisterEntry& entry);

  Console& console_;
  std::string next_program_;
  std::string start_dir_;
  std::string user_dir_;
  std::string env_dir_;
  std::string command_interpreter_;
  Settings settings_;
  float unit_value_ = 0;
  bool handler_installed_ = false;
  std::set<int> repaired_steps_;  // steps already given the directory repair

  // File management.
  bool listing_by_interpreter_ = false;  // else taken from the file system
  bool listing_missing_ = false;         // no last updates and sizes to show
  // A word on what the last menu item did where it left nothing on screen
  // (printing the list), shown once under the menu.
  std::string menu_feedback_;
  std::vector<IndexEntry> index_;
  std::vector<RegisterEntry> register_;  // entry 0 is the program's own
  int first_shown_ = 1;                  // list entry on the list's first row
  int current_ = 1;                      // list entry under the cursor
};

}  // namespace verdan
