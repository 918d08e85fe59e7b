#!/bin/bash
# libverdan as a user gets it: installed into a prefix, exporting only its
# own names, found by CMake and pkg-config, and the examples built and run
# against it.
# Usage: installed_library_test.sh BUILD_DIR SOURCE_DIR [sanitized]
set -u
build=$1
source=$2
# A sanitized library needs its runtimes loaded first in plain programs.
run() { "$@"; }
if [ "${3:-}" = sanitized ]; then
  preload="$(cc -print-file-name=libasan.so):$(cc -print-file-name=libubsan.so)"
  run() { LD_PRELOAD=$preload ASAN_OPTIONS=detect_leaks=0 "$@"; }
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
lib=$(ls "$prefix"/lib*/libverdan.so.[0-9]*.* 2>/dev/null | head -1)
libdir=$(dirname "$lib")
[ -n "$lib" ] || { fail "no versioned libverdan.so installed"; exit 1; }
[ -f "$prefix/include/verdan/verdan.h" ] || fail "header not installed"
[ -f "$libdir/pkgconfig/verdan.pc" ] || fail "verdan.pc not installed"
[ -f "$libdir/cmake/verdan/verdanConfig.cmake" ] || fail "CMake package not installed"
soname=$(readelf -d "$lib" | sed -n 's/.*SONAME.*\[\(.*\)\]/\1/p')
[[ $soname =~ ^libverdan\.so\.[0-9]+$ ]] || fail "soname is '$soname'"

# Only the library's own names, all in one version node.
exported=$(nm -D --defined-only "$lib" | awk '{print $3}' | sed 's/@.*//' | sort -u)
expected="VDN_CIR VDN_CONSOLE_CLOSE VDN_CONSOLE_OPEN VDN_CULC VDN_DASH VDN_DAT2SP VDN_DAY VDN_DRAW
VDN_DRAW_CMQ VDN_DRAW_DKI VDN_DRAW_SYU VDN_DSP2L VDN_DSPN VDN_F2X VDN_FAILURE VDN_GETCWD VDN_GETENV
VDN_I2X VDN_INIT VDN_INN VDN_JWH VDN_L2X VDN_MAR VDN_MIN VDN_MOJI VDN_MOVE VDN_N2A VDN_PLOT VDN_PLOT_CLOSE
VDN_PLOT_OPEN VDN_PLT_END VDN_RECORDS_CLOSE VDN_RECORDS_OPEN VDN_RECORD_KIND VDN_S2X VDN_SJ2J VDN_SP2DAT
VDN_STATE VDN_TMP2JWC VERDAN_1 vdn_failure_text vdn_plot_discard vdn_plot_dxf_expect_layer vdn_plot_keep_in_cache vdn_plot_lines vdn_plot_number_labels vdn_plot_open_replacing vdn_plot_open_stdout vdn_plot_start vdn_version"
if [ "$exported" != "$(tr ' ' '\n' <<< "$expected" | sort -u)" ]; then
  fail "exported symbols differ:"
  diff <(tr ' ' '\n' <<< "$expected" | sort -u) <(echo "$exported") >&2
fi

# VDN-PLOT draws through the shared library too.
ldd "$build/bin/VDN-PLOT" | grep -q 'libverdan\.so' || fail "VDN-PLOT does not use libverdan"

# The header is C99 and C++.
echo '#include <verdan/verdan.h>
int main(void) { return VDN_FAILURE(); }' > "$work/h.c"
cc -std=c99 -Wall -Wextra -Wpedantic -Werror -I"$prefix/include" -c "$work/h.c" -o "$work/h.o" || fail "header as C99"
c++ -x c++ -std=c++11 -Wall -Wextra -Wpedantic -Werror -I"$prefix/include" -c "$work/h.c" -o "$work/h.o" \
  || fail "header as C++"

# pkg-config.
if command -v pkg-config > /dev/null; then
  flags=$(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --cflags --libs verdan) || fail "pkg-config verdan"
  cc -std=c99 "$source/examples/numbers.c" $flags -o "$work/numbers-pc" || fail "numbers.c with pkg-config"
  LD_LIBRARY_PATH=$libdir run "$work/numbers-pc" 1 3 | grep -qx 'MAR  \[ 1.000\]' || fail "numbers-pc output"
else
  echo "pkg-config is not installed: the pkg-config file was not tried"
fi

# The examples through find_package(verdan).
cmake -S "$source/examples" -B "$work/examples" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  > "$work/examples.log" 2>&1 && cmake --build "$work/examples" >> "$work/examples.log" 2>&1 \
  || { cat "$work/examples.log" >&2; fail "examples do not build"; exit 1; }
[ -z "$(ldd "$work/examples/numbers" | grep 'libverdan' | grep -v "$prefix")" ] || fail "examples use another libverdan"

out=$(run "$work/examples/numbers" 65536 0)
expected_out="MAR  [ 65536]
N2A  [65536]
S2X  [65536]
F2X  00 00 80 47
L2X  00 00 01 00
I2X  failure 6"
[ "$(head -6 <<< "$out")" = "$expected_out" ] || { fail "numbers output"; echo "$out" >&2; }

# A 2-span, 2-storey frame with one brace, plotted on every device.
printf '%s\r\n' "VERDAN V2.50" " 9             11            1             0 " \
  " 0             0 " " 600           0 " " 1000          0 " " 0             350 " " 600           350 " \
  " 1000          350 " " 0             650 " " 600           650 " " 1000          650 " \
  "  1   4   1   -1 " "  2   5   1   -1 " "  3   6   1   -1 " "  4   7   1   -1 " "  5   8   1   -1 " \
  "  6   9   1   -1 " "  4   5   1   -1 " "  5   6   1   -1 " "  7   8   1   -1 " "  8   9   1   -1 " \
  "  2   6   4   -1 " " 1            -1             0             0             0 " > "$work/FRAME"
cd "$work"
run "$work/examples/plot_frame" 3 FRAME frame.plt || fail "HP-GL plot"
[ "$(grep -o 'PD' frame.plt | wc -l)" = 11 ] || fail "HP-GL plot has not 11 lines"
grep -q 'LT2,2;' frame.plt || fail "HP-GL brace not dashed"
[ "$(grep -o 'LB' frame.plt | wc -l)" = 9 ] || fail "HP-GL plot has not 9 numbers"
for device in 1 2 4; do
  run "$work/examples/plot_frame" $device FRAME frame$device.plt && [ -s frame$device.plt ] || fail "device $device"
done
run "$work/examples/plot_frame" 5 FRAME frame.tmp frame.jwc || fail "JW_CAD plot"
[ "$(head -c 228 frame.jwc | tail -c 28)" = "11,0,9,0,0,1,1,1,1,1.00,0,3," ] || fail "JW_CAD head"
run "$work/examples/plot_frame" 3 FRAME /no/such/dir/x.plt 2> err.txt && fail "unwritable plot file accepted"
grep -q 'failure' err.txt || fail "no failure code for an unwritable plot file"

[ $failures = 0 ] && echo "installed library: all checks passed"
exit $((failures > 0))
