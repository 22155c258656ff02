#!/usr/bin/env bash
# The texts of the other languages: the template made from today's sources holds exactly
# the texts of po/bramko2.pot (a text added to the sources and not to the catalogue fails
# here), every po/<lang>.po translates all of them (msgfmt: nothing untranslated, nothing
# fuzzy) with the pacing codes, placeholders and widths check-po.py asks for, and every
# translated help has the Japanese help's keywords, so F1 lands on the same section.
# usage: catalogue_test.sh BUILD_DIR
set -u
src="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "catalogue test: $*" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 "$src/po/make-pot.py" "$work/now.pot" 2>"$work/make.txt" || fail "make-pot.py: $(cat "$work/make.txt")"
# msgcmp checks one way: every text of the second file is in the first.
msgcmp --use-untranslated "$src/po/bramko2.pot" "$work/now.pot" 2>"$work/cmp.txt" ||
  fail "texts in the sources but not in po/bramko2.pot (run po/make-pot.py and msgmerge):
$(grep -v '^msgcmp:' "$work/cmp.txt" | head -20)"
msgcmp --use-untranslated "$work/now.pot" "$src/po/bramko2.pot" 2>"$work/cmp.txt" ||
  fail "texts in po/bramko2.pot that the sources no longer have:
$(head -20 "$work/cmp.txt")"

for po in "$src"/po/*.po; do
  lang="$(basename "$po" .po)"
  msgcmp --use-untranslated "$po" "$work/now.pot" 2>"$work/cmp.txt" || fail "$lang.po lacks texts: $(head -5 "$work/cmp.txt")"
  stats="$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)" || fail "msgfmt --check $lang.po: $stats"
  [[ "$stats" =~ ^[0-9]+\ translated\ messages\.$ ]] || fail "$lang.po is not complete: $stats"
  python3 "$src/po/check-po.py" "$po" || fail "$lang.po breaks the notes (above)"
done

keywords() { grep '^= ' "$1" | sort; }
for help in "$src"/assets/help/BRAMKO.*.HLP; do
  diff <(keywords "$src/assets/help/BRAMKO.HLP") <(keywords "$help") >"$work/keys.txt" ||
    fail "$(basename "$help") has other section keywords than BRAMKO.HLP: $(cat "$work/keys.txt")"
done
echo "catalogue test passed"
