#!/usr/bin/env bash
# The user's guides' pictures, made by the built programs themselves: each is
# the final screen (VERDAN_SNAPSHOT) of a headless run fed a script of
# entries, as a new user's session would go, in a private home under a
# temporary directory. Builds nothing.
#   docs/make_guide_pictures.sh [bin-dir] [picture-dir]   (build/bin, docs/guide)
# Drive C: is the temporary directory and APPDATA is C:\home\taro\.config, so
# no temporary name shows on a screen and the pictures come out the same on
# every run.
set -euo pipefail
docs=$(cd "$(dirname "$0")" && pwd -P)
bin=$(cd "${1:-$docs/../build/bin}" && pwd -P)
mkdir -p "${2:-$docs/guide}"
out=$(cd "${2:-$docs/guide}" && pwd -P)

work=$(mktemp -d "${TMPDIR:-/tmp}/verdan-guide.XXXXXX")
trap 'rm -rf "$work"' EXIT
here="$work/c/home/taro/frames"  # the current directory, and the data directory C:
mkdir -p "$work/c/home/taro/.config" "$here" "$work/stand-in"
# The analysis program is not part of the package: a stand-in for the runs
# that go past it; the first session's runs go without one.
printf '#!/bin/sh\nexit 0\n' > "$work/stand-in/VERDAN" && chmod +x "$work/stand-in/VERDAN"
without_analysis=/usr/bin:/bin
with_analysis="$work/stand-in:/usr/bin:/bin"

passed=()
for name in VERDAN_FONT LSAN_OPTIONS ASAN_OPTIONS UBSAN_OPTIONS; do
  if [ -n "${!name:-}" ]; then passed+=("$name=${!name}"); fi
done

# run PICTURE STATUS PATH PROGRAM: the program with the entries on standard
# input; it must end with STATUS (3: the entries ran out on the screen shown)
# and leave PICTURE.
run() {
  local picture=$1 expected=$2 path=$3 program=$4 status=0
  rm -f "$out/$picture"
  (cd "$here" && env -i PATH="$path" APPDATA='C:\home\taro\.config' VERDAN_DRIVE_C="$work/c" "${passed[@]}" \
     VERDAN_SNAPSHOT="$out/$picture" "$bin/$program") > "$work/screen" 2> "$work/errors" || status=$?
  if [ "$status" -ne "$expected" ] || [ ! -s "$out/$picture" ]; then
    echo "$picture: $program ended with status $status (expected $expected)" >&2
    cat "$work/errors" "$work/screen" >&2
    exit 1
  fi
}

# A first session: the generator finds no settings and hands over to the
# control program, whose settings screen waits for its confirmation.
printf '\n\n\n\n\n\n\n\n' | run settings.png 3 "$without_analysis" VDN-GENE
# Confirmed with the defaults: the generator starts again with its menu.
printf '\n\n\n\n\n\n\n\nY\n' | run menu.png 3 "$without_analysis" VDN-GENE
# One span of 6 m, one storey of 3.5 m, numbered by default: FRAME and
# PRT.TXT are written, then the analysis program is not found.
printf '1\n1\n1\n6\n3.5\n5\n\n\n\n' | run first_end.png 3 "$without_analysis" VDN-GENE

# The worked frame: spans 6, 6, 7.2 m, storeys 4, 3.5, 3.5 m; X braces in
# bay 1-2 of storeys 1 and 2; the column of storey 3 on axis 0 and the roof
# beam of bay 0-1 removed. It stops at the beams' next pair of lists.
{
  printf '1\n3\n3\n6\n\n7.2\n4\n3.5\n\n'
  printf '1\n1-2\n1-2\n\n2\n1-2\n1-2\n\n3\n3\n0\n\n4\n4\n0-1\n'
} | run frame_edit.png 3 "$with_analysis" VDN-GENE

# F1 at the first list of the rising braces: the help page of the range
# lists, where the entries run out.
printf '1\n3\n3\n6\n\n7.2\n4\n3.5\n\n1\n\033OP\n' | run help.png 3 "$with_analysis" VDN-GENE

# A grid of 3 x 2 spans (6 m, 5 m), stopped at the question whether to
# write over the print file of the frame before.
printf '2\n3\n2\n6\n\n\n5\n\n' | run grid.png 3 "$with_analysis" VDN-GENE

# The register made on its screen; then the data directory as the analysis
# program leaves it: saved data files and their INDEX lines (name, owner,
# date, comment), with fixed update dates.
printf '2\n3\n1234\n山田\nY\n1235\n佐藤\nY\n' | run register.png 3 "$without_analysis" VDN-CNTL
cp "$here/FRAME" "$here/BLDG-A"
cp "$here/FRAME" "$here/DECK-2"
touch -d '2024-04-02 12:00' "$here/BLDG-A"
touch -d '2024-05-13 12:00' "$here/DECK-2"
touch -d '2024-05-20 12:00' "$here/FRAME"
index_line() { printf '"%-11s%-7s%s   %s"\r\n' "$1" "$2" "$3" "$4"; }
{
  index_line BLDG-A 1234 2024/04/02 '事務所棟　１スパン１層'
  index_line DECK-2 1235 2024/05/13 '２階床　格子梁'
  index_line FRAME 1234 2024/05/20 '試し計算'
} | iconv -f UTF-8 -t CP932 > "$here/INDEX"
# The list with entry 2 marked for deletion (down, RETURN); the entries run
# out before ESC, so nothing is deleted.
printf '2\n1\n\037\n' | run file_list.png 3 "$without_analysis" VDN-CNTL
