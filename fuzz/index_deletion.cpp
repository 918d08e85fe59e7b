// "INDEX" listed, marked and deleted: the first bytes are the keys on the
// list, the rest is the index. No file that no entry names may go.
#include <algorithm>
#include <set>

#include "control/env_file.h"
#include "control/index_entry.h"
#include "fuzz/fuzz_run.h"
#include "platform/text_sink.h"

namespace {

constexpr std::size_t kKeyBytes = 8;
// Not INDEX.NOW: the listing of a run is the program's own work file.
// U+FFFD "AB" is what a name with bytes of no character ("\x83/AB") would
// become if names were mapped by replacement; no CP932 name is it.
const char* const kFiles[] = {"A", "B", "C", "D.DAT", "UNLISTED", "VDN-USER.DAT", ("\xEF\xBF\xBD" "AB")};

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return text;
}

// Every name an entry of the index stands for, upper-cased.
std::set<std::string> named_files(std::string_view index) {
  index = index.substr(0, index.find('\x1a'));
  std::set<std::string> names;
  while (!index.empty()) {
    std::size_t end = index.find('\n');
    std::string_view line = index.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    names.insert(upper(verdan::entry_file_name(verdan::parse_index_line(verdan::index_field(line)))));
    index.remove_prefix(end == std::string_view::npos ? index.size() : end + 1);
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace verdan::fuzz;
  const std::string& home = Sandbox::reset();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view key_bytes = input.substr(0, std::min(size, kKeyBytes));
  const std::string_view index = input.substr(key_bytes.size());

  verdan::StringSink ini;
  verdan::write_env_lines(ini, {"DATA\\", "C:", "PLT.OUT", "SI", "PRT.TXT", "1.2", "0", "2.1", "0.02"}, "2.64");
  write_file(home + "/app/verdan/VERDAN.INI", ini.text());
  std::filesystem::create_directories(home + "/DATA");
  write_file(home + "/DATA/INDEX", index);
  for (const char* name : kFiles) write_file(home + "/DATA/" + name, name);

  // RETURN marks, the arrows move, ESC deletes what is marked.
  std::vector<std::string> script = {"2", "1"};
  for (char byte : key_bytes) {
    static const char keys[] = {13, 30, 31, 11, 13, 31};
    script.push_back(std::string(1, keys[static_cast<unsigned char>(byte) % sizeof keys]));
  }
  script.insert(script.end(), {std::string(1, 27), "0", "0"});
  expect_status(run_control(std::move(script)));

  const std::set<std::string> named = named_files(index);
  for (const char* name : kFiles) {
    if (!std::filesystem::exists(home + "/DATA/" + name) && !named.count(upper(name))) std::abort();
  }
  return 0;
}
