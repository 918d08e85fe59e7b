#!/usr/bin/env bash
# The usual first ending in a real terminal: no analysis program anywhere.
# Once the generator gives the terminal back, the shell's screen holds the
# full path of the data file it wrote and where the program is looked for.
set -u
gene=${1:?usage: run_report_terminal_test.sh PATH-TO-VDN-GENE}
session=report
. "$(dirname "$0")/terminal_run.sh"

# A wide pane, so the account's lines are not wrapped; the shell's prompt
# comes after the program ends.
new_pane 160 40 \
  "cd '$run' && env -i HOME='$work/home' PATH=/usr/bin:/bin LSAN_OPTIONS='${LSAN_OPTIONS:-}' TERM=xterm-256color LANG=C.UTF-8 \
   VERDAN_CONSOLE=terminal '$gene'; echo \"ended with \$?\"; sleep 60"
wait_for "番号を選んで下さい"
for entry in 1 1 1 6 3.5 5 "" "" ""; do
  tmx send-keys -t vt "$entry" Enter
  sleep 0.2
done
wait_for "CODE = 53"
tmx send-keys -t vt E Enter
wait_for "ended with 1"
failures=0
for line in "VDN-GENE: wrote $run/FRAME" "VDN-GENE: added to $run/PRT.TXT" \
            "VDN-GENE: VERDAN.EXE was not found" "in the current directory: $run"; do
  screen | grep -qF -- "$line" || { echo "FAIL: not on the terminal: $line" >&2; failures=$((failures + 1)); }
done
[ $failures -eq 0 ] || screen >&2
[ $failures -eq 0 ] && echo "run report on the terminal: ok"
exit $((failures > 0))
