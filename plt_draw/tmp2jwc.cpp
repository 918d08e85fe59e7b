#include "plt_draw/tmp2jwc.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <optional>
#include <string>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/host/files.h"
#include "platform/host/same_file.h"
#include "platform/write_behind.h"
#include "plt_draw/conversion_progress.h"
#include "plt_draw/held_text.h"
#include "plt_draw/jwc_header.h"
#include "plt_draw/record_reader.h"
#include "shared/plot_numbers.h"

namespace verdan {
namespace {

// The group scale as set-up wrote it: fixed-point, or for a huge scale the
// exponent form followed by its decimals ("1E+06.00"); a double-precision
// exponent is marked "D". Nothing when it is no finite single.
std::optional<float> scale_text_value(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '+')) text.remove_prefix(1);
  std::string number(text);
  for (char& c : number) {
    if (c == 'D' || c == 'd') c = 'E';
  }
  double value = 0;
  const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
  if (read.ec == std::errc::result_out_of_range || !std::isfinite(value) ||
      std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

// The bits of the little-endian single at `bytes`.
std::uint32_t single_bits(const char* bytes) {
  std::uint32_t bits = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&bits, bytes, sizeof bits);
  } else {
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return bits;
}

// Thrown inside the conversion when the intermediate file is not sound.
struct DamagedFile {};

// Where each drawing record keeps its layer byte.
std::size_t layer_at(int kind) { return kind == 's' ? 18 : kind == 'e' ? 28 : 21; }

// A record's layer within its group's sixteen, in the `fixed` part of `kind`.
bool layer_within_group(const char* fixed, int kind) {
  return static_cast<unsigned char>(fixed[layer_at(kind)]) < 16;
}

// The first `Count` singles from `fixed` are all finite; a count known
// when compiled lets the checks go as one.
template <int Count>
bool finite_singles(const char* fixed) {
  // A single is no finite number when its exponent bits are all set; one
  // more in the exponent's lowest bit then carries into the top bit, which
  // no other exponent reaches.
  constexpr std::uint32_t kExponent = 0x7F800000u, kExponentOne = 0x00800000u;
  std::uint32_t carried = 0;
  for (int i = 0; i < Count; ++i) carried |= (single_bits(fixed + 4 * i) & kExponent) + kExponentOne;
  return (carried >> 31) == 0;
}

// The singles at the start of the `fixed` part of `kind` are all finite.
bool finite_coordinates(const char* fixed, int kind) {
  return kind == 'e' ? finite_singles<3>(fixed) : finite_singles<4>(fixed);
}

bool drawing_record(int kind) { return kind == 's' || kind == 'e' || kind == 'm'; }

class Conversion {
 public:
  // `progress` takes the steps of the records read; none for a reading
  // that shows nothing.
  Conversion(std::string_view tmp_file, ConversionProgress* progress) : reader_(tmp_file), progress_(progress) {}

  // What the survey found that no drawing file may hold: a number that is not
  // finite. Null when there is none.
  const char* overflow() const { return overflow_; }
  // Records read so far.
  std::int64_t records() const { return records_; }

  // One reading: the counts, the groups' scales and the soundness of every
  // record, each drawing record handed on the way to `write(kind, record,
  // offset)`, offset being 16 times its group's number.
  template <typename Write>
  JwcSurvey read(Write write) {
    JwcSurvey s;
    for (;;) {
      if (s.groups > 0) record_run(s, 16 * (s.groups - 1), write);
      const int kind = next();
      if (kind < 0) break;
      if (kind == 'i') {
        group(s);
      } else if (drawing_record(kind)) {
        // A record before the first group would have no layer group.
        if (s.groups == 0) throw DamagedFile{};
        const int offset = 16 * (s.groups - 1);
        RecordReader::Record record = checked(kind);
        if (kind == 's') {
          ++s.lines;
        } else if (kind == 'e') {
          ++s.circles;
        } else {
          ++s.texts;
          s.text_total += static_cast<std::int64_t>(record.text.size());
        }
        write(kind, record, offset);
      }
    }
    if (s.groups == 0) throw DamagedFile{};
    return s;
  }

  // The reading that writes nothing.
  JwcSurvey survey() {
    return read([](int, const RecordReader::Record&, int) {});
  }

