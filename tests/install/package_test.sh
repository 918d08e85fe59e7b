#!/usr/bin/env bash
# Makes the Debian package from the built tree, checks its fields and files,
# unpacks it into a scratch root and runs the programs from there.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
for tool in dpkg-deb dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (Debian package dpkg-dev)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/first_run.sh"

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; exit 1; }
deb="$work/out/verdan_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no package $(basename "$deb"):" >&2; ls "$work/out" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = verdan ] || { echo "Package: $(field Package)" >&2; exit 1; }
[ "$(field Version)" = "$version" ] || { echo "Version: $(field Version)" >&2; exit 1; }
depends=$(field Depends)
for needed in unifont libc6 libncursesw6 libpng16-16 libstdc++6; do
  sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends" | grep -qxF "$needed" || { echo "Depends lacks $needed: $depends" >&2; exit 1; }
done

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for f in usr/bin/VDN-GENE usr/bin/VDN-CNTL usr/bin/VDN-PLOT usr/share/doc/verdan/copyright \
         usr/share/doc/verdan/changelog.gz usr/share/doc/verdan/README.md \
         usr/share/man/man1/VDN-GENE.1.gz usr/share/man/man1/VDN-CNTL.1.gz usr/share/man/man1/VDN-PLOT.1.gz; do
  grep -qx "./$f" "$work/files" || { echo "not in the package: $f" >&2; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
for program in VDN-GENE VDN-CNTL VDN-PLOT; do
  if readelf -S "$work/root/usr/bin/$program" | grep -q '\.debug_info'; then
    echo "$program is not stripped" >&2
    exit 1
  fi
done
expect_version "$work/root/usr/bin" "$version"
first_run "$work/root/usr/bin" "$work/run"

if command -v lintian >/dev/null; then
  lintian --allow-root "$deb" >"$work/lintian" 2>&1 || true
  if grep -q '^E:' "$work/lintian"; then
    cat "$work/lintian" >&2
    exit 1
  fi
fi
echo "package $(basename "$deb") checked"
