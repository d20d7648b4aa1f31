# Brief fields from yaz-marcdump's line output, one "title TAB author TAB date"
# line per record: an independent reading to hold qrn-brief against.
# Line format: leader line first, "TAG IND $a value $b value" for data fields,
# "(...)" for YAZ's remarks, an empty line after each record.

function reset() { title = ""; author = ""; date = ""; inRecord = 0 }
function flush() { if (inRecord) print title "\t" author "\t" date; reset() }

# Splits the subfields of a data-field line into code[1..n] and value[1..n].
function subfields(line,    s, n) {
    s = substr(line, 7)
    n = 0
    while (match(s, /^ \$. /)) {
        n++
        code[n] = substr(s, 3, 1)
        s = substr(s, 5)
        if (match(s, / \$. /)) { value[n] = substr(s, 1, RSTART - 1); s = substr(s, RSTART) }
        else { value[n] = s; s = "" }
    }
    return n
}

function whole(n,    i, t) {
    t = ""
    for (i = 1; i <= n; i++) t = t (i > 1 ? " " : "") value[i]
    return t
}

function first(n, c,    i) {
    for (i = 1; i <= n; i++) if (code[i] == c) return value[i]
    return ""
}

BEGIN { reset() }
/^\(/ { next }
/^$/ { flush(); next }
!inRecord { inRecord = 1; next }
{
    tag = substr($0, 1, 3)
    if (tag == "245") title = whole(subfields($0))
    else if (tag == "260") date = first(subfields($0), "c")
    else if (author == "" && tag == "100") author = whole(subfields($0))
    else if (author == "" && (tag == "110" || tag == "700" || tag == "710")) author = first(subfields($0), "a")
}
END { flush() }
