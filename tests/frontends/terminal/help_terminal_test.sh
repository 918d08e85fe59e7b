#!/usr/bin/env bash
# F1 in a real terminal (tmux): at the generator's menu and at an entry of
# the control program's settings screen the help page comes up, and the next
# key puts back the very screen, colours included.
set -u
gene=${1:?usage: help_terminal_test.sh PATH-TO-VDN-GENE PATH-TO-VDN-CNTL}
cntl=${2:?usage: help_terminal_test.sh PATH-TO-VDN-GENE PATH-TO-VDN-CNTL}
session=help
. "$(dirname "$0")/../../generator/terminal_run.sh"

# The visible pane: each character with its colours. A blank shows no
# colour, so a terminal may keep any colour it likes there; trailing blank
# lines go too.
pane() {
  tmx capture-pane -p -e -t vt | perl -CS -ne '
    BEGIN { $fg = $bg = "" }
    $out = "";
    while (/\G(?:\e\[([0-9;]*)m|(.))/gc) {
      if (defined $1) {
        for my $p (split /;/, $1 eq "" ? "0" : $1) {
          if ($p == 0) { $fg = $bg = "" }
          elsif ($p == 39 || ($p >= 30 && $p <= 37) || ($p >= 90 && $p <= 97)) { $fg = $p }
          elsif ($p == 49 || ($p >= 40 && $p <= 47) || ($p >= 100 && $p <= 107)) { $bg = $p }
        }
      } else {
        $out .= $2 eq " " ? " " : "[$fg/$bg]$2";
      }
    }
    $out =~ s/\s+$//;
    print "$out\n";' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'
}
failures=0
checks=0

# Starts `program` in the pane, types `entries`, then compares the screen
# before F1 and after the key that ends the page.
check() {
  local program=$1 prompt=$2 title=$3
  shift 3
  # Each program gets a server of its own: a new session on a server whose
  # last session was just killed may reach it as it exits.
  tmx kill-server >/dev/null 2>&1
  checks=$((checks + 1))
  session="help-$$-$checks"
  new_pane 80 24 \
    "cd '$run' && env -i HOME='$work/home' PATH=/usr/bin:/bin LSAN_OPTIONS='${LSAN_OPTIONS:-}' TERM=xterm-256color \
     LANG=C.UTF-8 VERDAN_CONSOLE=terminal '$program'; sleep 60"
  wait_for "$prompt"
  for entry in "$@"; do
    tmx send-keys -t vt "$entry" Enter
    sleep 0.2
  done
  sleep 0.5
  local before
  before=$(pane)
  tmx send-keys -t vt F1
  wait_for "$title"
  tmx send-keys -t vt Space
  local deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ] && screen | grep -qF -- "$title"; do sleep 0.1; done
  sleep 0.5
  if [ "$(pane)" != "$before" ]; then
    echo "FAIL: $program: the screen after the help page differs" >&2
    diff <(echo "$before") <(pane) | cat -v >&2
    failures=$((failures + 1))
  fi
}

check "$gene" "番号を選んで下さい" "ヘルプ：メニュー"
check "$cntl" "番号を選んで下さい" "ヘルプ：環境設定" 1 "" ""
[ $failures -eq 0 ] && echo "help pages in the terminal: ok"
exit $((failures > 0))
