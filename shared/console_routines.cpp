#include "shared/console_routines.h"

#include <cstdio>

#include "platform/host/dos_path.h"
#include "platform/host/environment.h"
#include "platform/failure.h"
#include "shared/leading_number.h"
#include "shared/wide_numerals.h"

namespace verdan {

std::string GETENV(std::string_view name) { return get_env(name); }

std::string GETCWD() {
  // A directory removed under the program has no name to report.
  try {
    return dos_current_directory();
  } catch (const Failure&) {
    return "";
  }
}

float INN(Console& console, std::string_view prompt) {
  console.write(prompt);
  return leading_number(narrow_numerals(console.read_line()));
}

std::string ask(Console& console, std::string_view prompt) {
  console.write(prompt);
  console.write("? ");
  return console.read_line();
}

std::string DAY(const Clock& clock) {
  LocalDate date = clock.today();
  // The date comes as a two-digit year; the century is put back so that the
  // years 1980 to 2079 come out right.
  int short_year = ((date.year % 100) + 100) % 100;
  char text[16];
  std::snprintf(text, sizeof text, "%d/%02d/%02d", short_year < 80 ? 2000 + short_year : 1900 + short_year,
                date.month % 100, date.day % 100);
  return text;
}

}  // namespace verdan
