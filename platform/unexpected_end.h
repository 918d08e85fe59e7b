// The last guard of every program: an exception that no step expected ends
// the program with its own exit status and one line on standard error, after
// the console has been handed back; nothing reaches std::terminate.
#pragma once

namespace verdan {

// Distinct from 0 (normal end), 1 (ended from an error screen), 2 (a
// command-line mistake) and 3 (input ran out).
inline constexpr int kUnexpectedEndStatus = 4;

// Writes "<program>: unexpected failure: <what>" for the exception being
// handled; call it from a catch block. Returns kUnexpectedEndStatus.
int report_unexpected(const char* program) noexcept;

}  // namespace verdan
