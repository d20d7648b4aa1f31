// The database export's SQL template: its placeholders and how a record's
// values replace them.
#pragma once

#include <string>
#include <vector>

struct Record;

// Shown when the stored template is empty.
extern const char* const kDefaultInsertTemplate;

// The placeholder names a column can be mapped to, "None" (nothing) first.
const std::vector<std::string>& placeholderChoices();

// Pure. Every single quote doubled, nothing else escaped.
std::string doubleQuotes(const std::string& text);

// Pure. Each byte as the Latin-1 character of the same value, in UTF-8: any
// bytes survive as text, and encoding that text as Latin-1 gives them back.
std::string latin1ToUtf8(const std::string& bytes);

// Pure. The template with every placeholder replaced by the record's value,
// quotes doubled, in the fixed order {TITLE}, {AUTHOR}, {TARGETNAME}, {RECORD},
// {MARCRECORD}, {XMLRECORD}, {TXTRECORD}; each step works on the result of the
// one before. Text values go as the UTF-8 the screen shows; the raw record
// bytes ({RECORD}, {MARCRECORD}) byte for byte as Latin-1. The result is UTF-8
// when the template is.
std::string fillInsertTemplate(const std::string& sqlTemplate, const Record& record);
