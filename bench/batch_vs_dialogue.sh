#!/usr/bin/env bash
# VDN-GENE --batch against the headless dialogue on the same frame (every
# brace placed, as bench/largest_frame.sh), timed side by side with the same
# settings and an empty print file each run. Prints the median of each and
# the ratio batch / dialogue; the two runs' files are checked to be equal.
#   bench/batch_vs_dialogue.sh [bin-dir] [runs] [size...]   sizes as NXxNS
set -euo pipefail
. "$(dirname "$0")/every_brace_keys.sh"
bin=$(cd "${1:-build/bin}" && pwd -P)
runs=${2:-5}
shift 2 2>/dev/null || shift $#
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000x1000)

work=$(mktemp -d "${TMPDIR:-/tmp}/verdan-batch.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/app" "$work/bin"
printf '#!/bin/sh\n' > "$work/bin/VERDAN" && chmod +x "$work/bin/VERDAN"

generator() {  # arguments; standard input is the script or description
  (cd "$work/home" && env -i PATH="$work/bin:/usr/bin:/bin" APPDATA="$work/home/app" OS=Linux \
     "$bin/VDN-GENE" "$@" > /dev/null 2>&1)
}
now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ones() { printf '%s' "$2"; for ((i = 1; i < $1; i++)); do printf ', %s' "$2"; done; }

# Settings with the defaults: data and print file in the start directory.
printf '\n\n\n\n\n\n\n\nY\n0\n' | generator || true

for size in "${sizes[@]}"; do
  nx=${size%x*} ns=${size#*x}
  script="$work/script-$size" description="$work/frame-$size.toml"
  every_brace_keys "$nx" "$ns" > "$script"
  {
    printf '[frame]\nspans = [%s]\nstoreys = [%s]\n' "$(ones "$nx" 6)" "$(ones "$ns" 3.5)"
    for kind in rising-braces falling-braces; do
      printf '[[frame.edit]]\nmembers = "%s"\nstoreys = "1-%d"\naxes = "0-%d"\n' "$kind" "$ns" "$nx"
    done
  } > "$description"
  dialogue_times=() batch_times=()
  for ((r = 0; r < runs; r++)); do
    rm -f "$work/home/FRAME" "$work/home/PRT.TXT"
    t0=$(now); generator < "$script"; t1=$(now)
    dialogue_times+=("$(echo "$t1 - $t0" | bc -l)")
    mv "$work/home/FRAME" "$work/dialogue-FRAME"; mv "$work/home/PRT.TXT" "$work/dialogue-PRT.TXT"
    t0=$(now); generator --batch - < "$description"; t1=$(now)
    batch_times+=("$(echo "$t1 - $t0" | bc -l)")
    cmp -s "$work/home/FRAME" "$work/dialogue-FRAME" && cmp -s "$work/home/PRT.TXT" "$work/dialogue-PRT.TXT" || {
      echo "$size: the batch run's files differ from the dialogue's" >&2
      exit 1
    }
  done
  d=$(printf '%s\n' "${dialogue_times[@]}" | median)
  b=$(printf '%s\n' "${batch_times[@]}" | median)
  printf '%-10s dialogue %8.3f s   batch %8.3f s   ratio %5.2f\n' "$size" "$d" "$b" "$(echo "$b / $d" | bc -l)"
done
