// Frame and grid descriptions: what the dialogue asks, kept in a TOML file,
// read and checked before anything is written, and written back from a
// dialogue's entries.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "generator/frame_model.h"
#include "generator/numbering.h"

namespace verdan {

// One pair of lists of the member-editing screens, as typed (CP932).
struct EditStep {
  MemberKind kind;
  std::string levels, axes;
};

// Lengths in cm, already rounded as typed entries are.
struct FrameDescription {
  std::vector<double> spans, storeys;
  std::vector<EditStep> edits;
  NumberingOrder numbering;
};

struct GridDescription {
  std::vector<double> x_spans, y_spans;
};

using Description = std::variant<FrameDescription, GridDescription>;

// "name:line:column: what was expected".
struct DescriptionError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads a description from `text`; `name` stands before the place of an
// error. Throws DescriptionError for anything the dialogue would not take.
Description read_description(std::string_view text, const std::string& name);

// The description file that gives what `description` holds.
std::string write_description(const Description& description);

}  // namespace verdan
