#!/usr/bin/env bash
# A whole headless run of VDN-GENE on a frame with every brace placed, from
# the menu to the start of the analysis program, against cat of the same
# FRAME and PRT.TXT into a new file with fsync, timed side by side.
# Prints the median of each, their ratio and the generator's peak memory.
#   bench/largest_frame.sh [bin-dir] [runs] [size...]   sizes as NXxNS
set -euo pipefail
. "$(dirname "$0")/every_brace_keys.sh"
bin=$(cd "${1:-build/bin}" && pwd -P)
runs=${2:-5}
shift 2 2>/dev/null || shift $#
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(200x100 1000x1000 1999x1999)

work=$(mktemp -d "${TMPDIR:-/tmp}/verdan-largest.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/app" "$work/bin"
printf '#!/bin/sh\n' > "$work/bin/VERDAN" && chmod +x "$work/bin/VERDAN"

generator() {  # script file; GNU time's peak resident set in kB goes to $work/rss
  (cd "$work/home" && env -i PATH="$work/bin:/usr/bin:/bin" APPDATA="$work/home/app" OS=Linux \
     /usr/bin/time -f %M -o "$work/rss" "$bin/VDN-GENE" < "$1" > /dev/null 2>&1)
}
now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Settings with the defaults: data and print file in the start directory.
printf '\n\n\n\n\n\n\n\nY\n0\n' > "$work/settings"
generator "$work/settings" || true

for size in "${sizes[@]}"; do
  nx=${size%x*} ns=${size#*x}
  script="$work/script-$size"
  every_brace_keys "$nx" "$ns" > "$script"
  gen_times=() cat_times=() rss=()
  for ((r = 0; r < runs; r++)); do
    rm -f "$work/home/FRAME" "$work/home/PRT.TXT" "$work/copy"
    sync
    t0=$(now); generator "$script"; t1=$(now)
    gen_times+=("$(echo "$t1 - $t0" | bc -l)")
    rss+=("$(cat "$work/rss")")
    sync
    t0=$(now)
    cat "$work/home/FRAME" "$work/home/PRT.TXT" > "$work/copy"
    sync "$work/copy"  # fsync of the one file
    t1=$(now)
    cat_times+=("$(echo "$t1 - $t0" | bc -l)")
  done
  g=$(printf '%s\n' "${gen_times[@]}" | median)
  c=$(printf '%s\n' "${cat_times[@]}" | median)
  m=$(printf '%s\n' "${rss[@]}" | median)
  bytes=$(($(stat -c %s "$work/home/FRAME") + $(stat -c %s "$work/home/PRT.TXT")))
  printf '%-10s generator %8.3f s   cat+fsync %7.3f s   ratio %5.2f   peak %8.1f MB   output %7.1f MB\n' \
    "$size" "$g" "$c" "$(echo "$g / $c" | bc -l)" "$(echo "$m / 1024" | bc -l)" "$(echo "$bytes / 1048576" | bc -l)"
done
