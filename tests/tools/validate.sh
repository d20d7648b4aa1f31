#!/bin/sh
# qrn-validate's lines and exit status: warnings alone pass, an error fails,
# an unreadable file or no file is a wrong call.
set -eu
BUILD=$1
SOURCE=$2
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
. "$SOURCE/tests/tools/expect.shlib"
DATA="$SOURCE/tests/data/marc"

run() { # status-wanted arguments...
    want=$1
    shift
    status=0
    "$BUILD/qrn-validate" "$@" >"$TMP/out" 2>"$TMP/err" || status=$?
    [ "$status" -eq "$want" ] || { echo "FAIL: qrn-validate $*: status $status, not $want"; failed=1; }
}

run 0 "$SOURCE/data/demo/demo.mrc"
[ ! -s "$TMP/out" ] || { echo "FAIL: findings on the demo records:"; cat "$TMP/out"; failed=1; }

# Only warnings: the Library of Congress's $9 in 035 is not MARC 21's.
run 0 "$DATA/loc-opera.mrc"
grep -qx "$DATA/loc-opera.mrc:1	035	subfield-undefined	subfield '9' is not defined" "$TMP/out" ||
    { echo "FAIL: no line for 035 \$9 of the first record"; head -3 "$TMP/out"; failed=1; }

# The Zebra sample repeats a subfield that may not repeat; its third record
# has an indicator outside the codes.
run 1 "$DATA/loc-opera.mrc" "$DATA/zebra-sample-marc.mrc"
grep -q "^$DATA/zebra-sample-marc.mrc:[0-9]*	[0-9]*	subfield-not-repeatable	" "$TMP/out" ||
    { echo "FAIL: no subfield-not-repeatable"; failed=1; }
grep -qx "$DATA/zebra-sample-marc.mrc:3	700	indicator2	second indicator '0' is not a code of Type of added entry" "$TMP/out" ||
    { echo "FAIL: no indicator2 line for record 3"; failed=1; }
awk -F '\t' 'NF != 4 || $1 !~ /:[0-9]+$/ { bad = 1 } END { exit bad }' "$TMP/out" ||
    { echo "FAIL: a line not FILE:N TAB tag TAB kind TAB message"; failed=1; }

# An authority record is said not to be checked, not flooded with findings.
run 0 "$DATA/loc-names.mrc"
[ "$(cut -f3 "$TMP/out" | sort -u)" = leader ] || { echo "FAIL: authority records checked"; failed=1; }

run 2 "$TMP/no-such-file.mrc" "$SOURCE/data/demo/demo.mrc"
grep -q "no-such-file.mrc" "$TMP/err" || { echo "FAIL: the unreadable file is not named"; failed=1; }
run 2
exit $failed
