# Sourced by the tests that drive a program in tmux; needs their `tmx`.
# new_pane WIDTH HEIGHT COMMAND: the session `vt` running COMMAND. Under load
# tmux 3.3 now and then loses its server as it starts ("server exited
# unexpectedly"); such a start is tried again on a fresh server.
new_pane() {
  local try
  for try in 1 2 3; do
    tmx new-session -d -s vt -x "$1" -y "$2" "$3" && tmx has-session -t vt 2>/dev/null && return 0
    tmx kill-server >/dev/null 2>&1
    sleep 1
  done
  echo "FAIL: tmux would not start a session" >&2
  exit 1
}
