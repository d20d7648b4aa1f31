// Feeds arbitrary text to the SQL template reader. What it accepts must have a
// '?' outside quotes for each parameter, and values built from it must never
// grow beyond what the template and the record put in (no chaining).
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/Record.h"
#include "export/InsertTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParsedTemplate parsed;
    std::string error;
    if (!parseInsertTemplate(text, parsed, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    // Quotes as PostgreSQL reads them: 'x', E'x\'y', "x", $tag$x$tag$; an E or $
    // inside a word starts none.
    const std::string& sql = parsed.sql;
    const auto word = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::isalnum(u) || c == '_' || c == '$' || u >= 0x80;
    };
    size_t marks = 0;
    bool afterLiteral = false;  // a literal's end is a token's end too
    for (size_t i = 0; i < sql.size(); ++i) {
        const bool start = i == 0 || !word(sql[i - 1]) || afterLiteral;
        afterLiteral = false;
        const bool escapes =
            start && (sql[i] == 'E' || sql[i] == 'e') && i + 1 < sql.size() && sql[i + 1] == '\'';
        if (escapes || sql[i] == '\'' || sql[i] == '"') {
            const char quote = sql[i += escapes];
            for (++i; i < sql.size(); ++i) {
                if (escapes && sql[i] == '\\') {
                    ++i;
                } else if (sql[i] == quote) {
                    if (i + 1 >= sql.size() || sql[i + 1] != quote) break;
                    ++i;
                }
            }
            afterLiteral = true;
        } else if (start && sql[i] == '$') {
            size_t j = i + 1;
            if (j < sql.size() && !std::isdigit(static_cast<unsigned char>(sql[j])))
                while (j < sql.size() && sql[j] != '$' && word(sql[j])) ++j;
            if (j < sql.size() && sql[j] == '$') {
                const size_t end = sql.find(sql.substr(i, j + 1 - i), j + 1);
                i = end == std::string::npos ? sql.size() : end + j - i;
                afterLiteral = true;
            }
        } else if (sql[i] == '?') {
            ++marks;
        }
    }
    if (marks < parsed.parameters.size()) std::abort();
    Record record;
    record.kind = Marc;
    record.title = "{RECORD}{TITLE}";
    record.rawData = std::string("\0{MARCRECORD}", 13);
    const std::vector<BoundValue> values = templateValues(parsed, record);
    if (values.size() != parsed.parameters.size()) std::abort();
    for (const BoundValue& v : values)
        if (v.data.size() > 8 * text.size() + 64) std::abort();
    return 0;
}
