#!/usr/bin/env bash
# Drives the terminal front end through terminal_probe in an 80x24 tmux
# pane, as a user at a terminal would, and checks what the pane shows: text,
# Japanese, colours, the drawing as braille, line editing, key codes, a
# terminal that is too small, Ctrl-C, hand-overs by exec, fatal signals,
# and that the shell gets its terminal back every time. Also reports how
# many bytes one key typed into an entry sends to the terminal.
set -u
probe=${1:?usage: terminal_console_test.sh PATH-TO-terminal_probe}
if ! command -v tmux >/dev/null 2>&1; then
  echo "SKIP: tmux is not installed"
  exit 77
fi
export LANG=C.UTF-8 LC_ALL=C.UTF-8
work=$(mktemp -d)
# The servers' sockets go with the rest of the work files.
export TMUX_TMPDIR=$work
sessions=0
socket=""
failures=0

tmx() { tmux -u -L "$socket" -f /dev/null "$@"; }
end_session() { [ -n "$socket" ] && tmx kill-server >/dev/null 2>&1; }
. "$(dirname "$0")/tmux_pane.sh"
trap 'end_session; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

screen() { tmx capture-pane -p -t vt 2>/dev/null; }
# row N: row N (from 0) of the pane as text, trailing blanks cut.
row() { screen | sed -n "$(($1 + 1))p"; }
cursor() { tmx display-message -p -t vt '#{cursor_x},#{cursor_y}'; }

# wait_for TEXT [SECONDS]: until TEXT is on the pane; a failure otherwise.
wait_for() {
  local deadline=$((SECONDS + ${2:-10}))
  while [ $SECONDS -lt $deadline ]; do
    screen | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  fail "timed out waiting for '$1'; the pane shows:"
  screen >&2
  return 1
}

# settle NAME EXPECTED COMMAND...: EXPECTED once COMMAND prints it, within
# a few seconds; a failure naming what it printed last otherwise.
settle() {
  local name=$1 expected=$2 actual deadline=$((SECONDS + 5))
  shift 2
  while :; do
    actual=$("$@")
    [ "$actual" = "$expected" ] && return 0
    [ $SECONDS -ge $deadline ] && break
    sleep 0.1
  done
  fail "$name: expected '$expected', got '$actual'"
}

# expect_row N TEXT
expect_row() {
  local actual
  actual=$(row "$1")
  [ "$actual" = "$2" ] || fail "row $1: expected '$2', got '$actual'"
}

