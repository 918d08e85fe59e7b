#include "generator/batch_run.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "generator/frame_svg.h"
#include "generator/model/frame_edit.h"
#include "generator/model/listings.h"
#include "platform/console/png_picture.h"
#include "platform/host/files.h"
#include "shared/own_files.h"

namespace verdan {

// The headless front end's plane, so the picture is the snapshot's.
OffScreenConsole::OffScreenConsole() : Console(640, 384) {}
std::string OffScreenConsole::take_entry() { throw ProgramEnd{3}; }
int OffScreenConsole::take_key() { throw ProgramEnd{3}; }

BatchGenerator::BatchGenerator(Console& console, const GeneratorOptions& options)
    : GeneratorProgram(console), options_(options) {}

namespace {

// The per-user directory is missing: no settings there, and nothing to make.
struct NoUserDirectory {};

}  // namespace

ErrorHandler::Decision BatchGenerator::on_failure(const Failure& failure, int step) {
  if (step == kGenProbeUserEnvFile && failure.code() == kPathNotFound) throw NoUserDirectory{};
  if (repaired(failure, step)) return Decision::retry;
  std::cerr << "VDN-GENE: ERROR : CODE = " << failure.code() << " LINE = " << step << ": " << failure.what()
            << '\n';
  return Decision::end;
}

// The settings file as the dialogue reads it; without one the current
// directory holds the data file and PRT.TXT, and nothing is handed over.
void BatchGenerator::use_settings() {
  start_up();
  bool found = false;
  try {
    found = locate_env_file();
  } catch (const NoUserDirectory&) {
  }
  if (found) {
    read_env_file();
  } else {
    data_dir_.clear();
    print_file_ = "PRT.TXT";
  }
  if (options_.data_dir) {
    data_dir_ = *options_.data_dir;
    if (!data_dir_.empty() && data_dir_.back() != '/' && data_dir_.back() != '\\') data_dir_ += '/';
  }
  if (options_.print_file) print_file_ = *options_.print_file;
  sweep_after_killed_runs({env_dir_, user_dir_, data_dir_}, print_file_);
}

void BatchGenerator::build_frame(const FrameDescription& d) {
  data_name_ = "FRAME";
  const int nx = static_cast<int>(d.spans.size());
  const int ns = static_cast<int>(d.storeys.size());
  size_tables(kGenSizeTables, [&] { frame_.size(nx, ns); });
  for (int i = 1; i <= nx; ++i) frame_.node_x(0, i) = d.spans[static_cast<std::size_t>(i - 1)];
  for (int i = 1; i <= ns; ++i) frame_.node_y(i + 1, 0) = d.storeys[static_cast<std::size_t>(i - 1)];
  frame_.accumulate_coordinates();
  frame_.place_initial_members();
  // The screen's drawing costs time on a large frame: made only for its
  // picture.
  const bool draw = options_.picture && !svg_picture();
  if (draw) draw_frame_picture();
  for (const EditStep& edit : d.edits) {
    if (draw) {
      apply_edit(edit.kind, edit.levels, edit.axes);
    } else {
      toggle_members(frame_, edit.kind, edit_list(edit.levels), edit_list(edit.axes), [](const Toggle&) {});
    }
  }
  if (svg_picture()) {
    run_step(*this, kGenWritePicture, [&] {
      StringSink svg;
      write_frame_svg(svg, frame_);
      svg_ = svg.text();
    });
  }
  NumberedFrame numbered = number_frame(frame_, d.numbering);
  const bool replace = print_file_has_content() && options_.replace_print_file;
  deliver_listing(replace, [&](TextSink& listing) { write_frame_listing(listing, numbered, frame_); });
  write_data(numbered.data);
}

void BatchGenerator::build_grid(const GridDescription& d) {
  data_name_ = "CROSS";
  const int nx = static_cast<int>(d.x_spans.size());
  const int ny = static_cast<int>(d.y_spans.size());
  size_tables(kGenSizeGridTables, [&] { grid_.size(nx, ny); });
  for (int i = 1; i <= nx; ++i) grid_.x_span(i) = d.x_spans[static_cast<std::size_t>(i - 1)];
  for (int j = 1; j <= ny; ++j) grid_.y_span(j) = d.y_spans[static_cast<std::size_t>(j - 1)];
  grid_.accumulate();
  DataFileContent<float> data = grid_.generate();
  const bool replace = print_file_has_content() && options_.replace_print_file;
  deliver_listing(replace, [&](TextSink& listing) { write_grid_listing(listing, grid_); });
  write_data(data);
}

bool BatchGenerator::svg_picture() const {
  const std::string& path = options_.picture.value_or("");
  return path.size() > 4 && path.compare(path.size() - 4, 4, ".svg") == 0;
}

void BatchGenerator::write_picture() {
  const std::string& path = *options_.picture;
  run_step(*this, kGenWritePicture, [&] {
    if (svg_picture()) {
      TextFile file = TextFile::open_replacing(path);
      file.write(svg_);
      file.commit();
    } else {
      write_png_picture(console_.screen(), path);
    }
  });
}

int BatchGenerator::run_batch(const Description& description) {
  use_settings();
  if (const auto* frame = std::get_if<FrameDescription>(&description)) {
    build_frame(*frame);
  } else {
    build_grid(std::get<GridDescription>(description));
  }
  if (options_.picture) write_picture();
  if (options_.start_analysis) start_program("VERDAN.EXE", data_name_, kGenStartAnalysis);
  return 0;
}

int run_batch_generator(const GeneratorOptions& options) {
  const std::string& path = *options.batch;
  const bool from_input = path == "-";
  std::string text;
  if (from_input) {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::cerr << "VDN-GENE: " << path << ": cannot be read\n";
      return 2;
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  Description description;
  try {
    description = read_description(text, from_input ? "standard input" : path);
  } catch (const DescriptionError& error) {
    std::cerr << error.what() << '\n';
    return 2;
  }
  // The dialogue draws no picture of a grid.
  if (options.picture && std::holds_alternative<GridDescription>(description)) {
    std::cerr << "VDN-GENE: --picture draws frames; a grid has no picture\n";
    return 2;
  }
  OffScreenConsole console;
  BatchGenerator generator(console, options);
  try {
    return generator.run_batch(description);
  } catch (const ProgramEnd& end) {
    return end.status;
  }
}

}  // namespace verdan
