// Feeds arbitrary text to the SQL template reader. What it accepts must have a
// '?' outside quotes for each parameter, and values built from it must never
// grow beyond what the template and the record put in (no chaining).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/Record.h"
#include "export/InsertTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParsedTemplate parsed;
    std::string error;
    if (!parseInsertTemplate(text, parsed, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    size_t marks = 0;
    bool quoted = false, named = false;
    for (char c : parsed.sql) {
        if (c == '\'' && !named) quoted = !quoted;
        if (c == '"' && !quoted) named = !named;
        if (c == '?' && !quoted && !named) ++marks;
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
