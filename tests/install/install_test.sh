#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed programs.
# Usage: install_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/first_run.sh"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/VDN-GENE bin/VDN-CNTL bin/VDN-PLOT share/doc/verdan/README.md share/doc/verdan/LICENSE; do
  [ -f "$work/prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
for page in VDN-GENE VDN-CNTL VDN-PLOT; do
  ls "$work/prefix/share/man/man1/$page.1"* >/dev/null 2>&1 || { echo "no manual page $page.1" >&2; exit 1; }
done
# A build with the window front end installs the desktop entries and the icon.
if grep -q '^SDL2_DIR:PATH=/' "$build/CMakeCache.txt"; then
  for f in share/applications/verdan-gene.desktop share/applications/verdan-cntl.desktop \
           share/icons/hicolor/scalable/apps/verdan.svg; do
    [ -f "$work/prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
  done
fi
expect_version "$work/prefix/bin" "$version"
first_run "$work/prefix/bin" "$work/run"
echo "installed programs run"
