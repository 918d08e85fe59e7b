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
# Lower-case commands and manual pages, as Linux users type them.
for name in vdn-gene vdn-cntl vdn-plot; do
  [ -x "$work/prefix/bin/$name" ] || { echo "no command $name" >&2; exit 1; }
done
"$work/prefix/bin/vdn-plot" --version </dev/null | grep -q "^VDN-PLOT " || { echo "vdn-plot does not run" >&2; exit 1; }
# The manual page says where the files go: the print file and the register
# in the current directory.
manual=$(LC_ALL=C MANPATH="$work/prefix/share/man" MANWIDTH=200 man -P cat vdn-gene 2>/dev/null |
         sed 's/.\x08//g') || {
  echo "man vdn-gene finds no page" >&2
  exit 1
}
for fact in "PRT.TXT the print file the settings name; a name without a directory is in the current directory" \
            "VDN-USER.DAT the employee register VDN-CNTL keeps, in the current directory"; do
  tr -s ' \n' '  ' <<<"$manual" | grep -qF "$fact" || { echo "man vdn-gene does not say: $fact" >&2; exit 1; }
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
