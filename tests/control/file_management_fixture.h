// The control program's file management run in-process: settings whose data
// directory is DATA\ under the start directory, an "INDEX" and data files
// laid out by the test, no command interpreter unless a test names one.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "control/env_file.h"
#include "platform/codec/cp932.h"
#include "tests/control/control_fixture.h"

namespace verdan::test {

// `text` filled with blanks to `width` bytes.
inline std::string pad(const std::string& text, std::size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

class FileManagementRun : public ControlRun {
 protected:
  FileManagementRun() : comspec_("ComSpec", std::nullopt) {
    std::filesystem::create_directories(dir_ / "app/verdan");
    std::filesystem::create_directory(dir_ / "DATA");
    StringSink ini;
    write_env_lines(ini, {"DATA\\", "C:", "PLT.OUT", "SI", "PRT.TXT", "1.2", "0", "2.1", "0.02"}, "2.64");
    write_bytes(dir_ / "app/verdan/VERDAN.INI", ini.text());
  }

  // "INDEX" with each UTF-8 text as one quoted CP932 line.
  void write_index(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += "\"" + to_cp932(line) + "\"\r\n";
    write_bytes(dir_ / "DATA/INDEX", bytes);
  }

  // A data file of `size` bytes last changed at noon on the given local day.
  void write_data_file(const std::string& name, std::size_t size, int year = 2019, int month = 2, int day = 20) {
    const std::string path = dir_ / ("DATA/" + name);
    write_bytes(path, std::string(size, 'x'));
    std::tm noon{};
    noon.tm_year = year - 1900;
    noon.tm_mon = month - 1;
    noon.tm_mday = day;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    timespec times[2] = {{std::mktime(&noon), 0}, {std::mktime(&noon), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
  }

  std::string data(const std::string& name) const { return read_bytes(dir_ / ("DATA/" + name)); }
  bool has(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

  // Row `row` of the screen with the colour of its first cell.
  int color_at(int row, int col = 0) const { return console_->screen().cell(row, col).color; }

  ScopedEnv comspec_;
};

}  // namespace verdan::test
