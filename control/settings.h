// The settings record kept in the environment file (all CP932 texts).
#pragma once

#include <string>

namespace verdan {

struct Settings {
  std::string data_dir;         // prefix of data file names ("C:" or ending in "\")
  std::string work_dir;         // work drive or directory, same form
  std::string plot_file;
  std::string unit_flag;        // "SI", "si" or "0"
  std::string print_file;
  std::string plotter_spec;     // plotter type digit "." character height
  std::string spare_setting;
  std::string plot_decimals;    // displacement decimals "." stress decimals
  std::string error_threshold;  // "0" switches the check off
};

}  // namespace verdan
