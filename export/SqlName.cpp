#include "export/SqlName.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>

namespace {

// Words PostgreSQL or SQLite take for their own where a name stands.
const char* const kReserved[] = {
    "abort",
    "add",
    "all",
    "alter",
    "analyse",
    "analyze",
    "and",
    "any",
    "array",
    "as",
    "asc",
    "asymmetric",
    "authorization",
    "autoincrement",
    "between",
    "binary",
    "both",
    "by",
    "case",
    "cast",
    "check",
    "collate",
    "collation",
    "column",
    "commit",
    "concurrently",
    "constraint",
    "create",
    "cross",
    "current_catalog",
    "current_date",
    "current_role",
    "current_schema",
    "current_time",
    "current_timestamp",
    "current_user",
    "default",
    "deferrable",
    "delete",
    "desc",
    "distinct",
    "do",
    "drop",
    "else",
    "end",
    "escape",
    "except",
    "exists",
    "false",
    "fetch",
    "for",
    "foreign",
    "freeze",
    "from",
    "full",
    "glob",
    "grant",
    "group",
    "having",
    "ilike",
    "in",
    "index",
    "initially",
    "inner",
    "insert",
    "intersect",
    "into",
    "is",
    "isnull",
    "join",
    "lateral",
    "leading",
    "left",
    "like",
    "limit",
    "localtime",
    "localtimestamp",
    "natural",
    "not",
    "notnull",
    "null",
    "offset",
    "on",
    "only",
    "or",
    "order",
    "outer",
    "overlaps",
    "placing",
    "primary",
    "references",
    "returning",
    "right",
    "select",
    "session_user",
    "set",
    "similar",
    "some",
    "symmetric",
    "system_user",
    "table",
    "tablesample",
    "then",
    "to",
    "trailing",
    "transaction",
    "true",
    "union",
    "unique",
    "update",
    "user",
    "using",
    "values",
    "variadic",
    "verbose",
    "when",
    "where",
    "window",
    "with",
};

bool plain(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    for (unsigned char c : name)
        if (!(std::islower(c) || std::isdigit(c) || c == '_')) return false;
    return std::none_of(std::begin(kReserved), std::end(kReserved),
                        [&](const char* word) { return name == word; });
}

}  // namespace

std::string sqlName(const std::string& name) {
    if (plain(name)) return name;
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string sqlTableName(const std::string& name) {
    std::string out;
    size_t from = 0;
    for (size_t dot; (dot = name.find('.', from)) != std::string::npos; from = dot + 1)
        out += sqlName(name.substr(from, dot - from)) + ".";
    return out + sqlName(name.substr(from));
}
