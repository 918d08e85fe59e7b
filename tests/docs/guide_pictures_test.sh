#!/usr/bin/env bash
# The user's guides and their pictures: every picture either guide links is
# in docs/guide/, both guides link the same pictures, and the built programs
# still make each of them (docs/make_guide_pictures.sh, run into a temporary
# directory) at the committed picture's size; docs/guide/ holds nothing else.
# Usage: guide_pictures_test.sh SOURCE_DIR BIN_DIR
set -uo pipefail
source_dir=${1:?usage: guide_pictures_test.sh SOURCE_DIR BIN_DIR}
bin=${2:?usage: guide_pictures_test.sh SOURCE_DIR BIN_DIR}
docs="$source_dir/docs"
font=${VERDAN_FONT:-}
for f in /usr/share/unifont/unifont{_jp,}.hex /usr/local/share/unifont/unifont{_jp,}.hex; do
  if [ -z "$font" ] && [ -f "$f" ]; then font=$f; fi
done
if [ -z "$font" ]; then
  echo "SKIP: no unifont for the pictures (Debian package unifont)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The targets of a guide's picture links ![...](target), one a line.
pictures_of() { grep -o '!\[[^]]*\]([^)]*)' "$1" | sed 's/.*](\(.*\))$/\1/' | sort -u; }

for guide in guide.ja.md guide.en.md; do
  [ -f "$docs/$guide" ] || { fail "no docs/$guide"; continue; }
  pictures_of "$docs/$guide" > "$work/$guide.links"
  [ -s "$work/$guide.links" ] || fail "$guide links no picture"
  while read -r target; do
    case "$target" in
      guide/*.png) [ -f "$docs/$target" ] || fail "$guide: $target is not in docs/guide/" ;;
      *) fail "$guide: picture $target is not a PNG in docs/guide/" ;;
    esac
  done < "$work/$guide.links"
done
cmp -s "$work/guide.ja.md.links" "$work/guide.en.md.links" ||
  fail "the guides link different pictures: $(diff "$work/guide.ja.md.links" "$work/guide.en.md.links" | tr '\n' ' ')"

# PNG signature, then the width and height of the header chunk.
png_size() { [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] && od -An -tu1 -j16 -N8 "$1" | tr -s ' '; }

if ! bash "$docs/make_guide_pictures.sh" "$bin" "$work/made" > "$work/make.log" 2>&1; then
  fail "docs/make_guide_pictures.sh failed"
  cat "$work/make.log" >&2
fi
while read -r target; do
  made="$work/made/${target#guide/}"
  if [ ! -s "$made" ]; then
    fail "the programs no longer make $target"
  elif ! size=$(png_size "$made"); then
    fail "$target as made is no PNG"
  elif [ "$size" != "$(png_size "$docs/$target")" ]; then
    fail "$target as made is not the size of the committed picture"
  fi
done < "$work/guide.ja.md.links"
(cd "$docs/guide" && ls | sort) > "$work/committed"
(cd "$work/made" 2>/dev/null && ls | sort) > "$work/made.list"
sed 's|^guide/||' "$work/guide.ja.md.links" > "$work/linked"
cmp -s "$work/committed" "$work/made.list" ||
  fail "docs/guide/ and the pictures made differ: $(diff "$work/committed" "$work/made.list" | tr '\n' ' ')"
cmp -s "$work/committed" "$work/linked" ||
  fail "docs/guide/ holds pictures no guide links: $(diff "$work/committed" "$work/linked" | tr '\n' ' ')"

[ $failures -eq 0 ] && echo "guide pictures: ok"
exit $((failures > 0))
