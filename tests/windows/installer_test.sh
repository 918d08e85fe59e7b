#!/usr/bin/env bash
# The Windows installer and zip, made from the cross build: the installer
# runs silently in a fresh wine prefix, puts the programs, verdan.dll, the
# licence and the guides into Program Files\VERDAN with Start-menu
# shortcuts; the installed VDN-GENE.EXE writes the POSIX build's FRAME; the
# silent uninstall leaves nothing behind. The zip holds the same files and
# the development files.
# installer_test.sh WINDOWS_BUILD_DIR POSIX_BIN OUT_DIR
set -euo pipefail
build=$1 posix_bin=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "$*" >&2; exit 1; }

rm -f "$out"/*.exe "$out"/*.zip
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log" >&2; exit 1; }
installer=$(ls "$out"/*.exe) zip=$(ls "$out"/*.zip)

unzip -Z1 "$zip" | sed 's|^[^/]*/||' >"$out.zip-files"
for f in VDN-GENE.EXE VDN-CNTL.EXE VDN-PLOT.EXE verdan.dll LICENSE README.md guide.en.md guide.ja.md \
         guide/menu.png include/verdan/verdan.h lib/verdan.dll.a; do
  grep -qx "$f" "$out.zip-files" || fail "not in the zip: $f"
done

export WINEPREFIX=$build/wine-installer WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wine wineboot -i >/dev/null 2>&1 || true
before=$(cd "$WINEPREFIX/drive_c" && find . -type f | sort)

wine "$installer" /S
wineserver -w
dir="$WINEPREFIX/drive_c/Program Files/VERDAN"
for f in VDN-GENE.EXE VDN-CNTL.EXE VDN-PLOT.EXE verdan.dll LICENSE guide.en.md guide.ja.md Uninstall.exe; do
  [ -f "$dir/$f" ] || fail "not installed: $f"
done
# The development files are optional and not chosen by default.
[ ! -e "$dir/include" ] || fail "the development files were installed without being chosen"
installed=$(cd "$WINEPREFIX/drive_c" && find . -type f | sort | comm -13 <(echo "$before") -)
for name in VDN-GENE VDN-CNTL; do
  find "$WINEPREFIX/drive_c" -path "*Start Menu/Programs/VERDAN/$name.lnk" | grep -q . || fail "no Start-menu shortcut $name"
done

"$here/first_run_compare.sh" "$posix_bin" "$dir" "$build/tests/stand-in"

wine "$dir/Uninstall.exe" /S
wineserver -w
# Of what the installer put there, nothing is left (the settings the run
# made are the user's).
left=$(cd "$WINEPREFIX/drive_c" && find . -type f | sort | comm -12 <(echo "$installed") -)
[ -z "$left" ] || fail "left behind by the uninstaller: $left"
[ ! -e "$dir" ] || fail "the uninstaller left $dir"
echo "installer $(basename "$installer") ($(stat -c %s "$installer") bytes) and zip ($(stat -c %s "$zip") bytes) checked"
