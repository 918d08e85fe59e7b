#!/usr/bin/env bash
# A set of dialogues of both programs, headless on both builds: settings,
# menus, frame input, member editing, numbering, the grid, the register,
# the file list and its printing. Each final screen under wine must be the
# POSIX build's, rows that show either side's own directories (start,
# per-user) set aside, and so must the print file. Under wine the programs
# start at the root of a drive of their own, V:\, which holds the data and
# the print file V:\PRT.TXT (on POSIX, V: is the start directory too); the
# file list is shown with wine's command interpreter and without one. Every
# line the Windows programs write on standard output and error ends in
# CR LF.
# dialogues_compare.sh POSIX_BIN WINDOWS_BIN WINDOWS_STAND_IN_DIR
set -euo pipefail
posix_bin=$1 windows_bin=$2 stand_in=$3
: "${WINEPREFIX:?set WINEPREFIX}"
export WINEDEBUG=-all

work=$(mktemp -d)
drive="$WINEPREFIX/dosdevices/v:"
trap 'rm -f "$drive"; rm -rf "$work"' EXIT
posix="$work/posix/home" windows="$work/windows"
mkdir -p "$posix" "$work/posix/app" "$work/posix/bin" "$windows" "$work/screens"
ln -sfn "$windows" "$drive"
# Wine's mount manager reads the drives when its session starts: one still
# running would not know V:, and cmd's DIR there would print nothing.
timeout 60 wineserver -w || true
printf '#!/bin/sh\necho "$*" > ANALYSIS.TXT\n' >"$work/posix/bin/VERDAN"
chmod +x "$work/posix/bin/VERDAN"

wine wineboot -i >/dev/null 2>&1 || true
user_dir=$(wine cmd /C 'echo %APPDATA%' 2>/dev/null | tr -d '\r')\\verdan
rm -rf "$(winepath -u "$user_dir" 2>/dev/null)"
windows_bin_dos=$(winepath -w "$windows_bin")

# posix_run NAME PROGRAM [with-analysis]: the entries on standard input.
posix_run() {
  local path=/usr/bin:/bin
  [ -n "${3:-}" ] && path="$work/posix/bin:$path"
  (cd "$posix" && env -i PATH="$path" APPDATA="$work/posix/app" OS=Linux VERDAN_DRIVE_V="$posix" "$posix_bin/$2" \
    >"$work/screens/$1.posix" 2>/dev/null) || true
}
# windows_run NAME PROGRAM [with-analysis] [no-interpreter]
windows_run() {
  local path=
  [ -n "${3:-}" ] && path=$(winepath -w "$stand_in")
  if [ -n "${4:-}" ]; then
    (cd "$windows" && WINEPATH="$path" wine cmd /C "set ComSpec=&& $windows_bin_dos\\$2.EXE" \
      >"$work/screens/$1.windows" 2>"$work/screens/$1.errors") || true
  else
    (cd "$windows" && WINEPATH="$path" wine "$windows_bin/$2.EXE" \
      >"$work/screens/$1.windows" 2>"$work/screens/$1.errors") || true
  fi
}

status=0
# compare NAME: the screens row by row, but for rows where either side
# shows a directory of its own (POSIX: anything under the temporary
# directory, which holds its start and per-user directories; wine: the
# per-user directory). The start directory V:\ is written the same on both.
compare() {
  local name=$1
  for stream in windows errors; do
    if grep -qv $'\r$' "$work/screens/$name.$stream"; then
      echo "$name: a line on standard ${stream/windows/output} under wine does not end in CR LF" >&2
      status=1
    fi
  done
  local posix_rows windows_rows row
  mapfile -t posix_rows <"$work/screens/$name.posix"
  mapfile -t windows_rows < <(tr -d '\r' <"$work/screens/$name.windows")
  if [ "${#posix_rows[@]}" -ne "${#windows_rows[@]}" ]; then
    echo "$name: ${#windows_rows[@]} rows under wine, ${#posix_rows[@]} on POSIX" >&2
    status=1
    return
  fi
  for row in "${!posix_rows[@]}"; do
    [[ ${posix_rows[row]} == *"$work/posix"* || ${windows_rows[row]} == *"$user_dir"* ]] && continue
    if [ "${posix_rows[row]}" != "${windows_rows[row]}" ]; then
      printf '%s, screen %d row %d differs:\n  POSIX: %s\n  wine:  %s\n' "$name" $((row / 24 + 1)) $((row % 24)) \
        "${posix_rows[row]}" "${windows_rows[row]}" >&2
      status=1
    fi
  done
}

