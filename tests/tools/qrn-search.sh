#!/bin/sh
# qrn-search against the demo catalogue and a slow yaz-ztest on 127.0.0.1: exit
# statuses, the brief lines (also over SRU), a zero limit, output errors, XML as one
# document, failed targets explained, a batch of ISBNs, MARC output read back by
# qrn-brief, the probe and an index fallback, a scan, and Ctrl-C during a slow search.
set -eu
BUILD=$1
SOURCE=$2
SEARCH=$BUILD/qrn-search
export LC_ALL=C
TMP=$(mktemp -d)
# No user settings: the fresh-installation values apply.
export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
ZTEST_PID=
HTTP_PID=
cleanup() {
    [ -z "$ZTEST_PID" ] || kill "$ZTEST_PID" 2>/dev/null || true
    [ -z "$HTTP_PID" ] || kill "$HTTP_PID" 2>/dev/null || true
    QRN_DEMO_PORT=${DEMO_PORT:-0} "$SOURCE/scripts/demo-catalogue" stop >/dev/null 2>&1 || true
    rm -rf "$TMP"
}
trap cleanup EXIT

. "$SOURCE/tests/tools/expect.shlib"
fail() { echo "FAIL: $*"; failed=1; }

# A port nobody else on the machine is likely to pick; another one when taken.
randomPort() { echo $((20000 + ($$ * 7 + $1 * 977) % 30000)); }

DEMO_PORT=
for try in 1 2 3 4 5; do
    port=$(randomPort "$try")
    if QRN_DEMO_PORT=$port "$SOURCE/scripts/demo-catalogue" start >"$TMP/demo.log" 2>&1; then
        DEMO_PORT=$port
        break
    fi
done
[ -n "$DEMO_PORT" ] || { cat "$TMP/demo.log"; echo "FAIL: the demo catalogue did not start"; exit 1; }

ZTEST_PORT=
for try in 6 7 8 9 10; do
    port=$(randomPort "$try")
    [ "$port" != "$DEMO_PORT" ] || continue
    yaz-ztest -T -l "$TMP/ztest.log" "tcp:127.0.0.1:$port" >/dev/null 2>&1 &
    pid=$!
    tries=0
    while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 50 ]; do
        out=$(printf 'connect 127.0.0.1:%s/Default\nquit\n' "$port" | zoomsh 2>&1) || true
        case "$out" in *error*) ;; *) ZTEST_PID=$pid && break ;; esac
        tries=$((tries + 1))
        sleep 0.1
    done
    if [ -n "$ZTEST_PID" ]; then ZTEST_PORT=$port; break; fi
    kill "$pid" 2>/dev/null || true
done
[ -n "$ZTEST_PORT" ] || { echo "FAIL: yaz-ztest did not start"; exit 1; }

target() { # name zurl active
    printf '<target><name>%s</name><zurl>%s</zurl><recsyntax>usmarc</recsyntax><elementsetname>F</elementsetname><active>%s</active></target>' "$1" "$2" "$3"
}
{
    printf '<?xml version="1.0" ?>\n<ztargets>'
    target Demo "127.0.0.1:$DEMO_PORT/demo" yes
    target Slow "127.0.0.1:$ZTEST_PORT/Slow" no
    target Idle "127.0.0.1:$ZTEST_PORT/Default" no
    printf '</ztargets>\n'
} >"$TMP/targets.xml"
printf '<?xml version="1.0" ?>\n<ztargets>%s</ztargets>\n' \
    "$(target Off "127.0.0.1:$DEMO_PORT/demo" no)" >"$TMP/none-active.xml"

status() { # expected-status description command...
    want=$1
    what=$2
    shift 2
    got=0
    "$@" >"$TMP/out" 2>"$TMP/err" || got=$?
    [ "$got" -eq "$want" ] || { fail "$what: status $got, not $want"; cat "$TMP/err"; }
}

