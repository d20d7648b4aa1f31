#!/bin/sh
# qrn-import-targets over written records: good ones, junk, duplicates, a
# folder of thousands, unreadable paths and a list that must stay as it was.
set -eu
BUILD=$1
SOURCE=$2
IMPORT=$BUILD/qrn-import-targets
DATA=$SOURCE/tests/data/zeerex
export LC_ALL=C
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/home/.config" XDG_DATA_HOME="$TMP/home/.local/share"
mkdir -p "$HOME"
. "$SOURCE/tests/tools/expect.shlib"

run() { # status-wanted args...
    want=$1
    shift
    status=0
    timeout 60 "$IMPORT" "$@" >"$TMP/out" 2>"$TMP/err" || status=$?
    [ "$status" -eq "$want" ] || { echo "FAIL: $*: status $status, not $want"; cat "$TMP/err"; failed=1; }
}

LIST=$TMP/targets.xml
cp "$SOURCE/data/targets.xml" "$LIST"
cp "$LIST" "$TMP/shipped.xml"

# Junk and a broken file only: every refusal named, the list not touched.
run 0 --targets "$LIST" "$DATA/broken.xml" "$DATA/junk.xml"
cat >"$TMP/want" <<END
$DATA/broken.xml: not well-formed XML
$DATA/junk.xml: unknown protocol "210"
$DATA/junk.xml: bad host "C:\\Documents\\target.txt"
$DATA/junk.xml: bad port "70000"
$DATA/junk.xml: no database
$DATA/junk.xml: a control character in the database
$DATA/junk.xml: no serverInfo
END
expectSame "refusals" "$TMP/err" "$TMP/want"
echo "imported 2, already there 1, refused 7" >"$TMP/want"
expectSame "junk counts" "$TMP/out" "$TMP/want"

# Those two were imported: again, nothing is new and the file stays byte for
# byte, line breaks and comment included, which a rewrite would drop.
sed 's|</target>|&\n|g; s|<ztargets>|<!-- mine -->&|' "$LIST" >"$TMP/laid-out.xml"
cp "$TMP/laid-out.xml" "$LIST"
cp "$LIST" "$TMP/before.xml"
run 0 --targets "$LIST" "$DATA/junk.xml"
echo "imported 0, already there 3, refused 6" >"$TMP/want"
expectSame "second import" "$TMP/out" "$TMP/want"
expectSame "list without imports" "$LIST" "$TMP/before.xml"

# The shipped targets come first, in their order, the new ones after, unticked.
cp "$TMP/shipped.xml" "$LIST"
run 0 --targets "$LIST" "$DATA/berg.xml" "$DATA/sru.xml"
echo "imported 2, already there 0, refused 0" >"$TMP/want"
expectSame "two records" "$TMP/out" "$TMP/want"
sed 's|</target>|&\n|g' "$LIST" | sed -n 's|.*<name>\([^<]*\)</name>.*<active>\([a-z]*\)<.*|\1 \2|p' | tail -3 >"$TMP/names"
printf 'French National Library (SRU) no\nBerg folkebibliotek no\nExample SRU catalogue no\n' >"$TMP/want"
expectSame "order and ticks" "$TMP/names" "$TMP/want"
grep -q '<target><name>Berg folkebibliotek</name><tag>imported</tag><zurl>z3950.example.no:2100/Berg folkebibliotek</zurl>' "$LIST" ||
    { echo "FAIL: imported target not tagged or addressed"; failed=1; }
grep -q '<fallback use="1007">7</fallback><unsupported>8 9 12 21 30 1007 1018</unsupported>' "$LIST" ||
    { echo "FAIL: no profile from the indexes"; failed=1; }
[ "$(grep -o '<target>' "$LIST" | wc -l)" -eq 14 ] || { echo "FAIL: not 14 targets"; failed=1; }

# A folder of thousands, read in one go, within the bound of run.
mkdir "$TMP/dir"
i=0
while [ $i -lt 3000 ]; do
    printf '<explain><serverInfo protocol="tcp"><host>z%d.example.org</host><port>210</port><database>db</database></serverInfo></explain>\n' $i >"$TMP/dir/r$i.xml"
    i=$((i + 1))
done
cp "$TMP/shipped.xml" "$LIST"
run 0 --targets "$LIST" "$TMP/dir"
echo "imported 3000, already there 0, refused 0" >"$TMP/want"
expectSame "thousands" "$TMP/out" "$TMP/want"

# A path that cannot be read: named, status 1, the rest still imported.
cp "$TMP/shipped.xml" "$LIST"
run 1 --targets "$LIST" "$TMP/missing.xml" "$DATA/berg.xml"
grep -q "^$TMP/missing.xml: " "$TMP/err" || { echo "FAIL: missing path not named"; cat "$TMP/err"; failed=1; }
echo "imported 1, already there 0, refused 1" >"$TMP/want"
expectSame "missing path" "$TMP/out" "$TMP/want"

# No list to write into, or a list read only in part: nothing is written.
run 1 --targets "$TMP/none.xml" "$DATA/berg.xml"
[ ! -e "$TMP/none.xml" ] || { echo "FAIL: a target list was created"; failed=1; }
head -c 2000 "$TMP/shipped.xml" >"$TMP/cut.xml"
cp "$TMP/cut.xml" "$TMP/cut-before.xml"
run 1 --targets "$TMP/cut.xml" "$DATA/berg.xml"
expectSame "list read in part" "$TMP/cut.xml" "$TMP/cut-before.xml"
run 1 "$DATA/berg.xml"
grep -q "no target list" "$TMP/err" || { echo "FAIL: no word on the missing settings"; failed=1; }

# Wrong command lines.
run 2 --targets "$LIST"
run 2 --targets
run 2 --frobnicate "$DATA/berg.xml"

exit $failed
