# Sourced by the install and package tests: runs an installed VDN-GENE
# headless from an unrelated directory, as a new user would, and checks
# that the first run makes the settings and the frame's data file.

# first_run BIN_DIR WORK_DIR
first_run() {
  local bin=$1 work=$2
  mkdir -p "$work/home" "$work/here"
  # First run: settings with the defaults, then a one-span, one-storey frame.
  # Without VERDAN.EXE the generator's error line waits for input that has
  # run out: status 3.
  local status=0
  (cd "$work/here" && printf '\n\n\n\n\n\n\n\nY\n1\n1\n1\n6\n3.5\n5\n\n\n\n' |
    env -i PATH=/usr/bin:/bin HOME="$work/home" "$bin/VDN-GENE" >"$work/screen" 2>"$work/errors") ||
    status=$?
  if [ "$status" -ne 3 ]; then
    echo "VDN-GENE ended with status $status, not 3" >&2
    cat "$work/errors" >&2
    return 1
  fi
  [ -f "$work/home/.config/verdan/VERDAN.INI" ] || { echo "no VERDAN.INI made" >&2; return 1; }
  [ -f "$work/here/PRT.TXT" ] || { echo "no PRT.TXT written" >&2; return 1; }
  head -1 "$work/here/FRAME" | grep -q '^VERDAN V2.50' || { echo "no FRAME written" >&2; return 1; }
  # The generator got as far as starting the analysis program, which is not there.
  grep -q 'ERROR : CODE = 53' "$work/screen" || { echo "the generator did not reach VERDAN.EXE" >&2; return 1; }
}

# expect_version BIN_DIR VERSION: every program answers --version.
expect_version() {
  local program
  for program in VDN-GENE VDN-CNTL VDN-PLOT; do
    "$1/$program" --version </dev/null | grep -qF "$program (VERDAN companion programs) $2" || {
      echo "$program --version does not say $2" >&2
      return 1
    }
  done
}