# Bad usage, then what cannot be searched.
status 2 "no query" "$SEARCH" --targets "$TMP/targets.xml"
status 2 "unknown option" "$SEARCH" --bogus "@attr 1=4 x"
status 2 "bad format" "$SEARCH" --format pdf "@attr 1=4 x"
status 2 "query and --isbn" "$SEARCH" --isbn "$TMP/x" "@attr 1=4 x"
grep -q "^Usage: qrn-search" "$TMP/err" || fail "no usage message"
status 2 "unknown short option" "$SEARCH" --targets "$TMP/targets.xml" -x
status 2 "negative per-target limit" "$SEARCH" --max-per-target -1 "@attr 1=4 x"
status 2 "negative search limit" "$SEARCH" --max-per-search -5 "@attr 1=4 x"
status 2 "--isbn naming a folder" "$SEARCH" --targets "$TMP/targets.xml" --isbn "$TMP"
grep -q "^Usage: qrn-search" "$TMP/err" || fail "no usage message for a folder"
status 1 "missing target file" "$SEARCH" --targets "$TMP/missing.xml" "@attr 1=4 x"
status 1 "no active target" "$SEARCH" --targets "$TMP/none-active.xml" "@attr 1=4 x"
status 1 "unknown --target" "$SEARCH" --targets "$TMP/targets.xml" --target Nobody "@attr 1=4 x"
grep -q "Nobody" "$TMP/err" || fail "the unknown target is not named"

# A search: one brief line per record, numbered in store order.
status 0 "brief search" "$SEARCH" --targets "$TMP/targets.xml" --max-per-target 100 "@attr 1=4 compass"
[ "$(wc -l <"$TMP/out")" -eq 20 ] || fail "20 brief lines expected, got $(wc -l <"$TMP/out")"
awk -F '\t' 'NF != 5 || $1 != NR || $4 != "Demo" { bad = 1 } END { exit bad }' "$TMP/out" ||
    { fail "brief lines are not number TAB title TAB author TAB database TAB date"; cat "$TMP/out"; }
grep -qi "compass" "$TMP/out" || fail "titles missing from the brief lines"
grep -q "^Demo (20)$" "$TMP/err" || { fail "no final target status"; cat "$TMP/err"; }
tail -n 1 "$TMP/err" | grep -q "^Completed. Records: 20/20$" || fail "no progress text at the end"
cut -f 2,3,5 "$TMP/out" >"$TMP/brief-columns"

# The same search of the same catalogue over SRU gives the same records.
printf '<?xml version="1.0" ?>\n<ztargets><target><name>DemoSRU</name><zurl>http://127.0.0.1:%s/demo</zurl><recsyntax>marcxml</recsyntax><active>yes</active></target></ztargets>\n' \
    "$DEMO_PORT" >"$TMP/sru.xml"
status 0 "SRU search" "$SEARCH" --targets "$TMP/sru.xml" --max-per-target 100 "@attr 1=4 compass"
cut -f 2,3,5 "$TMP/out" | cmp -s - "$TMP/brief-columns" ||
    { fail "SRU brief lines differ from the Z39.50 ones"; cat "$TMP/out" "$TMP/err"; }

# A per-target limit of 0 stores nothing and is no error.
status 0 "zero per-target limit" "$SEARCH" --targets "$TMP/targets.xml" --max-per-target 0 "@attr 1=4 compass"
[ ! -s "$TMP/out" ] || { fail "records printed with a zero limit"; cat "$TMP/out"; }
grep -q "^Demo (0/20)$" "$TMP/err" || { fail "zero limit: not Demo (0/20)"; cat "$TMP/err"; }

# Output that cannot be written is an error, said once; so is a closed output.
for format in brief xml; do
    got=0
    "$SEARCH" --quiet --targets "$TMP/targets.xml" --format $format "@attr 1=4 compass" \
        >/dev/full 2>"$TMP/err" || got=$?
    [ "$got" -eq 1 ] && grep -q "^qrn-search: cannot write the records: No space left on device$" "$TMP/err" ||
        { fail "$format into a full disk: status $got"; cat "$TMP/err"; }
done
got=0
"$SEARCH" --quiet --targets "$TMP/targets.xml" "@attr 1=4 compass" >&- 2>"$TMP/err" || got=$?
[ "$got" -eq 1 ] && grep -q "^qrn-search: cannot write the records: " "$TMP/err" ||
    { fail "closed output: status $got"; cat "$TMP/err"; }

# Several XML records are one document.
status 0 "xml search" "$SEARCH" --quiet --targets "$TMP/targets.xml" --format xml "@attr 1=4 compass"
printf '%s' '<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"><xsl:output method="text"/><xsl:template match="/"><xsl:value-of select="concat(local-name(/*), count(/*/*))"/></xsl:template></xsl:stylesheet>' >"$TMP/count.xsl"
[ "$(xsltproc "$TMP/count.xsl" "$TMP/out" 2>&1)" = collection20 ] ||
    { fail "xml output is not one collection of 20 records"; head -c 600 "$TMP/out"; }

