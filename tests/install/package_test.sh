#!/usr/bin/env bash
# Makes the Debian packages verdan, libverdan1 and libverdan-dev from the
# built tree, checks their fields and files, unpacks them into a scratch
# root, runs the programs from there and asks lintian about them.
# Usage: package_test.sh BUILD_DIR VERSION [OUT_DIR]  (packages kept in OUT_DIR)
set -euo pipefail
build=$1 version=$2
for tool in dpkg-deb dpkg-shlibdeps cpack file; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (Debian packages dpkg-dev, file)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=${3:-$work/out}
. "$(dirname "$0")/first_run.sh"
fail() { echo "$*" >&2; exit 1; }

rm -f "$out"/*.deb
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; exit 1; }
arch=$(dpkg --print-architecture)
programs=$out/verdan_${version}_$arch.deb
library=$out/libverdan1_${version}_$arch.deb
development=$out/libverdan-dev_${version}_$arch.deb
for deb in "$programs" "$library" "$development"; do
  [ -f "$deb" ] || fail "no package $(basename "$deb"): $(ls "$out")"
done

# field DEB NAME; in_list LIST ITEM...: each ITEM is among the comma-separated LIST.
field() { dpkg-deb -f "$1" "$2"; }
in_list() {
  local list=$1 item
  shift
  for item in "$@"; do
    tr ',' '\n' <<<"$list" | sed 's/^ *//; s/ *$//' | grep -qxF "$item" || fail "$item is not in: $list"
  done
}
for deb in "$programs" "$library" "$development"; do
  [ "$(field "$deb" Version)" = "$version" ] || fail "$(basename "$deb"): Version $(field "$deb" Version)"
done
[ "$(field "$programs" Section)" = science ] || fail "verdan: Section $(field "$programs" Section)"
[ "$(field "$library" Section)" = libs ] || fail "libverdan1: Section $(field "$library" Section)"
[ "$(field "$development" Section)" = libdevel ] || fail "libverdan-dev: Section $(field "$development" Section)"
depends=$(field "$programs" Depends | sed -E 's/ \(>= [^)]*\)//g')
in_list "$depends" "libverdan1 (= $version)" unifont libc6 libncursesw6 libpng16-16 libstdc++6
depends=$(field "$library" Depends | sed -E 's/ \(>= [^)]*\)//g')
in_list "$depends" libc6 libpng16-16 libstdc++6
in_list "$(field "$development" Depends)" "libverdan1 (= $version)"

# Files: each package holds its own, with Debian's documents.
contents() { cat "$work/$(basename "$1").files"; }
for deb in "$programs" "$library" "$development"; do
  dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/$(basename "$deb").files"
done
has() {
  local deb=$1 f
  shift
  for f in "$@"; do
    grep -qx "$f" "$work/$(basename "$deb").files" || fail "not in $(basename "$deb"): $f"
  done
}
lib=$(contents "$library" | grep '/libverdan\.so\.1$') || fail "libverdan1 has no libverdan.so.1"
libdir=$(dirname "$lib")
if [ "$(contents "$library" | grep -v '/$' | LC_ALL=C sort | tr '\n' ' ')" != \
     "$lib $libdir/libverdan.so.$version usr/share/doc/libverdan1/changelog.gz usr/share/doc/libverdan1/copyright " ]; then
  fail "libverdan1 holds more than the library: $(contents "$library" | grep -v '/$')"
fi
has "$programs" usr/bin/VDN-GENE usr/bin/VDN-CNTL usr/bin/VDN-PLOT usr/bin/vdn-gene \
    usr/share/man/man1/VDN-GENE.1.gz usr/share/man/man1/VDN-CNTL.1.gz usr/share/man/man1/VDN-PLOT.1.gz \
    usr/share/doc/verdan/copyright usr/share/doc/verdan/changelog.gz usr/share/doc/verdan/README.md \
    usr/share/doc/verdan/guide.en.md usr/share/doc/verdan/guide/menu.png
has "$development" usr/include/verdan/verdan.h "$libdir/libverdan.so" "$libdir/pkgconfig/verdan.pc" \
    "$libdir/cmake/verdan/verdanConfig.cmake" usr/share/doc/libverdan-dev/examples/plot_frame.c \
    usr/share/doc/libverdan-dev/copyright
contents "$programs" | grep -q 'libverdan' && fail "the programs' package holds library files"
contents "$development" | grep -q 'libverdan\.so\.' && fail "the development package holds the library itself"

# The library tells dependants about itself; the linker cache learns of it
# through the trigger alone.
dpkg-deb -e "$library" "$work/control"
[ -f "$work/control/postinst" ] || [ -f "$work/control/postrm" ] && fail "libverdan1 has maintainer scripts"
grep -qx 'activate-noawait ldconfig' "$work/control/triggers" || fail "libverdan1 does not trigger ldconfig"
grep -qx "libverdan 1 libverdan1 (>= 1.0.0)" "$work/control/shlibs" || fail "libverdan1's shlibs: $(cat "$work/control/shlibs")"

dpkg-deb -x "$programs" "$work/root"
dpkg-deb -x "$library" "$work/root"
dpkg-deb -x "$development" "$work/root"
head -1 "$work/root/usr/share/doc/verdan/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not machine-readable"
# The symbols file lists exactly what the library exports.
# (The version node itself is listed as NODE@NODE.)
exported=$(nm -D --defined-only "$work/root/$lib" | awk '{print $3}' | sed 's/@@*/@/; s/^\([^@]*\)$/\1@\1/' | sort)
listed=$(sed -n 's/^ \([^ ]*\) .*/\1/p' "$work/control/symbols" | sort)
[ "$exported" = "$listed" ] || { diff <(echo "$listed") <(echo "$exported") >&2; fail "the symbols file is not the library's"; }
for program in VDN-GENE VDN-CNTL VDN-PLOT; do
  readelf -S "$work/root/usr/bin/$program" | grep -q '\.debug_info' && fail "$program is not stripped"
done
# The pkg-config file names the packaged directories.
grep -qx "libdir=\${prefix}/${libdir#usr/}" "$work/root/$libdir/pkgconfig/verdan.pc" || fail "verdan.pc: $(cat "$work/root/$libdir/pkgconfig/verdan.pc")"
LD_LIBRARY_PATH=$work/root/$libdir expect_version "$work/root/usr/bin" "$version"
first_run "$work/root/usr/bin" "$work/run"

# A developer build is not laid out as Debian's (library outside the
# multiarch directory, no hardening flags): there only errors fail.
if command -v lintian >/dev/null; then
  serious='^E:'
  [ "$libdir" = "usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)" ] && serious='^[EW]:'
  lintian --pedantic --display-info --allow-root "$programs" "$library" "$development" >"$work/lintian" 2>&1 || true
  cat "$work/lintian"
  grep -q "$serious" "$work/lintian" && fail "lintian finds what it must not ($serious)"
fi
echo "packages $(cd "$out" && ls *.deb | tr '\n' ' ')checked"
