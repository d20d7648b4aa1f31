#!/bin/sh
# qrn-validate against Debian's marcvalidate (MARC::Schema) on real records:
# both read the same rules, so the findings both know of must agree. Left out
# on each side: what the other does not check (undefined indicators that
# should be blank, leader and 008, a missing 245) and the local tags that
# marcvalidate reports as unknown.
set -eu
BUILD=$1
SOURCE=$2
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
. "$SOURCE/tests/tools/expect.shlib"

if ! command -v marcvalidate >/dev/null 2>&1; then
    echo "FAIL: marcvalidate is missing (scripts/install-deps installs it)"
    exit 1
fi

# marcvalidate pairs tags and fields by their order, not by the directory's
# addresses: the Zebra sample goes through YAZ's writer first, which orders them.
yaz-marcdump -i marc -o marc "$SOURCE/tests/data/marc/zebra-sample-marc.mrc" >"$TMP/zebra.mrc" 2>/dev/null
for file in loc-bibliographic.mrc loc-opera.mrc marc4j-chabon.mrc rubina-marc8.mrc zebra.mrc demo.mrc; do
    case $file in
    zebra.mrc) path="$TMP/zebra.mrc" ;;
    demo.mrc) path="$SOURCE/data/demo/demo.mrc" ;;
    *) path="$SOURCE/tests/data/marc/$file" ;;
    esac
    # tag, kind and value (subfield code or indicator), one line per finding.
    timeout 120 marcvalidate "$path" 2>/dev/null | awk -F '\t' '
        $3 == "unknown field" && $2 ~ /^(9..|.9.|..9)$/ { next }
        $3 == "unknown field" { print $2 "\tfield-undefined\t"; next }
        $3 == "field is not repeatable" { print $2 "\tfield-not-repeatable\t"; next }
        $3 == "subfield is not repeatable" { print $2 "\tsubfield-not-repeatable\t" $4; next }
        $3 == "unknown subfield" { print $2 "\tsubfield-undefined\t" $4; next }
        $3 == "unknown first indicator" { print $2 "\tindicator1\t" $4; next }
        $3 == "unknown second indicator" { print $2 "\tindicator2\t" $4; next }
        { print "UNEXPECTED " $0 }' | sort >"$TMP/theirs"
    status=0
    "$BUILD/qrn-validate" "$path" >"$TMP/out" || status=$?
    [ "$status" -le 1 ] || { echo "FAIL: qrn-validate $file: status $status"; failed=1; }
    awk -F '\t' '
        $3 ~ /^(leader|fixed-field|field-missing)$/ { next }
        $4 ~ /should be blank$/ { next }
        $3 ~ /^(field-undefined|field-not-repeatable)$/ { print $2 "\t" $3 "\t"; next }
        { split($4, q, "\047"); print $2 "\t" $3 "\t" q[2] }' "$TMP/out" | sort >"$TMP/ours"
    case $file in loc-opera.mrc | zebra.mrc)
        [ -s "$TMP/ours" ] || { echo "FAIL: no findings on $file"; failed=1; } ;;
    esac
    expectSame "qrn-validate and marcvalidate disagree on $file (< ours, > marcvalidate)" \
        "$TMP/ours" "$TMP/theirs"
done
exit $failed