expect_eq() {
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# expect_shell_modes FILE: the terminal is line-buffered with echo again.
expect_shell_modes() {
  local modes
  modes=$(tr ' ' '\n' <"$1" | grep -xE -- '-?(echo|icanon)' | tr '\n' ' ')
  expect_eq "terminal modes after the program ($1)" "icanon echo " "$modes"
}

# A fresh 80x24 session with a plain shell; each scenario gets its own
# server, on a socket no parallel test uses.
start_session() {
  end_session
  sessions=$((sessions + 1))
  socket="verdan-terminal-$$-$sessions"
  new_pane 80 24 \
    "env -i PATH='$PATH' HOME='$HOME' LSAN_OPTIONS='${LSAN_OPTIONS:-}' TERM=xterm-256color LANG=C.UTF-8 PS1='$ ' bash --norc --noprofile"
  wait_for '$' 5
}

# run COMMAND: types a command line into the shell.
run() { tmx send-keys -t vt -l "$1" && tmx send-keys -t vt Enter; }
keys() { tmx send-keys -t vt "$@"; }

repeat() { local s="" i; for ((i = 0; i < $2; i++)); do s+=$1; done; printf '%s' "$s"; }

# --- a whole dialogue: screen, entry, keys, and the shell afterwards ---
start_session
run "'$probe' draw; echo rc=\$?; stty -a >'$work/modes.draw'"
if wait_for '名前?'; then
  expect_row 0 "ROW0 plain"
  expect_row 1 "日本語の表示 ｶﾀｶﾅ"
  expect_row 22 "PLANE 160x96"
  # The box (20,40)-(139,79) covers cells 10-69 of rows 10-19; the T at
  # (10, 40) and BOX at (15, 30) are text over the drawing.
  expect_row 10 "          ⡏$(repeat ⠉ 29)T$(repeat ⠉ 28)⢹"
  expect_row 11 "          ⡇$(repeat ' ' 58)⢸"
  expect_row 15 "          ⡇                   BOX$(repeat ' ' 36)⢸"
  expect_row 19 "          ⣇$(repeat ⣀ 58)⣸"
  colours=$(tmx capture-pane -p -e -t vt | sed -n '2p;4p;11p' | grep -o $'\e\\[3[0-7]m' |
    sort -u | tr -d $'\e' | tr '\n' ' ')
  # yellow (palette 6) title, cyan (5) prompt, red (2) box, white (7) text
  expect_eq "colours in use" "[31m [33m [36m [37m " "$colours"

  keys abd BSpace c Left Left Z Home '<' End 山
  wait_for '名前? <aZbc山'
  settle "cursor after the entry" "13,3" cursor
  keys Left
  settle "cursor stepped back over 山" "11,3" cursor
  keys End

  # Bytes the terminal gets for one key typed into the entry.
  tmx pipe-pane -o -t vt "cat >>'$work/one-key.log'"
  settle "the pane piped" "1" tmx display-message -p -t vt '#{pane_pipe}'
  keys x
  wait_for '名前? <aZbc山x'
  # On a busy machine the logging cat may lag behind the pane.
  settle "bytes logged for the key" "yes" sh -c "[ -s '$work/one-key.log' ] && echo yes"
  sleep 0.3
  tmx pipe-pane -t vt
  bytes=$(wc -c <"$work/one-key.log")
  echo "bytes sent to the terminal for one key typed into an entry: $bytes"
  [ "$bytes" -ge 1 ] || fail "nothing was logged for the typed key"
  [ "$bytes" -le 8 ] || fail "one key sent $bytes bytes; only the changed cell should go out"
  keys BSpace Enter

  wait_for 'ENTRY='
  expect_row 3 "名前? <aZbc山"
  expect_row 4 "ENTRY=[<aZbc山] HEX=3C615A62638E52"

  # Cursor keys, Delete, Insert, Home, ESC, Enter, a, Backspace, two kana.
  keys Up Down Left Right DC IC Home Escape Enter a BSpace ア ｱ
  wait_for 'KEYS: 30 31 29 28 127 18 11 27 13 97 8 131 177'
  keys q
  wait_for 'rc=0'
  screen | grep -qF "draw; echo rc=" || fail "the shell's screen is not back after the end"
  expect_shell_modes "$work/modes.draw"
  run "echo typed-back"
  wait_for 'typed-back'
  screen | grep -qxF '$ echo typed-back' || fail "the shell does not echo what is typed"
fi

# --- Ctrl-C: ends the program, restores the terminal, types nothing ---
start_session
run "'$probe' draw; echo rc=\$?; stty -a >'$work/modes.ctrl-c'"
if wait_for '名前?'; then
  keys xyz C-c
  wait_for 'rc=130'
  after_status() { screen | grep -A1 -xF 'rc=130' | tail -n 1; }
  settle "what reached the shell after Ctrl-C" '$' after_status
  expect_shell_modes "$work/modes.ctrl-c"
fi

# --- a terminal too small, then big enough again ---
start_session
run "'$probe' draw; echo rc=\$?"
if wait_for '名前?'; then
  keys ab
  wait_for '名前? ab'
  tmx resize-window -t vt -x 60 -y 20
  wait_for 'Terminal too small: need 80x24, have 60x20'
  tmx resize-window -t vt -x 80 -y 24
  wait_for '名前? ab'
  expect_row 0 "ROW0 plain"
  expect_row 10 "          ⡏$(repeat ⠉ 29)T$(repeat ⠉ 28)⢹"
  keys c Enter
  wait_for 'ENTRY=[abc]'
  keys q
  wait_for 'rc=0'
fi

# --- hand-over: the next program owns the terminal in its usual modes ---
cat >"$work/next.sh" <<EOF
stty -a >'$work/modes.next'
printf 'next> '
read -r line
echo "got:\$line"
EOF
start_session
run "'$probe' handover sh '$work/next.sh'; echo rc=\$?"
if wait_for 'ROW0 plain'; then
  keys go Enter
  wait_for 'next>'
  keys hello Enter
  wait_for 'got:hello'
  screen | grep -qxF 'next> hello' || fail "the next program's input is not echoed"
  wait_for 'rc=0'
  expect_shell_modes "$work/modes.next"
fi

# A hand-over to another terminal program.
start_session
run "'$probe' handover '$probe' draw; echo rc=\$?"
if wait_for 'ROW0 plain'; then
  keys first Enter
  wait_for '名前?'
  expect_row 3 "名前?"
  keys second Enter
  wait_for 'ENTRY=[second]'
  keys q
  wait_for 'rc=0'
fi

# A start that fails: the program takes the terminal back and goes on.
start_session
run "'$probe' handover '$work/no-such-program'; echo rc=\$?; stty -a >'$work/modes.failed'"
if wait_for 'ROW0 plain'; then
  keys go Enter
  wait_for 'EXEC FAILED'
  expect_row 0 "ROW0 plain"
  expect_row 3 "> go"
  expect_row 4 "EXEC FAILED"
  keys Up
  wait_for 'KEYS: 30'
  keys q
  wait_for 'rc=5'
  expect_shell_modes "$work/modes.failed"
fi

# --- fatal signals: the terminal is given back before the program dies ---
# Under sh -c, so that no interactive shell repairs the terminal for us.
for signal in TERM SEGV; do
  start_session
  run "sh -c 'VERDAN_PROBE_PID=$work/pid $probe draw; echo rc=\$?; stty -a >$work/modes.$signal'"
  if wait_for '名前?'; then
    kill -"$signal" "$(cat "$work/pid")"
    wait_for 'rc=1'
    sleep 0.2
    status=$(screen | grep -o 'rc=[0-9][0-9]*')
    expected="rc=$((128 + $(kill -l "$signal")))"
    # A sanitizer build hands SIGSEGV on to the sanitizer, which reports it
    # on the restored terminal and exits with 1.
    screen | grep -qF 'Sanitizer' && expected=rc=1
    expect_eq "status after SIG$signal" "$expected" "$status"
    screen | grep -qF 'PLANE 160x96' && fail "SIG$signal: the program's screen is still shown"
    expect_shell_modes "$work/modes.$signal"
  fi
done

start_session
run "sh -c '$probe abort; echo rc=\$?; stty -a >$work/modes.abort'"
if wait_for 'KEY?'; then
  keys k
  wait_for 'rc=134'
  expect_shell_modes "$work/modes.abort"
fi


# --- any terminal: an unknown type and a dumb one still show the prompts ---
# Terminfo has no entry: the built-in VT100/ANSI renderer draws, reads the
# editing keys, and gives the terminal back.
start_session
run "TERM=no-such-terminal '$probe' draw; echo rc=\$?; stty -a >'$work/modes.unknown'"
if wait_for '名前?'; then
  expect_row 0 "ROW0 plain"
  expect_row 1 "日本語の表示 ｶﾀｶﾅ"
  expect_row 10 "          ⡏$(repeat ⠉ 29)T$(repeat ⠉ 28)⢹"
  colours=$(tmx capture-pane -p -e -t vt | sed -n '2p;4p;11p' | grep -o $'\e\\[3[0-7]m' |
    sort -u | tr -d $'\e' | tr '\n' ' ')
  expect_eq "colours in use (built-in renderer)" "[31m [33m [36m [37m " "$colours"
  keys abd BSpace c Left Left Z Home '<' End 山
  wait_for '名前? <aZbc山'
  settle "cursor after the entry (built-in renderer)" "13,3" cursor
  keys Enter
  wait_for 'ENTRY=[<aZbc山]'
  keys Up Down Left Right DC IC Home End Escape Enter a BSpace ア
  wait_for 'KEYS: 30 31 29 28 127 18 11 27 13 97 8 131'
  keys q
  wait_for 'rc=0'
  screen | grep -qF 'PLANE 160x96' && fail "built-in renderer: the program's screen is still shown"
  expect_shell_modes "$work/modes.unknown"
fi
# In line mode one line answers one key: its first byte, an empty line RETURN.
start_session
run "TERM=dumb '$probe' draw; echo rc=\$?"
if wait_for '名前?'; then
  screen | grep -qxF 'ROW0 plain' || fail "dumb terminal: the first rows are not printed"
  keys hello Enter
  wait_for 'ENTRY=[hello]'
  keys ab Enter Enter q Enter
  wait_for 'rc=0'
  screen | grep -qF 'KEYS: 97 13 113' || fail "dumb terminal: keys were not one a line"
fi

# --- flow control is off while the program runs, and back after ---
start_session
run "VERDAN_SNAPSHOT='$work/shot.png' '$probe' draw; echo rc=\$?"
if wait_for '名前?'; then
  pane_tty=$(tmx display-message -p -t vt '#{pane_tty}')
  expect_eq "flow control while running" "-ixon" "$(stty -F "$pane_tty" -a | grep -o -- '-\?ixon')"
  keys C-s x C-q Enter
  wait_for 'ENTRY=[x]'
  keys q
  wait_for 'rc=0'
  expect_eq "flow control after" "ixon" "$(stty -F "$pane_tty" -a | grep -o -- '-\?ixon')"
  # The picture of the final screen, also in terminal mode.
  expect_eq "snapshot in terminal mode" "PNG" "$(head -c 4 "$work/shot.png" 2>/dev/null | tail -c 3)"
fi

# --- a Japanese locale in EUC-JP: the terminal gets EUC-JP bytes ---
if [ "$(id -u)" -eq 0 ] && command -v localedef >/dev/null 2>&1 &&
   localedef -f EUC-JP -i ja_JP "$work/ja_JP.eucJP" >/dev/null 2>&1; then
  export LOCPATH=$work
  euc_env="LOCPATH='$work' LANG=ja_JP.eucJP LC_ALL=ja_JP.eucJP"
  # The bytes as they leave the program.
  start_session
  tmx pipe-pane -o -t vt "cat >>'$work/euc.log'"
  run "env $euc_env '$probe' draw; echo rc=\$?"
  wait_for 'ROW0 plain'
  keys q Enter q
  wait_for 'rc=0'
  tmx pipe-pane -t vt
  grep -qF "$(printf '\xcc\xbe\xc1\xb0?')" "$work/euc.log" ||
    fail "EUC-JP locale: the prompt did not go out in EUC-JP"
  grep -qF '名前' "$work/euc.log" && fail "EUC-JP locale: the prompt went out in UTF-8"
  # Through a converting terminal, as a user of that locale sees it.
  if command -v luit >/dev/null 2>&1; then
    start_session
    run "env $euc_env luit -encoding eucJP -- '$probe' draw; echo rc=\$?"
    if wait_for '名前?'; then
      expect_row 1 "日本語の表示 ｶﾀｶﾅ"
      keys 山 Enter
      wait_for 'ENTRY=[山] HEX=8E52'
      keys q
      wait_for 'rc=0'
    fi
  else
    echo "note: luit is not installed; the EUC-JP pane was checked by its bytes only"
  fi
  unset LOCPATH
else
  echo "note: no EUC-JP locale can be made here (needs root and the locales package); skipped"
fi

# --- Ctrl-L draws the whole screen again over garbage ---
start_session
run "'$probe' draw; echo rc=\$?"
if wait_for '名前?'; then
  tmx send-keys -t vt -l ''
  printf 'GARBAGE%.0s' 1 2 3 >"$(tmx display-message -p -t vt '#{pane_tty}')"
  wait_for 'GARBAGE'
  keys C-l
  settle "row 0 after Ctrl-L" "ROW0 plain" row 0
  screen | grep -qF GARBAGE && fail "garbage still shown after Ctrl-L"
  keys Enter
  wait_for 'ENTRY=[]'
  keys q
  wait_for 'rc=0'
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all terminal console checks passed"
