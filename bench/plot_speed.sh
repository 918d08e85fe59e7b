#!/usr/bin/env bash
# VDN-PLOT on a frame with every brace, each device 1-7, against cat of the
# data file to /dev/null plus cat of an output of the same size into a new
# file with fsync (the run's own output), timed side by side. Prints the
# medians, their ratio and VDN-PLOT's peak memory, for each frame size;
# VDN-PLOT's processor time beside its time tells how busy the machine was.
#   bench/plot_speed.sh [bin-dir] [runs] [size...]   sizes as NXxNS
# The sizes are 500x500 and 1999x1999 unless given; the frames and plots go
# to $TMPDIR (the 1999 x 1999 frame is 1.3 GB, its plots up to 2 GB).
set -euo pipefail
. "$(dirname "$0")/every_brace_keys.sh"
shopt -s nullglob  # no plot.jwc but for device 5
bin=$(cd "${1:-build/bin}" && pwd -P)
runs=${2:-5}
shift 2 2>/dev/null || shift $#
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(500x500 1999x1999)

work=$(mktemp -d "${TMPDIR:-/tmp}/verdan-plot-speed.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home/app" "$work/bin"
printf '#!/bin/sh\n' > "$work/bin/VERDAN" && chmod +x "$work/bin/VERDAN"

generator() {
  (cd "$work/home" && env -i PATH="$work/bin:/usr/bin:/bin" APPDATA="$work/home/app" OS=Linux \
     "$bin/VDN-GENE" < "$1" > /dev/null 2>&1) || true
}
now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Settings with the defaults: data file in the start directory.
printf '\n\n\n\n\n\n\n\nY\n0\n' > "$work/settings"
generator "$work/settings"

for size in "${sizes[@]}"; do
  nx=${size%x*} ns=${size#*x}
  every_brace_keys "$nx" "$ns" > "$work/script"
  # The generator asks before it writes over the last size's listing.
  rm -f "$work/home/FRAME" "$work/home/PRT.TXT"
  generator "$work/script"
  frame="$work/home/FRAME"
  printf '%s: FRAME %.1f MB\n' "$size" "$(echo "$(stat -c %s "$frame") / 1048576" | bc -l)"
  for device in 1 2 3 4 5 6 7; do
    plot_times=() cpu_times=() cat_times=() rss=()
    for ((r = 0; r < runs; r++)); do
      rm -f "$work/plot" "$work/plot.jwc" "$work/copy"
      sync
      t0=$(now)
      /usr/bin/time -f '%M %U %S' -o "$work/rss" "$bin/VDN-PLOT" -d "$device" "$frame" "$work/plot" 2> /dev/null
      t1=$(now)
      plot_times+=("$(echo "$t1 - $t0" | bc -l)")
      read -r peak user system < "$work/rss"
      rss+=("$peak")
      cpu_times+=("$(echo "$user + $system" | bc -l)")
      bytes=$(stat -c %s "$work/plot")
      if [ -e "$work/plot.jwc" ]; then bytes=$((bytes + $(stat -c %s "$work/plot.jwc"))); fi
      # The baseline reads the output from the host's cache, as a file just
      # written through it: VDN-PLOT writes past the cache, where a cat
      # would read it from the disk.
      cat "$work/plot" "$work"/plot.jwc* > /dev/null
      sync
      t0=$(now)
      cat "$frame" > /dev/null
      cat "$work/plot" "$work"/plot.jwc* > "$work/copy"  # the run's own output
      sync "$work/copy"  # fsync of the one file
      t1=$(now)
      cat_times+=("$(echo "$t1 - $t0" | bc -l)")
    done
    p=$(printf '%s\n' "${plot_times[@]}" | median)
    u=$(printf '%s\n' "${cpu_times[@]}" | median)
    c=$(printf '%s\n' "${cat_times[@]}" | median)
    m=$(printf '%s\n' "${rss[@]}" | median)
    printf '  device %d   VDN-PLOT %7.3f s (cpu %6.3f s)   cat+fsync %6.3f s   ratio %5.2f   peak %7.1f MB   output %7.1f MB\n' \
      "$device" "$p" "$u" "$c" "$(echo "$p / $c" | bc -l)" "$(echo "$m / 1024" | bc -l)" "$(echo "$bytes / 1048576" | bc -l)"
  done
done
