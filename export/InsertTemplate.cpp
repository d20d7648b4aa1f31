#include "export/InsertTemplate.h"

#include <utility>

#include "engine/Record.h"
#include "engine/ScreenText.h"
#include "engine/Utf8.h"

const char* const kDefaultInsertTemplate =
    "INSERT INTO <tablename>(<fieldname1>, <fieldname2>) VALUES('{TITLE}', '{MARCRECORD}')";

const std::vector<std::string>& placeholderChoices() {
    static const std::vector<std::string> choices = {
        "None", "TITLE", "AUTHOR", "TARGETNAME", "RECORD", "TXTRECORD", "XMLRECORD", "MARCRECORD"};
    return choices;
}

std::string doubleQuotes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

std::string latin1ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) appendLatin1(out, b);
    return out;
}

namespace {

void replaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    size_t pos = text.find(placeholder);
    if (pos == std::string::npos) return;
    std::string out;
    size_t from = 0;
    for (; pos != std::string::npos; pos = text.find(placeholder, from)) {
        out.append(text, from, pos - from);
        out += value;
        from = pos + placeholder.size();
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

}  // namespace

std::string fillInsertTemplate(const std::string& sqlTemplate, const Record& record) {
    const std::string noRecord;
    const std::pair<const char*, std::string> values[] = {
        {"{TITLE}", screenText(record.title)},
        {"{AUTHOR}", screenText(record.author)},
        {"{TARGETNAME}", screenText(record.targetName)},
        {"{RECORD}", latin1ToUtf8(record.rawData)},
        {"{MARCRECORD}", record.kind == Marc ? latin1ToUtf8(record.rawData) : noRecord},
        {"{XMLRECORD}", screenText(record.xmlText)},
        {"{TXTRECORD}", "<html><head></head><body><pre>" + screenText(record.renderedText) +
                            "</pre></body></html>"},
    };
    std::string sql = sqlTemplate;
    for (const auto& [placeholder, value] : values)
        replaceAll(sql, placeholder, doubleQuotes(value));
    return sql;
}
