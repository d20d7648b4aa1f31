#!/bin/sh
# qrn-brief as cataloguers run it: several files, standard input, unreadable
# files, records cut by the 0x1D fallback, junk at the end, TABs in values.
set -eu
BUILD=$1
SOURCE=$2
BRIEF=$BUILD/qrn-brief
CHABON=$SOURCE/tests/data/marc/marc4j-chabon.mrc
export LC_ALL=C
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

. "$SOURCE/tests/tools/expect.shlib"

# One record with a single 245 $a; its length digits come from the bytes.
record() { # title [leader-length-override]
    field=$(printf '10\037a%s\036' "$1")
    base=37
    total=$((base + ${#field} + 1))
    printf '%s' "${2:-$(printf '%05d' "$total")}"
    printf 'nam a22%05d a 4500245%04d00000\036%s\035' "$base" "${#field}" "$field"
}

printf 'The amazing adventures of Kavalier and Clay : a novel / Michael Chabon.\tChabon, Michael.\tc2000.\n' >"$TMP/kavalier"
printf 'Summerland / Michael Chabon.\tChabon, Michael.\tc2002.\n' >"$TMP/summerland"
cat "$TMP/kavalier" "$TMP/summerland" "$TMP/summerland" >"$TMP/chabon"

# Several files in order, "-" among them.
"$BRIEF" "$CHABON" - "$CHABON" <"$CHABON" >"$TMP/out"
cat "$TMP/chabon" "$TMP/chabon" "$TMP/chabon" >"$TMP/want"
expectSame "three files" "$TMP/out" "$TMP/want"

# Unreadable files: a message naming each, status 1, the rest still listed.
mkdir "$TMP/folder"
status=0
"$BRIEF" "$TMP/missing.mrc" "$CHABON" "$TMP/folder" >"$TMP/out" 2>"$TMP/err" || status=$?
[ "$status" -eq 1 ] || { echo "FAIL: status $status for unreadable files"; failed=1; }
expectSame "listing beside unreadable files" "$TMP/out" "$TMP/chabon"
grep -q "missing.mrc: No such file or directory" "$TMP/err" || { echo "FAIL: no message for a missing file"; cat "$TMP/err"; failed=1; }
grep -q "folder: Is a directory" "$TMP/err" || { echo "FAIL: no message for a folder"; cat "$TMP/err"; failed=1; }

# Blanks, line ends, NUL and 0x1A after the last record are no record; a 0x1D is.
{ cat "$CHABON"; printf ' \r\n\000\032\n'; } >"$TMP/junk.mrc"
"$BRIEF" "$TMP/junk.mrc" >"$TMP/out"
expectSame "trailing junk" "$TMP/out" "$TMP/chabon"
{ cat "$CHABON"; printf '\035\n'; } >"$TMP/stray.mrc"
"$BRIEF" "$TMP/stray.mrc" >"$TMP/out"
{ cat "$TMP/chabon"; printf '\t\t\n'; } >"$TMP/want"
expectSame "stray record terminator" "$TMP/out" "$TMP/want"

# Leader lengths that are not digits, too small or too large: cut after 0x1D.
{ record "First" "0x0zz"; record "Second" "00010"; record "Third" "99999"; } >"$TMP/lengths.mrc"
"$BRIEF" "$TMP/lengths.mrc" >"$TMP/out"
printf 'First\t\t\nSecond\t\t\nThird\t\t\n' >"$TMP/want"
expectSame "bad leader lengths" "$TMP/out" "$TMP/want"

# A TAB or line end inside a value becomes one blank.
record "$(printf 'A\tB\r\nC\nD')" >"$TMP/tabs.mrc"
"$BRIEF" "$TMP/tabs.mrc" >"$TMP/out"
printf 'A B C D\t\t\n' >"$TMP/want"
expectSame "TABs and line ends" "$TMP/out" "$TMP/want"

# No file at all is a usage error, not an empty listing.
status=0
"$BRIEF" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || { echo "FAIL: status $status without arguments"; failed=1; }

exit $failed
