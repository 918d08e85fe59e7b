#!/usr/bin/env bash
# A headless first run on both builds: the generator hands over to the
# control program and back, then a frame is entered, its data file and
# print file written and the analysis program (a stand-in) started. The
# Windows programs run under wine; FRAME and PRT.TXT must be the POSIX
# build's byte for byte.
# first_run_compare.sh POSIX_BIN WINDOWS_BIN WINDOWS_STAND_IN_DIR
set -euo pipefail
posix_bin=$1 windows_bin=$2 stand_in=$3
: "${WINEPREFIX:?set WINEPREFIX}"
export WINEDEBUG=-all

first=$'\n\n\n\n\n\n\n\nY\n0\n'
frame=$'1\n1\n1\n6\n3.5\n5\n\n\n\n'

work=$(mktemp -d)
trap 'rm -rf "$work" "$WINEPREFIX/drive_c/verdan-e2e"' EXIT

# POSIX: a clean environment, the stand-in first on PATH.
mkdir -p "$work/posix/home" "$work/posix/app" "$work/posix/bin"
printf '#!/bin/sh\necho "$*" > ANALYSIS.TXT\n' >"$work/posix/bin/VERDAN"
chmod +x "$work/posix/bin/VERDAN"
posix_run() {
  (cd "$work/posix/home" && printf '%s' "$1" |
    env -i PATH="$work/posix/bin:/usr/bin:/bin" APPDATA="$work/posix/app" OS=Linux "$posix_bin/VDN-GENE" \
      >/dev/null 2>>"$work/posix/errors") && echo 0 || echo $?
}

# Windows: drive C: of the wine prefix, its own APPDATA, the stand-in on PATH.
wine wineboot -i >/dev/null 2>&1 || true
home="$WINEPREFIX/drive_c/verdan-e2e/home"
mkdir -p "$home"
appdata=$(wine cmd /C 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
rm -rf "$(winepath -u "$appdata" 2>/dev/null)/verdan"
windows_run() {
  (cd "$home" && printf '%s' "$1" |
    WINEPATH="$(winepath -w "$stand_in")" wine "$windows_bin/VDN-GENE.EXE" >/dev/null 2>>"$work/windows-errors") &&
    echo 0 || echo $?
}

status=0
for step in first frame; do
  p=$(posix_run "${!step}")
  w=$(windows_run "${!step}")
  if [ "$p" != "$w" ]; then
    echo "$step run: status $w under wine, $p on POSIX" >&2
    status=1
  fi
done
for file in FRAME PRT.TXT ANALYSIS.TXT; do
  if ! cmp "$work/posix/home/$file" "$home/$file"; then
    echo "$file differs from the POSIX build's" >&2
    status=1
  fi
done
if [ "$status" -ne 0 ]; then
  echo "--- POSIX errors" >&2; cat "$work/posix/errors" >&2 || true
  echo "--- wine errors" >&2; cat "$work/windows-errors" >&2 || true
else
  echo "FRAME, PRT.TXT and the analysis program's argument are the POSIX build's"
fi
exit "$status"