# Why targets failed: a refused connection, a server diagnostic, a query the
# toolkit cannot parse; the status stays 0.
{
    printf '<?xml version="1.0" ?>\n<ztargets>'
    target Refused "127.0.0.1:1/Default" yes
    target Nowhere "127.0.0.1:$ZTEST_PORT/Nowhere" yes
    printf '</ztargets>\n'
} >"$TMP/failing.xml"
status 0 "failing targets" "$SEARCH" --targets "$TMP/failing.xml" "@attr 1=4 5"
grep -q "^qrn-search: Refused: .* (10000) 127.0.0.1:1/Default$" "$TMP/err" ||
    { fail "the refused connection is not explained"; cat "$TMP/err"; }
grep -q "^qrn-search: Nowhere: .* (109) Nowhere$" "$TMP/err" ||
    { fail "the server diagnostic is not explained"; cat "$TMP/err"; }
status 0 "unparsable query" "$SEARCH" --targets "$TMP/targets.xml" "@and @attr 1=4"
grep -q "^qrn-search: Demo: Invalid query (10010)$" "$TMP/err" || { fail "the query error is not explained"; cat "$TMP/err"; }
status 0 "quiet failing targets" "$SEARCH" --quiet --targets "$TMP/failing.xml" "@attr 1=4 5"
[ ! -s "$TMP/err" ] || { fail "--quiet still explained failures"; cat "$TMP/err"; }

# The probe: a line per index, then the round trip and syntaxes; a fallback
# for ISSN, which the demo lacks, searches Any and says so.
status 0 "probe" "$SEARCH" --targets "$TMP/targets.xml" --probe
grep -q "^Demo	4	Title	supported$" "$TMP/out" || { fail "probe: no title line"; cat "$TMP/out"; }
grep -q "^Demo	8	ISSN	unsupported (diagnostic 114)$" "$TMP/out" || { fail "probe: ISSN not unsupported"; cat "$TMP/out"; }
tail -n 1 "$TMP/out" | grep -q "^Demo	[0-9]* ms	usmarc xml sutrs$" || { fail "probe: no round trip line"; cat "$TMP/out"; }
# Scan: the title index from "compass" on, its count what a search finds.
status 0 "scan" "$SEARCH" --targets "$TMP/targets.xml" --scan "@attr 1=4 compass" --scan-number 3
[ "$(wc -l <"$TMP/out")" -eq 3 ] || { fail "scan: 3 lines expected"; cat "$TMP/out"; }
awk -F '\t' 'NF != 3 || $1 != "Demo" || $3 !~ /^[0-9]+$/ { bad = 1 } END { exit bad }' "$TMP/out" ||
    { fail "scan lines are not target TAB term TAB count"; cat "$TMP/out"; }
head -n 1 "$TMP/out" | grep -q "^Demo	compass	20$" || { fail "scan: not from compass (20)"; cat "$TMP/out"; }
status 2 "scan and a query" "$SEARCH" --scan "@attr 1=4 x" "@attr 1=4 y"
status 2 "scan of no terms" "$SEARCH" --scan "@attr 1=4 x" --scan-number 0
status 0 "scan of an unknown index" "$SEARCH" --targets "$TMP/targets.xml" --scan "@attr 1=9999 x"
grep -q "^qrn-search: Demo: Unsupported Use attribute (114) 9999$" "$TMP/err" ||
    { fail "scan: the unknown index is not explained"; cat "$TMP/err"; }
sed 's|</zurl>|</zurl><fallback use="8">1016</fallback>|' "$TMP/targets.xml" >"$TMP/fallback.xml"
status 0 "fallback" "$SEARCH" --targets "$TMP/fallback.xml" "@attr 1=8 compass"
grep -q "^qrn-search: Demo: ISSN index not supported; searched Any instead$" "$TMP/err" ||
    { fail "the fallback is not reported"; cat "$TMP/err"; }
[ "$(wc -l <"$TMP/out")" -eq 20 ] || { fail "the fallback found not the 20 records"; cat "$TMP/out"; }

# The same search as MARC, read back by qrn-brief: the same records.
status 0 "marc search" "$SEARCH" --quiet --targets "$TMP/targets.xml" --max-per-target 100 --format marc "@attr 1=4 compass"
[ ! -s "$TMP/err" ] || { fail "--quiet still wrote to standard error"; cat "$TMP/err"; }
cp "$TMP/out" "$TMP/compass.mrc"
"$BUILD/qrn-brief" - <"$TMP/compass.mrc" >"$TMP/read-back"
expectSame "MARC output read back" "$TMP/read-back" "$TMP/brief-columns"
status 0 "marc search as UTF-8" "$SEARCH" --quiet --targets "$TMP/targets.xml" --max-per-target 100 \
    --format marc --encoding utf-8 "@attr 1=4 compass"
