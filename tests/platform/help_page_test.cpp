#include "platform/help_page.h"

#include <gtest/gtest.h>

#include <sstream>

namespace verdan {
namespace {

HelpPage sample() {
  HelpPage page;
  page.program = "VDN-X";
  page.summary = "a sample";
  page.usage = {"", "--help | --version"};
  page.description = {"First paragraph.", "Second."};
  page.sections = {{"Keys",
                    {{"Enter", "ends an entry"},
                     {"a-very-long-term-indeed", "goes below its term"},
                     {"", ".starts with a dot, C:\\DATA and -1"}}},
                   {"画面", {{"メニュー", "選ぶ"}}, true}};
  page.see_also = {"VDN-GENE", "VDN-CNTL"};
  return page;
}

TEST(HelpText, LaysOutUsageParagraphsAndTermsAndLeavesManualOnlySectionsOut) {
  EXPECT_EQ(help_text(sample()),
            "Usage: VDN-X\n"
            "       VDN-X --help | --version\n"
            "First paragraph.\n\n"
            "Second.\n\n"
            "Keys:\n"
            "  Enter            ends an entry\n"
            "  a-very-long-term-indeed\n"
            "                   goes below its term\n"
            "  .starts with a dot, C:\\DATA and -1\n");
}

TEST(HelpText, WrapsAtBlanksWithinSeventyNineColumnsAndBreaksWhereAsked) {
  HelpPage page;
  page.program = "P";
  page.usage = {""};
  std::string words;
  for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i) + " ";
  page.sections = {{"S", {{"term", words + "\nlast"}}}};
  std::istringstream lines(help_text(page));
  std::string line, all;
  while (std::getline(lines, line)) {
    EXPECT_LE(line.size(), 79u) << line;
    if (line.size() > 19 && line.rfind("  term", 0) != 0) {
      EXPECT_EQ(line.substr(0, 19), std::string(19, ' '));
    }
    all += line + "|";
  }
  EXPECT_NE(all.find("word39|                   last|"), std::string::npos) << all;
  for (int i = 0; i < 40; ++i) EXPECT_NE(all.find("word" + std::to_string(i)), std::string::npos);
}

TEST(ManualPage, EscapesWhatRoffWouldReadAsRequestsOrEscapes) {
  const std::string page = manual_page(sample(), "9.8.7");
  EXPECT_EQ(page.rfind(".TH VDN\\-X 1 \"2026\" \"verdan 9.8.7\" \"VERDAN companion programs\"\n", 0), 0u);
  EXPECT_NE(page.find(".SH NAME\nVDN\\-X \\- a sample\n"), std::string::npos);
  EXPECT_NE(page.find(".SH SYNOPSIS\n.B VDN\\-X\n.br\n.B VDN\\-X\n\\-\\-help | \\-\\-version\n"), std::string::npos);
  EXPECT_NE(page.find(".SH DESCRIPTION\nFirst paragraph.\n.PP\nSecond.\n"), std::string::npos);
  EXPECT_NE(page.find(".TP\n.B Enter\nends an entry\n"), std::string::npos);
  EXPECT_NE(page.find("\n\\&.starts with a dot, C:\\eDATA and \\-1\n"), std::string::npos);
  // The manual holds what --help leaves out.
  EXPECT_NE(page.find(".SH 画面\n.TP\n.B メニュー\n選ぶ\n"), std::string::npos);
  EXPECT_NE(page.find(".SH SEE ALSO\n.BR VDN\\-GENE (1),\n.BR VDN\\-CNTL (1)\n"), std::string::npos);
}

}  // namespace
}  // namespace verdan
