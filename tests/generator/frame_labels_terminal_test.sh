#!/usr/bin/env bash
# The frame screen in a real terminal: the axis and level numbers that the
# generator draws as stroke digits must be readable digits in the pane (the
# user types range lists from them), with the members as braille around them.
set -u
gene=${1:?usage: frame_labels_terminal_test.sh PATH-TO-VDN-GENE}
session=labels
. "$(dirname "$0")/terminal_run.sh"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

new_pane 80 24 \
  "cd '$run' && env -i HOME='$work/home' PATH=/usr/bin:/bin LSAN_OPTIONS='${LSAN_OPTIONS:-}' TERM=xterm-256color LANG=C.UTF-8 \
   VERDAN_CONSOLE=terminal '$gene'; sleep 60"
wait_for "番号を選んで下さい"
# Three spans of 6 m, two storeys of 3.5 m.
for entry in 1 3 2 6 6 6 3.5 3.5; do
  tmx send-keys -t vt "$entry" Enter
  sleep 0.2
done
wait_for "５．終了"
sleep 0.3
row() { tmx capture-pane -p -t vt | sed -n "$(($1 + 1))p"; }

# Axis numbers under the four columns; each level's number stands to the
# left of its level, five cells before the frame's left column.
expected="$(printf '%39s' '')0            1            2           3"
[ "$(row 19)" = "$expected" ] || fail "axis row: expected '$expected', got '$(row 19)'"
for pair in "9 3" "13 2" "17 1"; do
  set -- $pair
  row "$1" | grep -qE " $2( {5}[^ ].*)?\$" || fail "level $2 not on row $1: '$(row "$1")'"
done
# The members stay braille, and nothing but the digits is on the axis row.
row 10 | grep -q '⠒' || fail "no beam drawn on row 10: '$(row 10)'"
row 19 | grep -q '[^0-9 ]' && fail "more than digits on the axis row: '$(row 19)'"

[ $failures -eq 0 ] && echo "frame labels: ok"
exit $((failures > 0))
