// Who owns a replacement's temporary, told by its name
// ".~<machine>.<pid>.<n>", and whether a clean-up may take it. A data
// directory may be shared by several machines: a process id says nothing
// about another machine's processes, so their temporaries go only when
// nobody can still be writing them.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace verdan {

// A temporary older than this, of another machine, is a dead run's.
inline constexpr std::chrono::hours kForeignTemporaryAge{24};

struct TemporaryOwner {
  std::string machine;  // empty for names of the older form ".~<pid>.<n>"
  std::uint64_t pid = 0;
};

// The machine part of temporary names made on the host called `host_name`:
// letters, digits and '-' only, at most 32 of them.
std::string machine_label(std::string_view host_name);

// ".~<machine>.<pid>." for this process's temporaries.
std::string temporary_prefix(std::string_view machine, std::uint64_t pid);

// The owner of a temporary's name, or nothing when it is not one.
std::optional<TemporaryOwner> temporary_owner(std::string_view name);

// Whether a temporary may be deleted: this machine's when its process is
// gone, another machine's (or one of unknown machine) when it was last
// written `age` or longer ago.
bool temporary_is_dead(const TemporaryOwner& owner, std::string_view this_machine, std::uint64_t this_pid,
                       std::chrono::seconds age, const std::function<bool(std::uint64_t)>& process_is_gone);

}  // namespace verdan
