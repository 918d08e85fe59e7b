#include "generator/command_line.h"

#include <string_view>
#include <vector>

namespace verdan {

GeneratorOptions read_generator_options(int argc, const char* const* argv) {
  GeneratorOptions options;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::vector<std::string_view> unknown;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw CommandLineError(std::string(arg) + " needs a value");
      return std::string(args[++i]);
    };
    if (arg == "--batch") {
      options.batch = value();
    } else if (arg == "--data-dir") {
      options.data_dir = value();
    } else if (arg == "--print-file") {
      options.print_file = value();
    } else if (arg == "--replace-print-file") {
      options.replace_print_file = true;
    } else if (arg == "--start-analysis") {
      options.start_analysis = true;
    } else if (arg == "--record") {
      options.record = value();
    } else if (arg == "--picture") {
      options.picture = value();
    } else {
      unknown.push_back(arg);
    }
  }
  if (!options.batch) {
    if (options.data_dir || options.print_file || options.replace_print_file || options.start_analysis ||
        options.picture) {
      throw CommandLineError("--data-dir, --print-file, --replace-print-file, --start-analysis and --picture "
                             "go with --batch");
    }
    return options;
  }
  if (!unknown.empty()) throw CommandLineError("unknown argument " + std::string(unknown.front()));
  if (options.record) throw CommandLineError("--record goes with the dialogue, not --batch");
  if (options.picture) {
    const std::string& p = *options.picture;
    auto ends = [&](std::string_view e) { return p.size() > e.size() && p.compare(p.size() - e.size(), e.size(), e) == 0; };
    if (!ends(".png") && !ends(".svg")) throw CommandLineError("--picture needs a file ending in .png or .svg");
  }
  return options;
}

}  // namespace verdan
