#!/usr/bin/env bash
# Runs console_contract headless with scripts on standard input and checks
# what scripts and outside checks rely on: the echo and final screen on
# standard output, the exit statuses, the snapshot picture, and that a
# program started in our place finds the rest of the input unread.
set -u
bin=${1:?usage: console_contract_test.sh PATH-TO-console_contract}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset VERDAN_CONSOLE VERDAN_SNAPSHOT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect_same NAME EXPECTED-FILE ACTUAL-FILE
expect_same() {
  if ! cmp -s "$2" "$3"; then
    fail "$1"
    diff -u "$2" "$3" >&2
  fi
}

# expect_eq NAME EXPECTED ACTUAL
expect_eq() {
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# screen LINE... : the 24-line dump whose first lines are given, the rest empty.
screen() {
  local n=0 line
  for line in "$@"; do
    printf '%s\n' "$line"
    n=$((n + 1))
  done
  while [ $n -lt 24 ]; do
    printf '\n'
    n=$((n + 1))
  done
}

# --- a whole dialogue that ends normally, with a snapshot ---
printf '山田\r\nq' | VERDAN_SNAPSHOT="$work/shot.png" "$bin" dialogue >"$work/out" 2>"$work/err"
expect_eq "normal end status" 0 "$?"
{
  screen "名前? 山田" "こんにちは 山田" "KEY? 113"
} | sed '24s/.*/END/' >"$work/expected"
expect_same "final screen after a normal end" "$work/expected" "$work/out"
expect_eq "nothing on stderr" "" "$(cat "$work/err")"

if [ -s "$work/shot.png" ]; then
  expect_eq "line colour" "170 0 0" "$("$bin" pixel "$work/shot.png" 320 200)"
  expect_eq "line end" "170 0 0" "$("$bin" pixel "$work/shot.png" 639 200)"
  expect_eq "box corner" "0 170 0" "$("$bin" pixel "$work/shot.png" 200 300)"
  expect_eq "box inside left alone" "0 0 0" "$("$bin" pixel "$work/shot.png" 150 275)"
  ink=$("$bin" ink "$work/shot.png" 0 0)
  [ "${ink:-0}" -gt 10 ] || fail "no ink in the cell of 名 (got '$ink')"
  ink=$("$bin" ink "$work/shot.png" 23 1)
  [ "${ink:-0}" -gt 10 ] || fail "no ink in the cell of the N of END (got '$ink')"
  expect_eq "blank cell" 0 "$("$bin" ink "$work/shot.png" 5 40)"
else
  fail "VERDAN_SNAPSHOT wrote no picture"
fi

# --- input runs out while a key is awaited ---
printf '山田\n' | "$bin" dialogue >"$work/out" 2>"$work/err"
expect_eq "input ended status" 3 "$?"
screen "名前? 山田" "こんにちは 山田" "KEY?" >"$work/expected"
expect_same "screen written once when input ends" "$work/expected" "$work/out"
expect_eq "one line on stderr" "VERDAN: input ended" "$(cat "$work/err")"

"$bin" dialogue </dev/null >"$work/out" 2>/dev/null
expect_eq "empty input status" 3 "$?"
screen "名前?" >"$work/expected"
expect_same "screen when there is no input at all" "$work/expected" "$work/out"

# --- hand-over: the started program reads on where we stopped ---
printf 'first\nsecond\nthird' | "$bin" handover cat >"$work/out" 2>"$work/err"
expect_eq "hand-over status" 0 "$?"
{
  screen "> first"
  printf 'second\nthird'
} >"$work/expected"
expect_same "rest of a piped input left for the next program" "$work/expected" "$work/out"

printf 'first\r\nsecond\n' >"$work/script"
"$bin" handover cat <"$work/script" >"$work/out" 2>"$work/err"
{
  screen "> first"
  printf 'second\n'
} >"$work/expected"
expect_same "rest of a file input left for the next program" "$work/expected" "$work/out"

printf 'go\n佐藤\nk' | "$bin" handover "$bin" dialogue >"$work/out" 2>"$work/err"
expect_eq "chained programs status" 0 "$?"
{
  screen "> go"
  screen "名前? 佐藤" "こんにちは 佐藤" "KEY? 107" | sed '24s/.*/END/'
} >"$work/expected"
expect_same "a started program takes the next entries" "$work/expected" "$work/out"

# --- choosing the front end ---
# The terminal asked for without one: a note saying why, then headless.
printf 'a\nb' | VERDAN_CONSOLE=terminal "$bin" dialogue >"$work/out" 2>"$work/err"
expect_eq "terminal asked for without a terminal: status" 0 "$?"
expect_eq "note when the terminal was asked for without one" \
  "VERDAN: no terminal console (standard input or output is not a terminal); running headless" \
  "$(cat "$work/err")"
grep -q 'こんにちは a' "$work/out" || fail "no headless screen after the note"
printf 'a\nb' | VERDAN_CONSOLE=headless "$bin" dialogue >/dev/null 2>"$work/err"
expect_eq "headless asked for: no note" "" "$(cat "$work/err")"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all console contract checks passed"
