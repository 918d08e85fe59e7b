#include "platform/run_report.h"

#include <cstdio>
#include <exception>

#include "platform/codec/cp932.h"
#include "platform/host/file_calls.h"
#include "platform/host/program_start.h"

namespace verdan {
namespace {

std::string joined(const std::vector<std::string>& dirs) {
  std::string text;
  for (const std::string& dir : dirs) text += (text.empty() ? "" : ", ") + dir;
  return text;
}

std::string search_lines(std::string_view program, const std::string& missing,
                         const std::vector<std::string>& search, const std::string& current) {
  const std::string lead = std::string(program) + ": ";
  const std::string name = to_utf8(missing);
  std::string text = lead + name + " was not found, so it was not started.\n";
  if (!split_program_name(missing).directory.empty()) {
    return text + lead + "It is looked for only in " + joined(search) +
           ", the directory its name gives; put it there or correct the name.\n";
  }
  // The search goes beside the running program (when the host can say
  // where that is), then the current directory, then PATH.
  std::vector<std::string> own, path;
  bool past_current = false;
  for (const std::string& dir : search) {
    if (dir == "." && !past_current) {
      past_current = true;
    } else {
      (past_current ? path : own).push_back(dir == "." ? current : dir);
    }
  }
  text += lead + "Programs are looked for, in this order:\n";
  if (!own.empty()) text += lead + "  beside " + std::string(program) + ": " + joined(own) + "\n";
  text += lead + "  in the current directory: " + current + "\n";
  if (!path.empty()) text += lead + "  along PATH: " + joined(path) + "\n";
  text += lead + "Put " + name + " (or a link to it; the name is matched with or without .EXE, in any case) " +
          "in one of them.\n";
  return text;
}

}  // namespace

std::string run_report_text(std::string_view program, const RunAccount& account,
                            const std::vector<std::string>& search, const std::string& current) {
  std::string text;
  for (const WrittenFile& file : account.files) {
    text += std::string(program) + (file.appended ? ": added to " : ": wrote ") + file.path + "\n";
  }
  if (!account.missing_program.empty()) {
    text += search_lines(program, account.missing_program, search, current);
  }
  return text;
}

void report_run(std::string_view program) noexcept {
  try {
    const RunAccount account = take_run_account();
    std::vector<std::string> search;
    if (!account.missing_program.empty()) search = program_search_directories(account.missing_program);
    for (std::string& dir : search) dir = host::shown_path(dir);
    const std::string text = run_report_text(program, account, search, host::full_path("."));
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
  } catch (const std::exception&) {
    // The account is a courtesy: the run's own outcome stands without it.
  }
}

}  // namespace verdan
