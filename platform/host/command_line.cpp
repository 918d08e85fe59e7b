#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/program_start.h"

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

std::string program_to_start(std::string_view program, std::string_view argument) {
  std::size_t length = program.size() + (argument.empty() ? 0 : 1 + argument.size());
  if (length > kMaxCommandLine) {
    fail(kIllegalFunctionCall, "command line longer than 123 bytes: " + to_utf8(program));
  }
  std::string path = find_program(program);
  if (path.empty()) fail(kProgramNotFound, "program not found: " + to_utf8(program));
  return path;
}

}  // namespace verdan
