#include "generator/help_text.h"

namespace verdan {

HelpPage generator_help_page() {
  HelpPage page;
  page.program = "VDN-GENE";
  page.summary = "data generator of the VERDAN plane-frame analysis";
  page.usage = {"[--record FILE]",
                "--batch FILE [--data-dir DIR] [--print-file FILE] [OPTION...]",
                "--help | --version"};
  page.description = {
      "The VERDAN data generator, a full-screen 80 x 24 program. Describe a regular building frame or a "
      "grid of beams; it numbers the nodes and members, appends a listing and a character drawing to the "
      "print file, writes the data file FRAME or CROSS and starts the analysis program VERDAN.EXE with it. "
      "Without settings it first hands over to VDN-CNTL, which makes them and starts it again. Without "
      "--batch any argument it does not know is ignored.",
      "VERDAN.EXE is not part of this package: where it is not installed the run ends on the error line "
      "CODE = 53 after FRAME or CROSS and the print file were written, and says on standard error where "
      "they are and where the program is looked for."};
  page.sections.push_back(
      {"Options",
       {{"--batch FILE",
         "builds the frame or grid a description file (TOML; - is standard input) holds, as the dialogue "
         "would from the same entries: the listing goes to the print file, FRAME or CROSS is written, and "
         "the run ends with status 0, without a screen and without starting VERDAN.EXE. It reads the "
         "settings as the dialogue does; with none, the data file and PRT.TXT go to the current directory. "
         "A file the dialogue would not take is told as FILE:LINE:COLUMN: what was expected, with status 2, "
         "and nothing is written"},
        {"--data-dir DIR", "with --batch: the data file goes to DIR instead of the settings' data directory"},
        {"--print-file FILE", "with --batch: the listing goes to FILE instead of the settings' print file"},
        {"--replace-print-file", "with --batch: replaces the print file instead of appending (the dialogue's Y)"},
        {"--start-analysis", "with --batch: starts VERDAN.EXE with the data file afterwards, as the dialogue does"},
        {"--picture FILE.png|FILE.svg",
         "with --batch: writes the frame's screen drawing, edits included, as a PNG picture, or the frame "
         "as the plot library's SVG device draws it"},
        {"--record FILE",
         "without --batch: when the dialogue ends normally, writes what was entered as a description file; "
         "--batch FILE gives the same files again"},
        {"[frame]",
         "spans and storeys: arrays of metres (from axis 0 to the right, from the ground up), rounded to "
         "the millimetre as typed entries; [[frame.edit]] tables in order, each with members "
         "(\"rising-braces\", \"falling-braces\", \"columns\" or \"beams\"), storeys and axes (range lists as "
         "strings, as typed at the editing screen); [frame.numbering] columns, beams and braces, 0 across, "
         "1 up (0, 0 and 1 when left out)"},
        {"[grid]", "x_spans and y_spans: arrays of at least two lengths in metres"}}});
  page.sections.push_back(
      {"Keys",
       {{"Enter", "ends an entry; Backspace, Delete, Left, Right, Home and End edit it"},
        {"F1",
         "at any entry, a help page for the screen; any key puts the screen back as it was (headless: a "
         "line ESC O P, then one byte)"},
        {"Ctrl-L", "draws the screen again (terminal)"},
        {"Ctrl-V", "pastes the clipboard's first line into an entry (window)"},
        {"Ctrl-C", "ends the program at once (terminal)"},
        {"menu", "1 a regular frame, 2 a grid of beams, 0 ends the program"},
        {"ITEM =",
         "the member editing menu: 1 rising braces, 2 falling braces, 3 columns, 4 beams, 5 done; at the "
         "range lists an empty entry goes back to this menu"},
        {"numbering", "the three numbering directions (columns, beams, braces): 0 across, 1 up"},
        {"(Y/N)",
         "when the print file exists: Y replaces it, N or an empty entry appends the listing to it"},
        {"error line", "C and Enter try the step again, E and Enter end the program (status 1)"}}});
  page.sections.push_back(
      {"Range lists",
       {{"", "At the prompts for storeys or levels (the first list) and axes (the second) the members to "
             "add or remove are named by lists of numbers: separated by commas or blanks, with a hyphen for "
             "a range, as \"1,2 5 6-10\" or \"1-2,5-10\". Every member the two lists address is added where "
             "it is missing and removed where it is there."},
        {"axes", "are numbered from 0 at the left; a frame of N spans has the axes 0 to N"},
        {"storeys",
         "are numbered from 1 at the bottom (columns and braces); levels from 1 at the ground (1FL) to "
         "the storeys + 1 (beams)"},
        {"columns", "the storeys of the first list on the axes of the second: 3 is the column on axis 3"},
        {"braces and beams",
         "lie in the spans between the axes of each range: 0-1 is the span between axes 0 and 1, 0-3 the "
         "first three spans. A single axis number such as 2 names no span, so it adds or removes no brace "
         "and no beam."}}});
  page.sections.push_back(
      {"Files",
       {{"$APPDATA/verdan/VERDAN.INI",
         "the settings, made and changed by VDN-CNTL; a VERDAN.INI (or an older VERDAN.DAT) in the current "
         "directory is used instead"},
        {"FRAME, CROSS",
         "the data file of a frame or a grid, replaced whole at each run, in the data directory of the "
         "settings (C:, the default, is the current directory)"},
        {"PRT.TXT",
         "the print file the settings name; a name without a directory is in the current directory, not "
         "the data directory"},
        {"VDN-USER.DAT", "the employee register VDN-CNTL keeps, in the current directory"},
        {"INDEX", "the list of data files VDN-CNTL keeps, in the data directory"},
        code_set_note()}});
  page.sections.push_back({"Screens (画面の概要)",
                           {{"タイトルとメニュー", "環境設定を読み、 「１」規則フレーム、 「２」格子梁を選ぶ。 0 で終了。"},
                            {"フレーム入力",
                             "スパン数・層数・スパン長・階高を入力し、 図を見ながら柱・梁・ブレースを範囲リストで"
                             "追加・削除する。"},
                            {"節点・部材番号", "番号の付け方を選び、 部材リストと図をプリントファイルに追加する。"},
                            {"データ出力", "データファイル FRAME (格子梁は CROSS) を書き、 VERDAN.EXE を起動する。"},
                            {"エラー画面", "エラー番号を示し、 続行 (同じ手順をやり直す) か終了 (E) を選ぶ。"}},
                           true});
  for (HelpSection& section : console_sections()) page.sections.push_back(std::move(section));
  page.see_also = {"VDN-CNTL", "VDN-PLOT"};
  return page;
}

std::string generator_help() { return help_text(generator_help_page()); }

}  // namespace verdan
