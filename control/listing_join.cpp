#include "control/listing_join.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/codec/cp932.h"

namespace verdan {
namespace {

std::string ascii_upper(std::string_view name) {
  std::string upper(name);
  // Only single-byte letters: a trail byte may look like one and stays.
  for (std::size_t i = 0; i < upper.size(); i += char_length(upper, i)) {
    if (char_length(upper, i) == 1 && upper[i] >= 'a' && upper[i] <= 'z') upper[i] = static_cast<char>(upper[i] - 32);
  }
  return upper;
}

}  // namespace

void join_listing_lines(std::vector<IndexEntry>& index, const std::vector<ListingFact>& lines) {
  std::unordered_map<std::string_view, IndexEntry*> first_entry;
  first_entry.reserve(index.size());
  for (IndexEntry& entry : index) first_entry.try_emplace(entry.match_key, &entry);
  for (const ListingFact& line : lines) {
    auto found = first_entry.find(line.key);
    if (found != first_entry.end()) found->second->updated_info = line.updated_info;
  }
}

void join_listed_files(std::vector<IndexEntry>& index, const std::vector<ListedFile>& files) {
  std::unordered_map<std::string_view, std::size_t> exact;
  std::unordered_map<std::string, std::size_t> folded;
  exact.reserve(files.size());
  folded.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    exact.try_emplace(files[i].name, i);
    auto [at, added] = folded.try_emplace(ascii_upper(files[i].name), i);
    if (!added && files[i].name < files[at->second].name) at->second = i;
  }
  std::vector<bool> given(files.size(), false);
  for (IndexEntry& entry : index) {
    const std::string name = entry_file_name(entry);
    if (name.empty()) continue;
    auto found = exact.find(name);
    std::size_t file;
    if (found != exact.end()) {
      file = found->second;
    } else {
      auto alike = folded.find(ascii_upper(name));
      if (alike == folded.end()) continue;
      file = alike->second;
    }
    // Like a listing line, a file's facts go to the first entry naming it.
    if (given[file]) continue;
    given[file] = true;
    entry.updated_info = file_updated_info(files[file].month, files[file].day, files[file].size);
  }
}

void join_owner_names(std::vector<IndexEntry>& index, const std::vector<RegisterEntry>& register_entries) {
  std::unordered_map<float, const RegisterEntry*> first_named;
  first_named.reserve(register_entries.size());
  for (const RegisterEntry& employee : register_entries) first_named.try_emplace(employee.number, &employee);
  for (IndexEntry& entry : index) {
    if (entry.user_number == 0) continue;
    auto found = first_named.find(entry.user_number);
    if (found != first_named.end()) entry.user_field = found->second->name + " ";
  }
}

}  // namespace verdan
