#include "control/help_text.h"

namespace verdan {

HelpPage control_help_page() {
  HelpPage page;
  page.program = "VDN-CNTL";
  page.summary = "control program of the VERDAN plane-frame analysis";
  page.usage = {"[PROGRAM [ARGUMENT]]", "--help | --version"};
  page.description = {
      "The VERDAN control program, a full-screen 80 x 24 program. Its menu leads to the environment "
      "settings (VERDAN.INI) and to file management: the data directory listed against its INDEX, the "
      "employee register, deleting marked files and printing the list.",
      "Started with a program's command line (as VDN-GENE does when there are no settings) it shows the "
      "settings once, then starts that program and ends; the argument NUMBER counts as none. A command "
      "line longer than 123 bytes is refused at once with the error line; a key then ends the program."};
  page.sections.push_back(
      {"Keys",
       {{"Enter", "ends an entry; Backspace, Delete, Left, Right, Home and End edit it"},
        {"F1",
         "at any entry, a help page for the screen; any key puts the screen back as it was (headless: a "
         "line ESC O P, then one byte). Where a key is read (the file list, the error line) F1 is a key "
         "like any other, and the legend on the screen is the help"},
        {"menu", "1 the settings, 2 file management, 0 ends the program"},
        {"settings",
         "an empty entry keeps the value shown; Y at the last question writes VERDAN.INI, N goes through "
         "the fields again"},
        {"file management", "1 the file list, 2 printing the list, 3 the employee register, 0 back"},
        {"file list",
         "Up, Down, Insert and Delete scroll; Enter marks a file for deletion (red) or clears the mark; "
         "ESC deletes every marked file; Home or Clear leaves the list"},
        {"register", "employee number and name (up to three kanji); number -1 ends"},
        {"error line", "a key tries the step again, ESC ends the program (status 1)"}}});
  page.sections.push_back(
      {"Files",
       {{"$APPDATA/verdan/VERDAN.INI",
         "the settings; a VERDAN.INI (or an older VERDAN.DAT) in the current directory is used instead"},
        {"INDEX",
         "owner, dates and comment of every data file, in the data directory of the settings (C:, the "
         "default, is the current directory)"},
        {"VDN-USER.DAT", "the employee register, in the current directory"},
        {"PRT.TXT",
         "the print file the settings name, which the printed list is added to; a name without a "
         "directory is in the current directory"},
        {"ComSpec", "names the command interpreter that lists the data directory's dates and sizes"},
        code_set_note()}});
  page.sections.push_back(
      {"Screens (画面の概要)",
       {{"メニュー", "「１．環境設定」と「２．ファイル管理」を選ぶ。0 で終了。"},
        {"環境設定", "データディレクトリ、 プリンタファイル名などを入力し VERDAN.INI に書く。"},
        {"ファイル管理",
         "データディレクトリのファイルを INDEX と照合して一覧表示し、 削除の印付け、 一覧の印刷、 社員登録 "
         "(VDN-USER.DAT) を行う。 一覧で ESC を押すと印を付けたファイルを削除する。"},
        {"エラー画面", "エラー番号を示し、 続行 (同じ手順をやり直す) か ESC で終了を選ぶ。"}},
       true});
  for (HelpSection& section : console_sections()) page.sections.push_back(std::move(section));
  page.see_also = {"VDN-GENE", "VDN-PLOT"};
  return page;
}

std::string control_help() { return help_text(control_help_page()); }

}  // namespace verdan