 private:
  // Line and text records whole in the chunk, checked and handed on in a
  // run without the general reading's steps: nearly every record of a
  // drawing. The first that is anything else is left to the general
  // reading, a damaged one too.
  template <typename Write>
  void record_run(JwcSurvey& s, int offset, Write& write) {
    constexpr std::ptrdiff_t kLineRecord = 1 + kLineBody + 1;
    const std::string_view ahead = reader_.ahead();
    const char* p = ahead.data();
    const char* const end = p + ahead.size();
    bool finite = true;
    std::int64_t lines = 0, texts = 0;
    for (;;) {
      if (end - p >= kLineRecord && p[0] == 's' && p[kLineRecord - 1] == '\n' && layer_within_group(p + 1, 's')) {
        finite &= finite_singles<4>(p + 1);
        write('s', RecordReader::Record{std::string_view(p + 1, kLineBody), {}, true}, offset);
        p += kLineRecord;
        ++lines;
      } else if (end - p > static_cast<std::ptrdiff_t>(1 + kTextBody) && p[0] == 'm' &&
                 layer_within_group(p + 1, 'm')) {
        // A whole text ends in its zero byte and LF, before any end mark.
        const char* const text = p + 1 + kTextBody;
        const char* stop = text;
        while (stop != end && *stop != '\n' && *stop != RecordReader::kEndOfText) ++stop;
        if (stop == end || *stop != '\n' || stop == text || stop[-1] != '\0') break;
        finite &= finite_singles<4>(p + 1);
        const std::string_view whole(text, static_cast<std::size_t>(stop - text));
        write('m', RecordReader::Record{std::string_view(p + 1, kTextBody), whole, true}, offset);
        s.text_total += static_cast<std::int64_t>(whole.size());
        p = stop + 1;
        ++texts;
      } else {
        break;
      }
    }
    if (!finite) overflow_ = kNotFinite;
    reader_.skip(static_cast<std::size_t>(p - ahead.data()));
    s.lines += lines;
    s.texts += texts;
    records_ += lines + texts;
    if (progress_ != nullptr) progress_->tick(static_cast<int>(kKindPasses * (lines + texts)));
  }

  // Lines, circles, text records and texts: the indicator takes a step for
  // each of the drawing's four parts.
  static constexpr int kKindPasses = 4;

  int next() {
    int kind = reader_.kind();
    if (kind >= 0) {
      ++records_;
      if (progress_ != nullptr) progress_->tick(kKindPasses);
    }
    return kind;
  }

  // A group's three "i" records: its titles and its set-up line.
  void group(JwcSurvey& s) {
    std::string title_1(reader_.read('i').text);
    std::string title_2(companion());
    std::string setup(companion());
    std::size_t comma = find_char(setup, ',');
    // The scale stands before the first comma; a 17th group has no place.
    if (comma == std::string::npos || comma == 0 || s.groups == kLayerGroups) throw DamagedFile{};
    std::optional<float> scale = scale_text_value(std::string_view(setup).substr(0, comma));
    if (!scale) overflow_ = "a group scale beyond single precision";
    s.group_scales[static_cast<std::size_t>(s.groups)] = scale.value_or(0);
    if (s.groups == 0) {
      s.title_1 = std::move(title_1);
      s.title_2 = std::move(title_2);
      s.setup = std::move(setup);
    }
    ++s.groups;
  }

  // The text of the next record of a group's three "i" records.
  std::string_view companion() {
    if (next() != 'i') throw DamagedFile{};
    return reader_.read('i').text;
  }

  // A whole record whose layer lies within its group.
  RecordReader::Record checked(int kind) {
    RecordReader::Record record = reader_.read(kind);
    if (!record.complete) throw DamagedFile{};
    // A complete record has its whole fixed part.
    if (!layer_within_group(record.fixed.data(), kind)) throw DamagedFile{};
    if (!finite_coordinates(record.fixed.data(), kind)) overflow_ = kNotFinite;
    return record;
  }

  static constexpr const char* kNotFinite = "a coordinate that is no finite number";

