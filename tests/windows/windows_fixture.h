// A fresh directory as the current one, for tests of the Windows host
// services; removed afterwards with everything in it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace verdan::test {

class WindowsHost : public ::testing::Test {
 protected:
  WindowsHost() {
    static int count = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("verdan-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count));
    std::filesystem::create_directories(dir_);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  ~WindowsHost() override {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  static void write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  static std::string read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path dir_;
  std::filesystem::path old_;
};

}  // namespace verdan::test