# run NAME PROGRAM ENTRIES [with-analysis]
run() {
  printf "$3" | posix_run "$1" "$2" "${4:-}"
  printf "$3" | windows_run "$1" "$2" "${4:-}"
  compare "$1"
}

# The first session: the settings screen, then the menu once they are
# confirmed.
settings='V:\n\nV:\\PRT.TXT\n\n\n\n\n\n'
run settings VDN-GENE "$settings"
run menu VDN-GENE "${settings}Y\n"
# One span, one storey, numbered; the analysis program is not found.
run first_frame VDN-GENE '1\n1\n1\n6\n3.5\n5\n\n\n\n'
# Spans and storeys of several lengths, braces added, a column and a beam
# taken away; it stops at the beams' next pair of lists.
run frame_edit VDN-GENE '1\n3\n3\n6\n\n7.2\n4\n3.5\n\n1\n1-2\n1-2\n\n2\n1-2\n1-2\n\n3\n3\n0\n\n4\n4\n0-1\n' analysis
# Two spans numbered column by column, added to the print file, written and
# handed to the analysis program.
run numbered VDN-GENE '1\n2\n1\n6\n\n3.5\n5\n1\n\n\n\nN\n' analysis
run grid VDN-GENE '2\n3\n2\n6\n\n\n5\n\n' analysis
run register VDN-CNTL '2\n3\n1234\n山田\nY\n1235\n佐藤\nY\n'

# The data directory as the analysis program leaves it, with fixed dates.
for dir in "$posix" "$windows"; do
  cp "$dir/FRAME" "$dir/BLDG-A"
  touch -d '2024-04-02 12:00' "$dir/BLDG-A"
  touch -d '2024-03-05 12:00' "$dir/FRAME"
  printf '"%-11s%-7s%s   %s"\r\n' BLDG-A 1234 2024/04/02 TEST FRAME 1235 2024/03/05 MEMO CROSS 1234 2024/03/06 GRID \
    >"$dir/INDEX"
done
run file_list VDN-CNTL '2\n1\n\037\n'
printf '2\n1\n\037\n' | windows_run file_list_own VDN-CNTL '' no-interpreter
cp "$work/screens/file_list.posix" "$work/screens/file_list_own.posix"
compare file_list_own
# The interpreter's listing gives the facts on Windows too.
if ! tr -d '\r' <"$work/screens/file_list.windows" | grep -q 'FRAME .* 2024/03/05  03/05 '; then
  echo "file_list: no update date for FRAME with wine's command interpreter:" >&2
  tr -d '\r' <"$work/screens/file_list.windows" >&2
  status=1
fi
run print_list VDN-CNTL '2\n2\n0\n0\n'
if ! cmp "$posix/PRT.TXT" "$windows/PRT.TXT"; then
  echo "PRT.TXT at the drive root differs from the POSIX build's" >&2
  status=1
fi
help_lines=$(wine "$windows_bin/VDN-CNTL.EXE" --help | grep -cv $'\r$' || true)
if [ "$help_lines" -ne 0 ]; then
  echo "--help: $help_lines lines under wine do not end in CR LF" >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "the screens of the dialogues under wine are the POSIX build's"
exit "$status"
