#include "platform/host/temporary_owner.h"

namespace verdan {
namespace {

constexpr std::string_view kPrefix = ".~";
constexpr std::size_t kLongestLabel = 32;

bool parse_number(std::string_view digits, std::uint64_t& value) {
  if (digits.empty() || digits.size() > 18) return false;
  value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

bool is_label_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

}  // namespace

std::string machine_label(std::string_view host_name) {
  std::string label;
  for (char c : host_name) {
    if (c == '.') break;  // the host's own part of a domain name
    if (is_label_char(c) && label.size() < kLongestLabel) label += c;
  }
  return label.empty() ? "host" : label;
}

std::string temporary_prefix(std::string_view machine, std::uint64_t pid) {
  return std::string(kPrefix) + std::string(machine) + "." + std::to_string(pid) + ".";
}

std::optional<TemporaryOwner> temporary_owner(std::string_view name) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
  name.remove_prefix(kPrefix.size());
  const std::size_t last_dot = name.rfind('.');
  std::uint64_t counter = 0;
  if (last_dot == std::string_view::npos || !parse_number(name.substr(last_dot + 1), counter)) return std::nullopt;
  name = name.substr(0, last_dot);
  TemporaryOwner owner;
  const std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) {
    owner.machine = std::string(name.substr(0, dot));
    if (owner.machine.empty()) return std::nullopt;
    for (char c : owner.machine) {
      if (!is_label_char(c)) return std::nullopt;
    }
    name.remove_prefix(dot + 1);
  }
  if (!parse_number(name, owner.pid)) return std::nullopt;
  return owner;
}

bool temporary_is_dead(const TemporaryOwner& owner, std::string_view this_machine, std::uint64_t this_pid,
                       std::chrono::seconds age, const std::function<bool(std::uint64_t)>& process_is_gone) {
  if (owner.machine != this_machine) return age >= kForeignTemporaryAge;
  return owner.pid != this_pid && process_is_gone(owner.pid);
}

}  // namespace verdan
