#!/bin/sh
# qrn-send against the demo catalogue's writable database: records inserted,
# found again and left, overlaid with --replace, refused without a login,
# a wrong password, and a wrong command line.
set -eu
BUILD=$1
SOURCE=$2
SEND=$BUILD/qrn-send
SEARCH=$BUILD/qrn-search
export LC_ALL=C
TMP=$(mktemp -d)
export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
cleanup() {
    QRN_DEMO_PORT=${DEMO_PORT:-0} "$SOURCE/scripts/demo-catalogue" stop >/dev/null 2>&1 || true
    rm -rf "$TMP"
}
trap cleanup EXIT

. "$SOURCE/tests/tools/expect.shlib"
fail() { echo "FAIL: $*"; failed=1; }

randomPort() { echo $((20000 + ($$ * 11 + $1 * 983) % 30000)); }

DEMO_PORT=
for try in 1 2 3 4 5; do
    port=$(randomPort "$try")
    if QRN_DEMO_PORT=$port "$SOURCE/scripts/demo-catalogue" start >"$TMP/demo.log" 2>&1; then
        DEMO_PORT=$port
        break
    fi
done
[ -n "$DEMO_PORT" ] || { cat "$TMP/demo.log"; echo "FAIL: the demo catalogue did not start"; exit 1; }

target() { # name database user password
    printf '<target><name>%s</name><zurl>127.0.0.1:%s/%s</zurl><recsyntax>usmarc</recsyntax><elementsetname>F</elementsetname>' \
        "$1" "$DEMO_PORT" "$2"
    [ -z "$3" ] || printf '<username>%s</username><password>%s</password>' "$3" "$4"
    printf '<active>yes</active></target>'
}
{
    printf '<?xml version="1.0" ?>\n<ztargets>'
    target Home catalogue cataloguer qrn-demo
    target Anonymous catalogue "" ""
    target WrongPassword catalogue cataloguer wrong
    target Demo demo "" ""
    printf '</ztargets>\n'
} >"$TMP/targets.xml"

status() { # expected-status description command...
    want=$1
    what=$2
    shift 2
    got=0
    "$@" >"$TMP/out" 2>"$TMP/err" || got=$?
    [ "$got" -eq "$want" ] || { fail "$what: status $got, not $want"; cat "$TMP/err"; }
}

# Three records of the demo database to send.
"$SEARCH" --targets "$TMP/targets.xml" --target Demo --max-per-target 3 --format marc --quiet \
    "@attr 1=4 compass" >"$TMP/three.mrc"
"$BUILD/qrn-brief" "$TMP/three.mrc" | cut -f 1 >"$TMP/titles"
[ "$(wc -l <"$TMP/titles")" -eq 3 ] || { fail "no three records to send"; exit 1; }

status 2 "no --to" "$SEND" --targets "$TMP/targets.xml" "$TMP/three.mrc"
status 2 "no file" "$SEND" --targets "$TMP/targets.xml" --to Home
status 2 "unknown option" "$SEND" --to Home --bogus "$TMP/three.mrc"
status 1 "unknown catalogue" "$SEND" --targets "$TMP/targets.xml" --to Nobody "$TMP/three.mrc"
status 1 "missing file" "$SEND" --targets "$TMP/targets.xml" --to Home "$TMP/missing.mrc"

# Without a login the catalogue may be searched but not written: its refusal
# for each record, and every record answered.
status 0 "anonymous" "$SEND" --targets "$TMP/targets.xml" --to Anonymous "$TMP/three.mrc"
grep -c '	refused (diagnostic 223: .*permission denied' "$TMP/out" | grep -qx 3 ||
    { fail "no refusal 223 for each record"; cat "$TMP/out"; }

status 1 "wrong password" "$SEND" --targets "$TMP/targets.xml" --to WrongPassword "$TMP/three.mrc"
[ ! -s "$TMP/out" ] || fail "records reported with a wrong password"
grep -q "Bad Userid and/or Password" "$TMP/err" || { fail "the server's words are lost"; cat "$TMP/err"; }

# Inserted, then found by their identifiers and left, then overlaid.
status 0 "insert" "$SEND" --targets "$TMP/targets.xml" --to Home "$TMP/three.mrc"
paste "$TMP/titles" /dev/null | awk -F '\t' '{ print NR "\t" $1 "\tinserted" }' >"$TMP/want"
expectSame "inserted lines" "$TMP/out" "$TMP/want"

status 0 "again" "$SEND" --targets "$TMP/targets.xml" --to Home "$TMP/three.mrc"
awk -F '\t' '$3 !~ /^already there ./ { bad = 1 } END { exit bad || NR != 3 }' "$TMP/out" ||
    { fail "records sent twice"; cat "$TMP/out"; }

status 0 "replace" "$SEND" --targets "$TMP/targets.xml" --to Home --replace "$TMP/three.mrc"
awk -F '\t' '$3 !~ /^replaced ./ { bad = 1 } END { exit bad || NR != 3 }' "$TMP/out" ||
    { fail "records not replaced"; cat "$TMP/out"; }

# Only three records are in the catalogue after all that.
"$SEARCH" --targets "$TMP/targets.xml" --target Home --quiet \
    '@attr 1=_ALLRECORDS @attr 2=103 ""' >"$TMP/all"
[ "$(wc -l <"$TMP/all")" -eq 3 ] || { fail "not three records in the catalogue"; cat "$TMP/all"; }

exit "$failed"
