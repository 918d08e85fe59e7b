#include "plt_draw/tmp2jwc.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <thread>

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

// The singles at the start of a drawing record: coordinates, and the radius.
int coordinates_of(int kind) { return kind == 'e' ? 3 : 4; }

// The little-endian single at `bytes`.
bool finite_single(const char* bytes) {
  std::uint32_t bits = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&bits, bytes, sizeof bits);
  } else {
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return (bits & 0x7F800000u) != 0x7F800000u;
}

// Thrown inside the conversion when the intermediate file is not sound.
struct DamagedFile {};

// Where each drawing record keeps its layer byte.
std::size_t layer_at(int kind) { return kind == 's' ? 18 : kind == 'e' ? 28 : 21; }

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
        std::optional<float> scale = scale_text_value(std::string_view(setup).substr(0, comma));
        if (!scale) overflow_ = "a group scale beyond single precision";
        s.group_scales[static_cast<std::size_t>(s.groups)] = scale.value_or(0);
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

  // The pass after the survey: `write(kind, record, offset)` for each
  // drawing record, offset being 16 times its group's number. The indicator
  // takes a step for each of the drawing's four parts.
  // Ends as a damaged file as soon as `stop` is set.
  template <typename Write>
  void pass(Write write, const std::atomic<bool>& stop) {
    reader_.rewind();
    ticks_ = kKindPasses;
    int offset = -16;
    for (int kind = next(); kind >= 0; kind = next()) {
      if (stop.load(std::memory_order_relaxed)) throw DamagedFile{};
      if (kind == 'i') {
        reader_.read('i');
        companion();
        companion();
        offset += 16;
        if (offset >= 16 * kLayerGroups) throw DamagedFile{};
      } else if (drawing_record(kind)) {
        write(kind, checked(kind, offset), offset);
      }
    }
  }

 private:
  // Lines, circles, text records and texts.
  static constexpr int kKindPasses = 4;

  int next() {
    int kind = reader_.kind();
    if (kind >= 0) {
      ++records_;
      if (progress_ != nullptr) progress_->tick(ticks_);
    }
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
    // A complete record has its whole fixed part.
    const int coordinates = coordinates_of(kind);
    bool finite = true;
    for (int i = 0; i < coordinates; ++i) finite &= finite_single(record.fixed.data() + 4 * i);
    if (!finite) overflow_ = "a coordinate that is no finite number";
    return record;
  }

  RecordReader reader_;
  ConversionProgress* progress_;
  int ticks_ = 1;  // for each record read
  std::int64_t records_ = 0;
  const char* overflow_ = nullptr;
};

// The survey, read on a thread of its own while the records are written.
class SurveyAside {
 public:
  explicit SurveyAside(std::string_view tmp_file) : tmp_file_(tmp_file), thread_([this] { run(); }) {}
  ~SurveyAside() {
    if (thread_.joinable()) thread_.join();
  }
  SurveyAside(const SurveyAside&) = delete;
  SurveyAside& operator=(const SurveyAside&) = delete;

  // Set once the survey has found the file damaged or failed to read it.
  const std::atomic<bool>& failed() const { return failed_; }

  // Waits for the survey: nothing when the file is damaged; what reading
  // it threw is thrown here.
  std::optional<JwcSurvey> take() {
    thread_.join();
    if (failure_) std::rethrow_exception(failure_);
    return survey_;
  }
  const char* overflow() const { return overflow_; }
  std::int64_t records() const { return records_; }

 private:
  void run() {
    try {
      Conversion reading(tmp_file_, nullptr);
      survey_ = reading.survey();
      overflow_ = reading.overflow();
      records_ = reading.records();
    } catch (const DamagedFile&) {
      failed_ = true;
    } catch (...) {
      failure_ = std::current_exception();
      failed_ = true;
    }
  }

  std::string tmp_file_;
  std::optional<JwcSurvey> survey_;
  const char* overflow_ = nullptr;
  std::int64_t records_ = 0;
  std::exception_ptr failure_;
  std::atomic<bool> failed_ = false;
  std::thread thread_;  // last: started when the rest is ready
};

