#include "generator/description.h"

#define TOML_HEADER_ONLY 1
#define TOML_EXCEPTIONS 1
#include <toml++/toml.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "generator/model/limits.h"
#include "platform/codec/cp932.h"

namespace verdan {
namespace {

constexpr struct {
  const char* name;
  MemberKind kind;
} kMemberNames[] = {{"rising-braces", MemberKind::rising_brace},
                    {"falling-braces", MemberKind::falling_brace},
                    {"columns", MemberKind::column},
                    {"beams", MemberKind::beam}};

// Checks of one file; every complaint names the place it is about.
class Reader {
 public:
  explicit Reader(const std::string& name) : name_(name) {}

  [[noreturn]] void fail_at(const toml::source_position& at, const std::string& what) const {
    throw DescriptionError(name_ + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " + what);
  }
  [[noreturn]] void fail_at(const toml::node& node, const std::string& what) const {
    fail_at(node.source().begin, what);
  }

  // Keys other than `known` are refused; a table's header is where a
  // missing key is reported.
  void only_keys(const toml::table& table, const std::string& where, std::initializer_list<std::string_view> known) const {
    for (auto&& [key, value] : table) {
      if (std::find(known.begin(), known.end(), key.str()) != known.end()) continue;
      std::string expected;
      std::size_t n = 0;
      for (std::string_view k : known) {
        ++n;
        expected += (n == 1 ? "" : n == known.size() ? " or " : ", ") + std::string(k);
      }
      fail_at(key.source().begin, "unknown key '" + std::string(key.str()) + "' in " + where + "; expected " + expected);
    }
  }
  const toml::node& required(const toml::table& table, const char* key, const std::string& where) const {
    const toml::node* node = table.get(key);
    if (node == nullptr) fail_at(table, where + " needs " + key);
    return *node;
  }

  // Lengths in metres, rounded as typed ones; at least `least` of them.
  std::vector<double> lengths(const toml::node& node, const char* key, std::size_t least) const {
    const toml::array* array = node.as_array();
    if (array == nullptr) fail_at(node, std::string(key) + " must be an array of lengths in metres");
    if (array->size() < least) {
      fail_at(node, std::string(key) + " must hold at least " + (least == 1 ? "one length" : "two lengths"));
    }
    std::vector<double> cm;
    for (const toml::node& element : *array) {
      if (!element.is_number()) fail_at(element, std::string(key) + " must hold numbers of metres");
      const double metres = *element.value<double>();
      if (!(std::fabs(metres) <= FLT_MAX)) fail_at(element, "length beyond the range of the coordinates");
      const double length = typed_length_cm(static_cast<float>(metres));
      if (!(length > 0)) fail_at(element, "a length must be above 0 (after rounding to the millimetre)");
      cm.push_back(length);
    }
    return cm;
  }

  std::string list_string(const toml::node& node, const char* key) const {
    const auto* text = node.as_string();
    if (text == nullptr || text->get().empty()) fail_at(node, std::string(key) + " must be a range list string");
    return to_cp932(text->get());
  }

  FrameDescription frame(const toml::table& table) const {
    only_keys(table, "[frame]", {"spans", "storeys", "edit", "numbering"});
    FrameDescription d;
    const toml::node& spans = required(table, "spans", "[frame]");
    const toml::node& storeys = required(table, "storeys", "[frame]");
    d.spans = lengths(spans, "spans", 1);
    d.storeys = lengths(storeys, "storeys", 1);
    check_sum(spans, d.spans, "spans");
    check_sum(storeys, d.storeys, "storeys");
    if (!within_grid_points(static_cast<double>(d.spans.size()), static_cast<double>(d.storeys.size()))) {
      fail_at(storeys, "(spans + 1) x (storeys + 1) grid points go beyond " + std::to_string(kMaxGridPoints));
    }
    if (const toml::node* edits = table.get("edit")) {
      const toml::array* array = edits->as_array();
      if (array == nullptr || !array->is_array_of_tables()) {
        fail_at(*edits, "edit must be tables [[frame.edit]]");
      }
      for (const toml::node& element : *array) d.edits.push_back(edit(*element.as_table()));
    }
    if (const toml::node* numbering = table.get("numbering")) d.numbering = order(*numbering);
    return d;
  }

  // A frame's coordinates are the running sums of its lengths.
  void check_sum(const toml::node& node, const std::vector<double>& cm, const char* key) const {
    double total = 0;
    for (double length : cm) {
      total += length;
      if (!fits_single(total)) fail_at(node, std::string(key) + " add up beyond the range of the coordinates");
    }
  }

  EditStep edit(const toml::table& table) const {
    only_keys(table, "[[frame.edit]]", {"members", "storeys", "axes"});
    const toml::node& members = required(table, "members", "[[frame.edit]]");
    const auto* name = members.as_string();
    std::optional<MemberKind> kind;
    for (const auto& m : kMemberNames) {
      if (name != nullptr && name->get() == m.name) kind = m.kind;
    }
    if (!kind) {
      fail_at(members, "members must be \"rising-braces\", \"falling-braces\", \"columns\" or \"beams\"");
    }
    return {*kind, list_string(required(table, "storeys", "[[frame.edit]]"), "storeys"),
            list_string(required(table, "axes", "[[frame.edit]]"), "axes")};
  }

  NumberingOrder order(const toml::node& node) const {
    const toml::table* table = node.as_table();
    if (table == nullptr) fail_at(node, "numbering must be a table [frame.numbering]");
    only_keys(*table, "[frame.numbering]", {"columns", "beams", "braces"});
    NumberingOrder order;
    const struct {
      const char* key;
      float* value;
    } fields[] = {{"columns", &order.column}, {"beams", &order.beam}, {"braces", &order.brace}};
    for (const auto& field : fields) {
      const toml::node* value = table->get(field.key);
      if (value == nullptr) continue;
      if (!value->is_number()) fail_at(*value, std::string(field.key) + " must be 0 (horizontal) or 1 (vertical)");
      *field.value = static_cast<float>(*value->value<double>());
    }
    return order;
  }

  GridDescription grid(const toml::table& table) const {
    only_keys(table, "[grid]", {"x_spans", "y_spans"});
    GridDescription d;
    const toml::node& x = required(table, "x_spans", "[grid]");
    const toml::node& y = required(table, "y_spans", "[grid]");
    d.x_spans = lengths(x, "x_spans", 2);
    d.y_spans = lengths(y, "y_spans", 2);
    if (!within_grid_points(static_cast<double>(d.x_spans.size()), static_cast<double>(d.y_spans.size()))) {
      fail_at(y, "(x spans + 1) x (y spans + 1) grid points go beyond " + std::to_string(kMaxGridPoints));
    }
    GridExtent extent;
    for (int d_index = 0; d_index < 2; ++d_index) {
      for (double span : d_index == 0 ? d.x_spans : d.y_spans) {
        if (!extent.admit(d_index, span)) {
          fail_at(d_index == 0 ? x : y, "spans add up beyond the range of the coordinates");
        }
      }
    }
    return d;
  }

 private:
  std::string name_;
};

// Metres that read back, through the typed entries' rounding, as `cm`.
std::string metres_text(double cm) {
  char text[64];
  const long long mm = std::llround(cm * 10);
  std::snprintf(text, sizeof text, "%s%lld.%03lld", mm < 0 ? "-" : "", std::llabs(mm) / 1000, std::llabs(mm) % 1000);
  if (typed_length_cm(static_cast<float>(std::strtod(text, nullptr))) == cm) return text;
  // Beyond the millimetres a float holds: the float that rounds to `cm`.
  float metres = static_cast<float>(cm / 100);
  for (int step = 0; step < 64 && typed_length_cm(metres) != cm; ++step) {
    metres = std::nextafter(metres, typed_length_cm(metres) < cm ? FLT_MAX : -FLT_MAX);
  }
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(metres));
  return text;
}

std::string lengths_text(const std::vector<double>& cm) {
  std::string text = "[";
  for (std::size_t i = 0; i < cm.size(); ++i) text += (i ? ", " : "") + metres_text(cm[i]);
  return text + "]";
}

std::string quoted(std::string_view cp932) {
  std::string text = "\"";
  for (char c : to_utf8(cp932)) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (u < 0x20 || u == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", u);
      text += escape;
    } else {
      text += c;
    }
  }
  return text + "\"";
}

std::string number_text(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

}  // namespace

Description read_description(std::string_view text, const std::string& name) {
  Reader reader(name);
  toml::table root;
  try {
    root = toml::parse(text, name);
  } catch (const toml::parse_error& error) {
    reader.fail_at(error.source().begin, std::string(error.description()));
  }
  reader.only_keys(root, "the file", {"frame", "grid"});
  const toml::node* frame = root.get("frame");
  const toml::node* grid = root.get("grid");
  if ((frame == nullptr) == (grid == nullptr)) {
    reader.fail_at(toml::source_position{1, 1}, "expected one [frame] or one [grid] table");
  }
  const toml::node& table = frame ? *frame : *grid;
  if (!table.is_table()) reader.fail_at(table, std::string(frame ? "frame" : "grid") + " must be a table");
  if (frame) return reader.frame(*table.as_table());
  return reader.grid(*table.as_table());
}

std::string write_description(const Description& description) {
  std::string text;
  if (const auto* frame = std::get_if<FrameDescription>(&description)) {
    text += "[frame]\nspans   = " + lengths_text(frame->spans) + "\nstoreys = " + lengths_text(frame->storeys) + "\n";
    for (const EditStep& edit : frame->edits) {
      const char* name = "";
      for (const auto& m : kMemberNames) {
        if (m.kind == edit.kind) name = m.name;
      }
      text += "\n[[frame.edit]]\nmembers = \"" + std::string(name) + "\"\nstoreys = " + quoted(edit.levels) +
              "\naxes    = " + quoted(edit.axes) + "\n";
    }
    text += "\n[frame.numbering]\ncolumns = " + number_text(frame->numbering.column) +
            "\nbeams   = " + number_text(frame->numbering.beam) + "\nbraces  = " + number_text(frame->numbering.brace) +
            "\n";
  } else {
    const auto& grid = std::get<GridDescription>(description);
    text += "[grid]\nx_spans = " + lengths_text(grid.x_spans) + "\ny_spans = " + lengths_text(grid.y_spans) + "\n";
  }
  return text;
}

}  // namespace verdan
