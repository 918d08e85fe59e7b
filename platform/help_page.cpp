#include "platform/help_page.h"

#include <cctype>

namespace verdan {
namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kTermColumn = 19;

// `text` wrapped at blanks into lines of at most kWidth columns, the first
// starting at column `first` (already filled by the caller), the others
// indented by `indent`. "\n" in the text breaks the line.
std::string wrapped(std::string_view text, std::size_t first, std::size_t indent) {
  std::string out;
  std::size_t column = first;
  bool line_start = true;
  auto new_line = [&] {
    out += '\n' + std::string(indent, ' ');
    column = indent;
    line_start = true;
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == '\n') {
      new_line();
      ++pos;
      continue;
    }
    if (text[pos] == ' ') {
      ++pos;
      continue;
    }
    std::size_t end = text.find_first_of(" \n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(pos, end - pos);
    if (!line_start && column + 1 + word.size() > kWidth) new_line();
    if (!line_start) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    line_start = false;
    pos = end;
  }
  return out + '\n';
}

// roff text: backslashes and minus signs escaped, no line taken for a request.
std::string roff(std::string_view text) {
  std::string out;
  bool line_start = true;
  for (char c : text) {
    if (line_start && (c == '.' || c == '\'')) out += "\\&";
    line_start = false;
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c == '\n') {
      out += "\n.br\n";
      line_start = true;
    } else {
      out += c;
    }
  }
  return out;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string help_text(const HelpPage& page) {
  std::string out;
  for (std::size_t i = 0; i < page.usage.size(); ++i) {
    out += (i == 0 ? "Usage: " : "       ") + page.program;
    if (!page.usage[i].empty()) out += " " + page.usage[i];
    out += "\n";
  }
  for (const std::string& paragraph : page.description) out += wrapped(paragraph, 0, 0) + "\n";
  for (const HelpSection& section : page.sections) {
    if (section.manual_only) continue;
    out += section.title + ":\n";
    for (const HelpItem& item : section.items) {
      if (item.term.empty()) {
        out += "  " + wrapped(item.text, 2, 2);
      } else if (item.term.size() + 2 < kTermColumn - 1) {
        out += "  " + item.term + std::string(kTermColumn - 2 - item.term.size(), ' ') +
               wrapped(item.text, kTermColumn, kTermColumn);
      } else {
        out += "  " + item.term + "\n" + std::string(kTermColumn, ' ') + wrapped(item.text, kTermColumn, kTermColumn);
      }
    }
    out += "\n";
  }
  out.pop_back();  // one line end after the last section
  return out;
}

std::string manual_page(const HelpPage& page, std::string_view version) {
  std::string out = ".TH " + roff(page.program) + " 1 \"2026\" \"verdan " + std::string(version) +
                    "\" \"VERDAN companion programs\"\n"
                    ".\\\" Made from the program's help text; change that, not this.\n"
                    ".\\\" Left-aligned: Japanese lines break only at blanks.\n"
                    ".ad l\n"
                    ".SH NAME\n" +
                    roff(page.program) + " \\- " + roff(page.summary) + "\n.SH SYNOPSIS\n";
  for (std::size_t i = 0; i < page.usage.size(); ++i) {
    if (i > 0) out += ".br\n";
    out += ".B " + roff(page.program) + "\n";
    if (!page.usage[i].empty()) out += roff(page.usage[i]) + "\n";
  }
  out += ".SH DESCRIPTION\n";
  for (std::size_t i = 0; i < page.description.size(); ++i) {
    if (i > 0) out += ".PP\n";
    out += roff(page.description[i]) + "\n";
  }
  for (const HelpSection& section : page.sections) {
    out += ".SH " + roff(upper(section.title)) + "\n";
    bool after_paragraph = false;
    for (const HelpItem& item : section.items) {
      if (item.term.empty()) {
        if (after_paragraph) out += ".PP\n";
        out += roff(item.text) + "\n";
        after_paragraph = true;
      } else {
        out += ".TP\n.B " + roff(item.term) + "\n" + roff(item.text) + "\n";
        after_paragraph = false;
      }
    }
  }
  if (!page.see_also.empty()) {
    out += ".SH SEE ALSO\n";
    for (std::size_t i = 0; i < page.see_also.size(); ++i) {
      out += ".BR " + roff(page.see_also[i]) + " (1)" + (i + 1 < page.see_also.size() ? "," : "") + "\n";
    }
  }
  return out;
}

std::vector<HelpSection> console_sections() {
  return {
      {"Headless mode",
       {{"", "When standard input or output is not a terminal (or VERDAN_CONSOLE=headless), every line of "
             "standard input is one entry (UTF-8) and a one-key question takes the next byte; the final "
             "screen is written to standard output as UTF-8 text. Input that runs out ends the run "
             "(status 3)."}}},
      {"Environment",
       {{"VERDAN_CONSOLE",
         "headless, terminal or window: the front end (default: the window when started from a desktop, "
         "the terminal when standard input and output are terminals, else headless)"},
        {"VERDAN_SNAPSHOT", "FILE.png: also write the final screen as a picture"},
        {"VERDAN_FONT",
         "unifont .hex file for the picture's text (default: the first of "
         "/usr/share/unifont/unifont_jp.hex, unifont.hex and the same under /usr/local/share/unifont)"},
        {"VERDAN_DRIVE_X",
         "host directory that the DOS drive X: stands for (default /; a drive without a directory, "
         "like C:, is the current directory)"},
        {"VERDAN_WINDOW_POSITION", "x,y: where the window opens (set for a program started in its place)"},
        {"APPDATA",
         "parent of the per-user directory verdan/ holding VERDAN.INI (default $XDG_CONFIG_HOME, "
         "else ~/.config)"},
        {"PATH",
         "where VERDAN.EXE, VDN-CNTL and VDN-GENE are looked for after this program's own directory "
         "and the current one; names match with or without .EXE, in any case"}}},
      {"Exit status",
       {{"", "0 normal end, 1 ended from an error screen, 3 headless input ran out, 4 an unexpected "
             "failure, 129 and 143 stopped by SIGHUP or SIGTERM, 130 interrupted by Ctrl-C."}}},
  };
}

HelpItem code_set_note() {
  return {"", "Files are CP932 text with CR LF line ends; read them with iconv -f CP932 -t UTF-8 PRT.TXT. "
              "When the program ends it names, on standard error, every file the run wrote."};
}

}  // namespace verdan
