#include "control/screen_help.h"

#include "platform/codec/cp932.h"

namespace verdan {

std::vector<std::string> control_screen_help(ControlScreen screen) {
  switch (screen) {
    case ControlScreen::menu:
      return cp932_lines({"ヘルプ：コントロールプログラムのメニュー",
                          "",
                          "  １  環境設定：データディレクトリやプリンタファイルなどを決め、",
                          "      VERDAN.INI に書きます。",
                          "  ２  ファイル管理：データディレクトリのファイルの一覧と削除、",
                          "      一覧の印刷、社員番号の登録。",
                          "  ０  終了します。",
                          "",
                          "番号を入れて Enter を押します。"});
    case ControlScreen::settings:
      return cp932_lines({"ヘルプ：環境設定",
                          "",
                          "上から順に値を入れます。何も入れずに Enter を押すと、表示されて",
                          "いる値のままです。[ ] 内は初期値です。",
                          "  DATA DISK       FRAME, CROSS と INDEX を置くディレクトリ。",
                          "                  C: はカレントディレクトリです。",
                          "  WORK DISK       作業ディレクトリ（$WORK\\ はここを指します）。",
                          "  PRINTER FILE    部材リストと図を書くファイル。ディレクトリの",
                          "                  ない名前はカレントディレクトリに置かれます。",
                          "  POLTTER FILE    解析プログラムのプロットファイル。",
                          "  PLOTTER 種別    枠内の番号、ピリオド、文字高（例 1.2）。",
                          "  PLOT小数点以下  変位と応力の桁数（変位.応力）。",
                          "  ＳＩ単位系      1 で SI 単位、0 で重力単位。",
                          "  計算誤差判定    解析の誤差判定の閾値。0 で判定しません。",
                          "",
                          "最後に「設定終了 (Y/N)」に Y と答えると VERDAN.INI に書きます。",
                          "N なら、もう一度上から入れ直します。"});
    case ControlScreen::file_menu:
      return cp932_lines({"ヘルプ：ファイル管理",
                          "",
                          "  １  データディレクトリのファイルを INDEX と照らして一覧にします。",
                          "      一覧では Enter で削除の印（赤）を付け外しし、ESC で印を",
                          "      付けたファイルをすぐに削除します。削除せずに戻るには Home。",
                          "  ２  ファイル名の一覧をプリンタファイルに追加します。",
                          "  ３  社員番号と氏名を登録します（VDN-USER.DAT、カレント",
                          "      ディレクトリ）。",
                          "  ０  メニューに戻ります。"});
    case ControlScreen::register_entry:
      return cp932_lines({"ヘルプ：社員番号の登録",
                          "",
                          "社員番号（数字）と氏名（漢字３文字以内）を入れ、OK (Y/N) に",
                          "Y と答えると登録します。",
                          "社員番号に負の数（例 -1）を入れると登録を終えます。",
                          "",
                          "登録は VDN-USER.DAT（カレントディレクトリ）に追加されます。"});
  }
  return {};
}

}  // namespace verdan
