# Sourced by the tests that drive VDN-GENE in a real terminal (tmux):
# skips without tmux, makes a scratch home with default settings, and gives
# `tmx`, `new_pane`, `screen` and `wait_for`. Needs $gene and $session set.
if ! command -v tmux >/dev/null 2>&1; then
  echo "SKIP: tmux is not installed"
  exit 77
fi
export LC_ALL=C.UTF-8
work=$(mktemp -d)
export TMUX_TMPDIR=$work
tmx() { tmux -u -L "$session" -f /dev/null "$@"; }
. "$(dirname "${BASH_SOURCE[0]}")/../frontends/terminal/tmux_pane.sh"
trap 'tmx kill-server >/dev/null 2>&1; rm -rf "$work"' EXIT

# Settings made once headless with the defaults.
mkdir -p "$work/home" "$work/run"
run=$(cd "$work/run" && pwd -P)
printf '\n\n\n\n\n\n\n\nY\n' | (cd "$run" && env -i HOME="$work/home" PATH=/usr/bin:/bin "$gene") >/dev/null 2>&1
[ -s "$work/home/.config/verdan/VERDAN.INI" ] || { echo "FAIL: no settings were made"; exit 1; }

# The pane with its scroll-back, wrapped lines joined.
screen() { tmx capture-pane -p -J -t vt -S -200; }
# Waits up to 15 s for `text` in the pane; fails the test with the pane shown.
wait_for() {
  local deadline=$((SECONDS + 15))
  while [ $SECONDS -lt $deadline ]; do
    screen | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echo "FAIL: timed out waiting for '$1'" >&2
  screen >&2
  exit 1
}