"$BUILD/qrn-brief" - <"$TMP/out" >"$TMP/read-back"
expectSame "UTF-8 MARC output read back" "$TMP/read-back" "$TMP/brief-columns"
status 2 "bad encoding" "$SEARCH" --encoding latin1 "@attr 1=4 x"
status 0 "MARC text search" "$SEARCH" --quiet --targets "$TMP/targets.xml" --max-per-target 100 \
    --format mrk "@attr 1=4 compass"
[ "$(grep -c '^=LDR  ' "$TMP/out")" -eq 20 ] || { fail "not 20 MARC text records"; head "$TMP/out"; }
grep -q '^=245  [0-9\\][0-9\\]\$a' "$TMP/out" || { fail "no 245 line in the MARC text"; head "$TMP/out"; }

# A batch: two ISBN-10s of those records and a line that is no ISBN.
yaz-marcdump "$TMP/compass.mrc" | sed -n 's/^020 .*\$a \([0-9X]\{10\}\) .*/\1/p' | head -n 2 >"$TMP/isbns"
[ "$(wc -l <"$TMP/isbns")" -eq 2 ] || fail "the records hold no two ISBN-10s"
printf 'not-an-isbn\n9791032300824\n' >>"$TMP/isbns"
status 0 "ISBN batch" "$SEARCH" --targets "$TMP/targets.xml" --isbn "$TMP/isbns"
grep -q "isbns:3:" "$TMP/err" || { fail "the rejected line is not reported"; cat "$TMP/err"; }
[ "$(wc -l <"$TMP/out")" -ge 2 ] || { fail "the ISBNs found nothing"; cat "$TMP/out"; }
# The report ends standard error: a line per number, its records counted.
tail -n 3 "$TMP/err" >"$TMP/report"
awk -F '\t' -v records="$(wc -l <"$TMP/out")" -v first="$(head -n 1 "$TMP/isbns")" '
    NR < 3 && ($2 != "found" || $4 != "Demo") { bad = 1 }
    NR == 1 && $1 != first { bad = 1 }
    NR < 3 { sum += $3 }
    NR == 3 && $0 != "9791032300824\tnot found\t0\t" { bad = 1 }
    END { exit bad || sum != records }' "$TMP/report" ||
    { fail "the batch report is not a line per number"; cat "$TMP/err"; }

# The other formats and limits. Text: each record's rendered lines.
status 0 "text search" "$SEARCH" --quiet --targets "$TMP/targets.xml" --format text "@attr 1=4 compass"
[ "$(grep -c '^245 ' "$TMP/out")" -eq 20 ] && grep -q '^001 ' "$TMP/out" ||
    { fail "text output is not 20 rendered records"; head -n 30 "$TMP/out"; }
# Groups: the same catalogue over Z39.50 and SRU gives each book two copies.
sed 's|</ztargets>|'"$(target Z "127.0.0.1:$DEMO_PORT/demo" yes)"'</ztargets>|' "$TMP/sru.xml" >"$TMP/both.xml"
status 0 "groups search" "$SEARCH" --quiet --targets "$TMP/both.xml" --format groups "@attr 1=4 compass"
awk -F '\t' 'NF != 4 || ($3 != "Z" && $3 != "DemoSRU") { bad = 1 } { n[$1]++; t[$1 FS $3]++ }
    END { for (g in n) { groups++; if (n[g] != 2 || t[g FS "Z"] != 1) bad = 1 }
          exit bad || groups != 20 }' "$TMP/out" ||
    { fail "groups output is not 20 groups of a Z and an SRU copy"; cat "$TMP/out"; }
# After "--" an option's name is the query: progress is shown, not silenced.
status 0 "query after --" "$SEARCH" --targets "$TMP/targets.xml" -- --quiet
grep -q "^Completed. " "$TMP/err" || { fail "\"--\" did not end the options"; cat "$TMP/err"; }
# The search limit stops the slow target once the demo's 20 are in.
status 0 "search limit" "$SEARCH" --targets "$TMP/targets.xml" --target Demo --target Slow \
    --max-per-search 5 "@attr 1=4 compass"
