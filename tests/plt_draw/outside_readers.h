// The outside programs that read our drawing files in the tests: ezdxf
// (through Debian's python3), xmllint and rsvg-convert. Each is looked for
// once; a test skips with the package to install where one is missing.
#pragma once

#include <cstdlib>
#include <string>

#include "tests/platform/host_fixtures.h"

namespace verdan::test {

// A python3 that imports ezdxf (the system one first: a python3 earlier on
// PATH may lack Debian's modules), or "" when there is none.
inline const std::string& ezdxf_python() {
  static const std::string python = [] {
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
      const std::string probe = std::string(candidate) + " -c 'import ezdxf' > /dev/null 2>&1";
      if (std::system(probe.c_str()) == 0) return std::string(candidate);
    }
    return std::string();
  }();
  return python;
}

inline bool have_program(const char* name) {
  return std::system((std::string("command -v ") + name + " > /dev/null 2>&1").c_str()) == 0;
}

// The summary of tests/plt_draw/dxf_summary.py for the DXF `dxf` (run in
// `dir`), rendering it to `png` as well when one is named.
inline std::string dxf_summary(const std::string& dir, const std::string& dxf, const std::string& png = "") {
  const std::string command = "cd '" + dir + "' && " + ezdxf_python() + " '" VERDAN_TEST_SOURCES
                              "/plt_draw/dxf_summary.py' '" + dxf + "' " + (png.empty() ? "" : "'" + png + "' ") +
                              "> summary.txt 2> summary_errors.txt";
  const bool read = std::system(command.c_str()) == 0;
  return read ? read_bytes(dir + "/summary.txt") : "ezdxf failed: " + read_bytes(dir + "/summary_errors.txt");
}

}  // namespace verdan::test

#define VERDAN_SKIP_WITHOUT_EZDXF()                                                                   \
  if (::verdan::test::ezdxf_python().empty())                                                         \
  GTEST_SKIP() << "python3-ezdxf is not installed (scripts/test installs it): the DXF was not read"

#define VERDAN_SKIP_WITHOUT(program, package)                                                         \
  if (!::verdan::test::have_program(program))                                                         \
  GTEST_SKIP() << program " is not installed (scripts/test installs " package "): the file was not read"
