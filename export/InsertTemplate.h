// The database export's SQL template: its placeholders, and how it is read
// into one statement whose values are bound, never pasted into the SQL.
#pragma once

#include <string>
#include <vector>

struct Record;

// Shown when the stored template is empty.
extern const char* const kDefaultInsertTemplate;

// The placeholder names a column can be mapped to, "None" (nothing) first.
const std::vector<std::string>& placeholderChoices();

enum class Placeholder { Title, Author, TargetName, Record, MarcRecord, XmlRecord, TxtRecord };

// One bound parameter: a quoted literal that held placeholders, or a
// placeholder standing alone. Its value is its pieces joined.
struct TemplateParameter {
    struct Piece {
        bool isPlaceholder = false;
        Placeholder placeholder = Placeholder::Title;
        std::string text;  // the literal's own text, quotes undoubled
    };
    std::vector<Piece> pieces;
    // The column the statement inserts it into, when it says so plainly
    // (INSERT INTO t(a, b) VALUES('{TITLE}', {RECORD})); empty otherwise.
    std::string column;
};

struct ParsedTemplate {
    // The template with a '?' for each parameter, comments blanked and a
    // closing ';' dropped.
    std::string sql;
    std::vector<TemplateParameter> parameters;
    // The table of a plain INSERT INTO t(...) VALUES(...), as written (quotes
    // kept); empty otherwise.
    std::string table;
};

// Pure. Reads the template once. String literals holding placeholders ('x'
// with '' for a quote, E'x' with backslash escapes, $tag$x$tag$) and
// placeholders outside literals become parameters; text inside double quotes
// and comments is left alone. False, saying why, for a template of more than
// one statement or with an unclosed quote.
bool parseInsertTemplate(const std::string& sqlTemplate, ParsedTemplate& out, std::string& error);

// Nothing but one {RECORD} or {MARCRECORD}: its value may go as bytes.
bool isRawParameter(const TemplateParameter& parameter);

// A parameter's value for one record.
struct BoundValue {
    // UTF-8 text, or the raw record bytes when raw is set.
    std::string data;
    // Nothing but one {RECORD} or {MARCRECORD}: bytes for a column that takes
    // bytes, Latin-1 text (each byte the character of that code) for others.
    bool raw = false;
};

// Pure. The parameters' values for record; a value's own text is never read
// for placeholders. Text values go as the UTF-8 the screen shows.
std::vector<BoundValue> templateValues(const ParsedTemplate& parsed, const Record& record);

// Pure. Each byte as the Latin-1 character of the same value, in UTF-8: any
// bytes survive as text, and encoding that text as Latin-1 gives them back.
std::string latin1ToUtf8(const std::string& bytes);