// Writes the drawing after its head in one reading: the lines go out as they
// come, and the circles, text records and texts, which follow all the
// lines, wait in memory or a spool file. The file is written on a thread of
// its own, the records being read meanwhile.
void write_drawing(Conversion& conversion, TextFile& file, const std::atomic<bool>& stop) {
  WriteBehind out(file);
  HeldText circles, text_records, texts;
  // The fixed parts are complete (see checked()): at most kCircleBody bytes,
  // in room enough for the writer's fixed-size copy.
  static_assert(kCircleBody <= WriteBehind::kPadded);
  char record[WriteBehind::kPadded];
  const auto with_layer = [&record](std::string_view fixed, std::size_t layer, int offset) {
    std::memcpy(record, fixed.data(), fixed.size());
    record[layer] = static_cast<char>(static_cast<unsigned char>(fixed[layer]) + offset);
    return std::string_view(record, fixed.size());
  };
  std::int64_t position = 0;
  conversion.pass([&](int kind, const RecordReader::Record& r, int offset) {
    if (kind == 's') {
      // A complete line record: a body of fixed size, copied as such.
      std::memcpy(record, r.fixed.data(), kLineBody);
      record[18] = static_cast<char>(static_cast<unsigned char>(r.fixed[18]) + offset);
      out.write_padded(std::string_view(record, kLineBody));
    } else if (kind == 'e') {
      circles.append(with_layer(r.fixed, 28, offset));
    } else {
      std::memcpy(record, r.fixed.data(), kTextBody);
      // Positions are whole byte counts: no single-precision rounding.
      little_endian(record + 16, static_cast<std::uint32_t>(position), 4);
      record[21] = static_cast<char>(static_cast<unsigned char>(r.fixed[21]) + offset);
      text_records.append(std::string_view(record, kTextBody));
      texts.append(r.text);
      position += static_cast<std::int64_t>(r.text.size());
    }
  }, stop);
  const auto write = [&out](std::string_view bytes) { out.write(bytes); };
  circles.replay(write);
  text_records.replay(write);
  texts.replay(write);
  out.write(std::string_view("\0", 1));
  out.write(jwc_tail());
  out.finish();
}

}  // namespace

void TMP2JWC(Console& console, std::string_view tmp_file, std::string_view jwc_file, std::string_view spinner) {
  // The drawing in its own source's place would leave nothing to convert again.
  if (same_file(tmp_file, jwc_file)) fail(kIllegalFunctionCall, "JW_CAD file and intermediate file are one file");
  ConversionProgress progress(console, spinner);
  // The survey is read beside the writing, which leaves room for the head
  // that the survey's counts fill in: one reading's time, not two. What the
  // survey finds comes first, as when it was read before anything was
  // written, and until the commit the old drawing stays whole.
  SurveyAside survey(tmp_file);
  std::optional<TextFile> out;
  bool writing_damaged = false;
  std::exception_ptr writing_failure;
  try {
    Conversion writing(tmp_file, &progress);
    out.emplace(TextFile::open_replacing(jwc_file));
    out->pass_cache_when_large();  // a drawing for CAD, not read again soon
    out->write(std::string(jwc_head_size(), '\0'));
    write_drawing(writing, *out, survey.failed());
  } catch (const DamagedFile&) {
    writing_damaged = true;
  } catch (...) {
    writing_failure = std::current_exception();
  }
  std::optional<JwcSurvey> found = survey.take();
  std::optional<std::string> head;
  if (found) head = jwc_head(*found);
  // The file may also have changed between the readings.
  if (!head || writing_damaged) {
    out.reset();
    progress.damaged(tmp_file);
  }
  // A sound file whose numbers the drawing cannot carry.
  if (survey.overflow() != nullptr) fail(kOverflow, survey.overflow());
  // Text positions and counts must stay within the file's 32-bit fields.
  if (found->text_total >= INT32_MAX) fail(kOverflow, "texts too long for a JW_CAD file");
  if (writing_failure) std::rethrow_exception(writing_failure);
  // The survey's steps, shown after the writing's.
  progress.tick(static_cast<int>(std::min<std::int64_t>(survey.records(), INT32_MAX)));
  out->commit_with_start(*head);
}

}  // namespace verdan