grep -q "^Slow (Aborted)$" "$TMP/err" || { fail "--max-per-search did not stop the search"; cat "$TMP/err"; }
# Two connections for three targets of 1 s each: the third starts when one is done.
{
    printf '<?xml version="1.0" ?>\n<ztargets>'
    for name in A B C; do target $name "127.0.0.1:$ZTEST_PORT/Slow1" yes; done
    printf '</ztargets>\n'
} >"$TMP/three.xml"
status 2 "one connection" "$SEARCH" --targets "$TMP/three.xml" --connections 1 "@attr 1=4 3"
status 0 "two connections" "$SEARCH" --targets "$TMP/three.xml" --connections 2 "@attr 1=4 3"
awk '/^[AB] \(3\)$/ && !done { done = NR } /^C \(Searching\)$/ && !start { start = NR }
    END { exit !(done && start > done) }' "$TMP/err" ||
    { fail "--connections 2 ran the third target at once"; cat "$TMP/err"; }

# An SRU record too long for ISO 2709 is left out of MARC and MARC text, and said so.
long=$(printf '%1000s' '' | tr ' ' a)
{
    printf '<searchRetrieveResponse xmlns="http://www.loc.gov/zing/srw/"><version>1.2</version>'
    printf '<numberOfRecords>2</numberOfRecords><records>'
    for fields in 1 150; do
        printf '<record><recordSchema>marcxml</recordSchema><recordPacking>xml</recordPacking><recordData>'
        printf '<record xmlns="http://www.loc.gov/MARC21/slim"><leader>00000nam a2200000 a 4500</leader>'
        printf '<datafield tag="245" ind1="0" ind2="0"><subfield code="a">Of %s fields</subfield></datafield>' $fields
        i=0
        while [ $i -lt $fields ]; do
            printf '<datafield tag="500" ind1=" " ind2=" "><subfield code="a">%s</subfield></datafield>' "$long"
            i=$((i + 1))
        done
        printf '</record></recordData></record>'
    done
    printf '</records></searchRetrieveResponse>\n'
} >"$TMP/long.xml"
"$BUILD/tests/qrn-serve-http" "$TMP/long.xml" >"$TMP/http-port" &
HTTP_PID=$!
tries=0
until [ -s "$TMP/http-port" ] || [ "$tries" -ge 50 ]; do tries=$((tries + 1)); sleep 0.1; done
printf '<?xml version="1.0" ?>\n<ztargets><target><name>Long</name><zurl>http://127.0.0.1:%s/db</zurl><recsyntax>marcxml</recsyntax><active>yes</active></target></ztargets>\n' \
    "$(cat "$TMP/http-port")" >"$TMP/long-target.xml"
for format in marc mrk; do
    status 0 "long record as $format" "$SEARCH" --quiet --targets "$TMP/long-target.xml" --format $format "@attr 1=4 x"
    grep -q "^qrn-search: 1 record written, 1 skipped: not MARC (1 MARCXML too long for ISO 2709; export them as XML)$" "$TMP/err" ||
        { fail "$format: the long record left out without a word"; cat "$TMP/err"; }
done
grep -q '^=245  00\$aOf 1 fields$' "$TMP/out" || { fail "the short record is not in the MARC text"; cat "$TMP/out"; }
kill "$HTTP_PID"

# Ctrl-C while a slow target still searches: what was retrieved is printed.
"$SEARCH" --targets "$TMP/targets.xml" --target Demo --target Slow --max-per-target 100 \
    "@attr 1=4 compass" >"$TMP/out" 2>"$TMP/err" &
pid=$!
# Ctrl-C only once Demo is done, or the test would be about something else.
tries=0
until grep -q "^Demo (20)$" "$TMP/err" || [ "$tries" -ge 300 ]; do
    tries=$((tries + 1))
    sleep 0.1
done
if ! grep -q "^Demo (20)$" "$TMP/err"; then
    fail "Demo (20) did not appear within 30 s"
    cat "$TMP/err"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    exit "$failed"
fi
kill -INT "$pid"
# Bounded: a program that ignores Ctrl-C fails here instead of hanging.
tries=0
while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 300 ]; do
    tries=$((tries + 1))
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    fail "still running 30 s after Ctrl-C"
    kill -KILL "$pid" 2>/dev/null || true
fi
got=0
wait "$pid" || got=$?
[ "$got" -eq 0 ] || fail "status $got after Ctrl-C"
[ "$(wc -l <"$TMP/out")" -eq 20 ] || { fail "records lost on Ctrl-C"; cat "$TMP/out"; }
grep -q "^Slow (Aborted)$" "$TMP/err" || { fail "the slow target is not shown aborted"; cat "$TMP/err"; }

exit "$failed"
