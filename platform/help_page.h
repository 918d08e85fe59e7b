// A program's help as one source for both its --help text and its manual
// page, so the two cannot say different things.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdan {

struct HelpItem {
  std::string term;  // empty: a paragraph of its own
  std::string text;  // words, wrapped by the writers; "\n" starts a new line
};

struct HelpSection {
  std::string title;
  std::vector<HelpItem> items;
  // Sections in Japanese (the screens' own words) stay out of --help, which
  // must read in any terminal's code set.
  bool manual_only = false;
};

struct HelpPage {
  std::string program;                   // "VDN-GENE"
  std::string summary;                   // the manual's NAME line
  std::vector<std::string> usage;        // arguments of each synopsis line
  std::vector<std::string> description;  // paragraphs
  std::vector<HelpSection> sections;
  std::vector<std::string> see_also;     // other programs' names
};

// Plain ASCII text, lines of at most 79 columns.
std::string help_text(const HelpPage& page);
// The manual page in roff (man(7)).
std::string manual_page(const HelpPage& page, std::string_view version);

// The sections every console program's help ends with: headless mode,
// environment variables, exit statuses.
std::vector<HelpSection> console_sections();
// The paragraph on the files' code set and line ends, for a Files section.
HelpItem code_set_note();

}  // namespace verdan
