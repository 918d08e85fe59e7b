#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/program_start.h"
#include "platform/host/written_files.h"

namespace verdan {

CommandLine split_command_line(std::string_view line) {
  auto trim = [](std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string_view();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
  };
  line = trim(line);
  CommandLine result;
  std::size_t end;
  if (!line.empty() && line[0] == '"') {
    end = find_char(line, '"', 1);
    if (end == std::string_view::npos) end = line.size();
    result.program = std::string(line.substr(1, end - 1));
    if (end < line.size()) ++end;
  } else {
    end = find_char(line, ' ');
    if (end == std::string_view::npos) end = line.size();
    result.program = std::string(line.substr(0, end));
  }
  result.argument = std::string(trim(line.substr(end)));
  return result;
}

ProgramName split_program_name(std::string_view program) {
  std::size_t cut = 0;
  for (std::size_t i = 0; i < program.size(); i += char_length(program, i)) {
    char c = program[i];
    if (c == '\\' || c == '/' || (c == ':' && i == 1)) cut = i + 1;
  }
  std::string_view name = program.substr(cut);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return {program.substr(0, cut), name};
}

bool ends_with_exe(std::string_view name) {
  if (name.size() < 4) return false;
  std::string_view tail = name.substr(name.size() - 4);
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  return tail[0] == '.' && upper(tail[1]) == 'E' && upper(tail[2]) == 'X' && upper(tail[3]) == 'E';
}

bool command_line_fits(std::string_view program, std::string_view argument) {
  return program.size() + (argument.empty() ? 0 : 1 + argument.size()) <= kMaxCommandLine;
}

std::string program_to_start(std::string_view program, std::string_view argument) {
  if (!command_line_fits(program, argument)) {
    fail(kIllegalFunctionCall, "command line longer than 123 bytes: " + to_utf8(program));
  }
  std::string path = find_program(program);
  if (path.empty()) {
    note_program_not_found(std::string(program));
    fail(kProgramNotFound, "program not found: " + to_utf8(program));
  }
  return path;
}

}  // namespace verdan
