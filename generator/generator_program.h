// VDN-GENE: the data generator. One object owns the run's state (settings
// from the environment file, the frame model, the drawing transform); its
// dialogue steps are member functions spread over files named after what
// they do.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "generator/data_file.h"
#include "generator/description.h"
#include "generator/frame_model.h"
#include "generator/grid_model.h"
#include "generator/model/limits.h"
#include "generator/numbering.h"
#include "generator/screen_help.h"
#include "platform/console/console.h"
#include "platform/fallible_step.h"
#include "shared/screen_draw.h"

namespace verdan {

// Stable numbers of the fallible steps, shown after "LINE =" by the handler.
enum GeneratorStep : int {
  kGenProbeOldEnvFile = 1010,
  kGenRenameOldEnvFile = 1020,
  kGenProbeStartEnvFile = 1030,
  kGenProbeUserEnvFile = 1040,
  kGenReadEnvFile = 1050,
  kGenHandOver = 1060,
  kGenStartAnalysis = 1070,
  kGenSizeTables = 2010,
  kGenSpanLength = 2020,
  kGenStoreyHeight = 2030,
  kGenSizeGridTables = 3010,
  kGenGridSpanX = 3020,
  kGenGridSpanY = 3030,
  kGenProbePrintFile = 4010,
  kGenReplacePrintFile = 4020,
  kGenAppendPrintFile = 4030,
  kGenWriteDataFile = 5010,
  kGenWritePicture = 6010,
  kGenWriteRecord = 6020,
};

class GeneratorProgram : public ErrorHandler {
 public:
  static constexpr const char* kTitle = "任意フレーム応力解析 [VERDAN] DATA GENERATOR <VDN-GENE> Ver 2.59";
  static constexpr int kMaxEnvTexts = 250;

  explicit GeneratorProgram(Console& console);

  // Runs the whole dialogue; returns the exit status when it ends without
  // handing over to another program.
  int run();

  // After a normal end the entries are written to `path` as a description
  // file, before the analysis program is started.
  void record_to(std::string path) { record_path_ = std::move(path); }

  // The single error handler.
  Decision on_failure(const Failure& failure, int step) override;

  // State the tests look at.
  const std::string& data_dir() const { return data_dir_; }
  const std::string& print_file() const { return print_file_; }
  const std::string& env_dir() const { return env_dir_; }
  const std::string& user_dir() const { return user_dir_; }
  const std::vector<std::string>& env_text() const { return env_text_; }
  const FrameModel& frame() const { return frame_; }
  const GridBeam& grid() const { return grid_; }
  float diagram_scale() const { return diagram_scale_; }

 protected:
  // start_up.cpp
  void start_up();
  bool locate_env_file();
  void read_env_file();
  void show_title();
  float menu_choice();
  [[noreturn]] void start_program(const char* program, const std::string& argument, int step);

  // frame_input.cpp
  void show_data_name();
  void size_tables(int step, const std::function<void()>& size);
  void regular_frame();
  void ask_counts();
  bool within_grid_limit(double a, double b, const std::string& product);
  void ask_lengths(bool spans);
  // The span lengths and storey heights as entered, before accumulation.
  FrameDescription entered_lengths() const;

  // grid_beam.cpp
  void grid_beam();
  void ask_grid_spans(char axis, int count, int color);

  // frame_picture.cpp
  void draw_frame_picture();
  float screen_x(double x) const;
  float screen_y(double y) const;
  // A member's line on the plane. Lines drawn one after another, with
  // nothing else drawn between them, share `last`: a line the same as the
  // one just drawn is not drawn again (in a large frame many members fall
  // on the same pixels).
  struct PlaneLine {
    int x1, y1, x2, y2, color;
    bool operator==(const PlaneLine&) const = default;
  };
  void draw_member_line(GridPoint a, GridPoint b, int color, std::optional<PlaneLine>& last);

  // member_edit.cpp
  void edit_members();
  void edit_screen(MemberKind kind);
  // Lists as typed.
  void apply_edit(MemberKind kind, std::string_view levels, std::string_view axes);
  void show_frame_in_characters();

  // frame_output.cpp
  NumberingOrder ask_numbering_order();
  bool print_file_has_content();
  bool ask_overwrite(int row);
  void deliver_listing(bool replace, const std::function<void(TextSink&)>& write_listing);
  void number_and_write();
  template <typename Real>
  void write_data(const DataFileContent<Real>& content);

  // record.cpp
  void write_record();

  // error_handler.cpp
  // True when the failure was a missing per-user directory, now made; tried
  // once a step.
  bool repaired(const Failure& failure, int step);
  bool repair_user_dir();
  std::string env_message(int number, const char* standard) const;

  Console& console_;
  PenState pen_;
  // Screen geometry from the drawing plane's size.
  float diagram_left_ = 0, diagram_cx_ = 0, diagram_top_ = 0, diagram_cy_ = 0;
  float glyph_unit_ = 1;
  // Frame picture transform.
  float diagram_mid_x_ = 0, diagram_mid_y_ = 0, diagram_scale_ = 0;
  // Pixel column of each axis and row of each level on the picture: a
  // frame's x depends on its axis only and y on its level only.
  std::vector<int> axis_px_, level_py_;

  std::string start_dir_, user_dir_, env_dir_;
  std::string data_dir_, print_file_, data_name_;
  std::vector<std::string> env_text_;
  FrameModel frame_;
  GridBeam grid_;
  GridExtent grid_extent_;
  std::set<int> repaired_steps_;
  // What the user entered, for --record.
  std::string record_path_;
  Description entered_;
};

}  // namespace verdan
