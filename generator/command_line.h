// The generator's options beyond --help and --version. Without --batch the
// dialogue runs and arguments it does not know are ignored, as they always
// were; with --batch every argument must be one of these.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace verdan {

struct GeneratorOptions {
  std::optional<std::string> batch;  // description file, "-" standard input
  std::optional<std::string> data_dir, print_file;
  bool replace_print_file = false;
  bool start_analysis = false;
  std::optional<std::string> record;   // dialogue: where its description goes
  std::optional<std::string> picture;  // batch: .png or .svg
};

struct CommandLineError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

GeneratorOptions read_generator_options(int argc, const char* const* argv);

}  // namespace verdan
