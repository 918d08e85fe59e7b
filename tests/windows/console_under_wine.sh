#!/usr/bin/env bash
# The Windows console front end under wine in tmux: the control program's
# menu drawn in the console (double-width text once, not twice), keys read
# by ReadConsoleInputW edited in the entry, 0 ending the run and the
# console given back. wine's console is not the Windows console, so this
# checks the front end's calls, not the look on a Windows desk.
# console_under_wine.sh WINDOWS_BIN
set -euo pipefail
bin=$1
: "${WINEPREFIX:?set WINEPREFIX}"
command -v tmux >/dev/null || { echo "SKIP: tmux is not installed"; exit 0; }
socket=verdan-wine-$$
work=$(mktemp -d)
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

tmux -L "$socket" new-session -d -x 100 -y 30 \
  "cd '$work' && WINEDEBUG=-all WINEPREFIX='$WINEPREFIX' wine '$bin/VDN-CNTL.EXE' 2>'$work/errors'; echo \"END=\$?\"; sleep 60"

# wait_for TEXT: up to 30 s for the pane to show TEXT.
wait_for() {
  for _ in $(seq 60); do
    tmux -L "$socket" capture-pane -p >"$work/pane"
    grep -qF "$1" "$work/pane" && return 0
    sleep 0.5
  done
  echo "the console never showed: $1" >&2
  cat "$work/pane" >&2
  return 1
}

wait_for "ファイル管理"
if grep -qF "フファァ" "$work/pane"; then
  echo "double-width characters were written twice" >&2
  exit 1
fi
# The entry is edited in place: a wrong digit rubbed out, then 0 ends.
tmux -L "$socket" send-keys 7 BSpace 0
wait_for "? 0"
tmux -L "$socket" send-keys Enter
wait_for "END=0"
echo "the console front end drew the menu, read the keys and gave the console back"