  RecordReader reader_;
  ConversionProgress* progress_;
  std::int64_t records_ = 0;
  const char* overflow_ = nullptr;
};

// A record's fixed part of `Size` bytes copied to `record`, its layer among
// the file's: 16 times its group's number on. A copy of constant size,
// made without a call.
template <std::size_t Size>
std::string_view with_file_layer(char* record, const char* fixed, int kind, int offset) {
  std::memcpy(record, fixed, Size);
  const std::size_t layer = layer_at(kind);
  record[layer] = static_cast<char>(static_cast<unsigned char>(fixed[layer]) + offset);
  return {record, Size};
}

// Writes the drawing after room for its head in the survey's reading, and
// returns what the survey found: the lines go out as they come, and the
// circles, text records and texts, which follow all the lines, wait in
// memory or a spool file. The file is written on a thread of its own, the
// records being read meanwhile.
JwcSurvey write_drawing(Conversion& conversion, TextFile& file) {
  WriteBehind out(file);
  // The room goes first in the writer's blocks, which then fall on whole
  // offsets of the file, as a transfer past the host's cache needs.
  out.write(std::string(jwc_head_size(), '\0'));
  HeldText circles, text_records, texts;
  // Room for the writer's fixed-size copy of any record's fixed part.
  static_assert(kCircleBody <= WriteBehind::kPadded);
  char record[WriteBehind::kPadded];
  std::int64_t position = 0;
  JwcSurvey found = conversion.read([&](int kind, const RecordReader::Record& r, int offset) {
    // The fixed parts are complete (see checked()).
    if (kind == 's') {
      out.write_padded(with_file_layer<kLineBody>(record, r.fixed.data(), 's', offset));
    } else if (kind == 'e') {
      circles.append(with_file_layer<kCircleBody>(record, r.fixed.data(), 'e', offset));
    } else {
      with_file_layer<kTextBody>(record, r.fixed.data(), 'm', offset);
      // Positions are whole byte counts: no single-precision rounding.
      little_endian(record + 16, static_cast<std::uint32_t>(position), 4);
      text_records.append(std::string_view(record, kTextBody));
      texts.append(r.text);
      position += static_cast<std::int64_t>(r.text.size());
    }
  });
  circles.write_to(out);
  text_records.write_to(out);
  texts.write_to(out);
  out.write(std::string_view("\0", 1));
  out.write(jwc_tail());
  out.finish();
  return found;
}

}  // namespace

void TMP2JWC(Console& console, std::string_view tmp_file, std::string_view jwc_file, std::string_view spinner) {
  // The drawing in its own source's place would leave nothing to convert again.
  if (same_file(tmp_file, jwc_file)) fail(kIllegalFunctionCall, "JW_CAD file and intermediate file are one file");
  ConversionProgress progress(console, spinner);
  // One reading surveys the file and writes the drawing after room for the
  // head that the survey's counts fill in; until the commit the old drawing
  // stays whole.
  std::optional<TextFile> out;
  std::optional<JwcSurvey> found;
  const char* overflow = nullptr;
  std::int64_t records = 0;
  std::exception_ptr writing_failure;
  try {
    Conversion conversion(tmp_file, &progress);
    out.emplace(TextFile::open_replacing(jwc_file));
    out->pass_cache_when_large();  // a drawing for CAD, not read again soon
    found = write_drawing(conversion, *out);
    overflow = conversion.overflow();
    records = conversion.records();
  } catch (const DamagedFile&) {
    out.reset();
    progress.damaged(tmp_file);
  } catch (...) {
    writing_failure = std::current_exception();
  }
  if (writing_failure) {
    // What the file holds is told first, whatever the writing met: the rest
    // of it is read for damage and numbers out of range.
    out.reset();
    try {
      Conversion reading(tmp_file, nullptr);
      found = reading.survey();
      overflow = reading.overflow();
    } catch (const DamagedFile&) {
      progress.damaged(tmp_file);
    }
  }
  const std::optional<std::string> head = jwc_head(*found);
  if (!head) {
    out.reset();
    progress.damaged(tmp_file);
  }
  // A sound file whose numbers the drawing cannot carry.
  if (overflow != nullptr) fail(kOverflow, overflow);
  // Text positions and counts must stay within the file's 32-bit fields.
  if (found->text_total >= INT32_MAX) fail(kOverflow, "texts too long for a JW_CAD file");
  if (writing_failure) std::rethrow_exception(writing_failure);
  // The survey's steps, shown after the writing's.
  progress.tick(static_cast<int>(std::min<std::int64_t>(records, INT32_MAX)));
  out->commit_with_start(*head);
}

}  // namespace verdan
