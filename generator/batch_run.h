// VDN-GENE --batch: the frame or grid of a description file built through
// the dialogue's model and output steps, on a screen nobody sees.
#pragma once

#include "generator/command_line.h"
#include "generator/description.h"
#include "generator/generator_program.h"

namespace verdan {

// A console with no keyboard and no display: the drawing stays in memory
// for the picture. An entry asked for ends the run, as a lost input would.
class OffScreenConsole : public Console {
 public:
  OffScreenConsole();

 protected:
  std::string take_entry() override;
  int take_key() override;
};

class BatchGenerator : public GeneratorProgram {
 public:
  BatchGenerator(Console& console, const GeneratorOptions& options);

  // Writes the listing, the data file and the picture asked for; starts the
  // analysis program when asked. Returns the exit status.
  int run_batch(const Description& description);

  // Failures are told on standard error and end the run: nobody is there
  // to answer "continue".
  Decision on_failure(const Failure& failure, int step) override;

 private:
  void use_settings();
  void build_frame(const FrameDescription& frame);
  void build_grid(const GridDescription& grid);
  bool svg_picture() const;
  void write_picture();

  const GeneratorOptions& options_;
  std::string svg_;  // drawn from the member states, before numbering
};

// The whole batch run from the options: reads the description (status 2
// and a message on standard error when it is wrong) and runs it.
int run_batch_generator(const GeneratorOptions& options);

}  // namespace verdan
