#include "plt_draw/tmp2jwc.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/cp932.h"
#include "platform/dos_path.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "plt_draw/conversion_progress.h"
#include "plt_draw/jwc_header.h"
#include "plt_draw/record_reader.h"

namespace verdan {
namespace {

// The group scale as set-up wrote it: fixed-point, or for a huge scale the
// exponent form followed by its decimals ("1E+06.00").
float scale_text_value(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '+')) text.remove_prefix(1);
  float value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Thrown inside the conversion when the intermediate file is not sound.
struct DamagedFile {};

// Where each drawing record keeps its layer byte.
std::size_t layer_at(int kind) { return kind == 's' ? 18 : kind == 'e' ? 28 : 21; }

bool drawing_record(int kind) { return kind == 's' || kind == 'e' || kind == 'm'; }

void append_int32(std::string& out, std::int64_t n) {
  auto bits = static_cast<std::uint32_t>(n);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

class Conversion {
 public:
  Conversion(Console& console, std::string_view tmp_file, std::string_view spinner)
      : reader_(tmp_file), progress_(console, spinner) {}

  ConversionProgress& progress() { return progress_; }

  // Pass 1: counts, the groups' scales, and the soundness of every record.
  JwcSurvey survey() {
    JwcSurvey s;
    for (int kind = next(); kind >= 0; kind = next()) {
      if (kind == 'i') {
        std::string title_1(reader_.read('i').text);
        std::string title_2(companion());
        std::string setup(companion());
        std::size_t comma = find_char(setup, ',');
        // The scale stands before the first comma; a 17th group has no place.
        if (comma == std::string::npos || comma == 0 || s.groups == kLayerGroups) throw DamagedFile{};
        s.group_scales[static_cast<std::size_t>(s.groups)] = scale_text_value(std::string_view(setup).substr(0, comma));
        if (s.groups == 0) {
          s.title_1 = std::move(title_1);
          s.title_2 = std::move(title_2);
          s.setup = std::move(setup);
        }
        ++s.groups;
      } else if (drawing_record(kind)) {
        // A record before the first group would have no layer group.
        if (s.groups == 0) throw DamagedFile{};
        RecordReader::Record record = checked(kind, 0);
        if (kind == 's') ++s.lines;
        if (kind == 'e') ++s.circles;
        if (kind == 'm') {
          ++s.texts;
          s.text_total += static_cast<std::int64_t>(record.text.size());
        }
      }
    }
    if (s.groups == 0) throw DamagedFile{};
    return s;
  }

  // One later pass: `write(record, offset)` for each record of `wanted`,
  // offset being 16 times its group's number.
  template <typename Write>
  void pass(int wanted, Write write) {
    reader_.rewind();
    int offset = -16;
    for (int kind = next(); kind >= 0; kind = next()) {
      if (kind == 'i') {
        reader_.read('i');
        companion();
        companion();
        offset += 16;
        if (offset >= 16 * kLayerGroups) throw DamagedFile{};
      } else if (drawing_record(kind)) {
        RecordReader::Record record = checked(kind, offset);
        if (kind == wanted) write(record, offset);
      }
    }
  }

 private:
  int next() {
    int kind = reader_.kind();
    if (kind >= 0) progress_.tick();
    return kind;
  }

  // The text of the next record of a group's three "i" records.
  std::string_view companion() {
    if (next() != 'i') throw DamagedFile{};
    return reader_.read('i').text;
  }

  // A whole record whose layer lies within its group.
  RecordReader::Record checked(int kind, int offset) {
    RecordReader::Record record = reader_.read(kind);
    if (!record.complete || offset < 0) throw DamagedFile{};
    if (static_cast<unsigned char>(record.fixed[layer_at(kind)]) >= 16) throw DamagedFile{};
    return record;
  }

  RecordReader reader_;
  ConversionProgress progress_;
};

// Writes the drawing file; the caller deletes it when this fails.
void write_drawing(Conversion& conversion, const std::string& head, TextFile& out) {
  out.write(head);
  std::string record;
  const auto with_layer = [&](std::string_view fixed, std::size_t layer, int offset) {
    record.assign(fixed);
    record[layer] = static_cast<char>(static_cast<unsigned char>(fixed[layer]) + offset);
    out.write(record);
  };
  conversion.pass('s', [&](const RecordReader::Record& r, int offset) { with_layer(r.fixed, 18, offset); });
  conversion.pass('e', [&](const RecordReader::Record& r, int offset) { with_layer(r.fixed, 28, offset); });
  std::int64_t position = 0;
  conversion.pass('m', [&](const RecordReader::Record& r, int offset) {
    record.assign(r.fixed.substr(0, 16));
    // Positions are whole byte counts: no single-precision rounding.
    append_int32(record, position);
    record.push_back(r.fixed[20]);
    record.push_back(static_cast<char>(static_cast<unsigned char>(r.fixed[21]) + offset));
    record.append(r.fixed.substr(22, 2));
    out.write(record);
    position += static_cast<std::int64_t>(r.text.size());
  });
  conversion.pass('m', [&](const RecordReader::Record& r, int) { out.write(r.text); });
  out.write(std::string_view("\0", 1));
  out.write(jwc_tail());
}

bool same_file(std::string_view a, std::string_view b) {
  std::error_code ignored;
  return std::filesystem::equivalent(host_path(a), host_path(b), ignored);
}

}  // namespace

void TMP2JWC(Console& console, std::string_view tmp_file, std::string_view jwc_file, std::string_view spinner) {
  // Writing the drawing over its own source would destroy the source first.
  if (same_file(tmp_file, jwc_file)) fail(kIllegalFunctionCall, "JW_CAD file and intermediate file are one file");
  Conversion conversion(console, tmp_file, spinner);
  std::optional<TextFile> out;
  try {
    JwcSurvey survey = conversion.survey();
    std::optional<std::string> head = jwc_head(survey);
    if (!head) throw DamagedFile{};
    // Text positions and counts must stay within the file's 32-bit fields.
    if (survey.text_total >= INT32_MAX) fail(kOverflow, "texts too long for a JW_CAD file");
    out.emplace(TextFile::open_output(jwc_file));
    write_drawing(conversion, *head, *out);
    out->close();
  } catch (...) {
    if (out) {
      out.reset();
      try {
        delete_file(jwc_file);
      } catch (const Failure&) {
        // The first failure is the one to report.
      }
    }
    try {
      throw;
    } catch (const DamagedFile&) {
      conversion.progress().damaged(tmp_file);
    }
  }
}

}  // namespace verdan
