#include "export/InsertTemplate.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "records/Record.h"
#include "marc/ScreenText.h"
#include "marc/Utf8.h"
#include "export/SqlLexing.h"

const char* const kDefaultInsertTemplate =
    "INSERT INTO <tablename>(<fieldname1>, <fieldname2>) VALUES('{TITLE}', '{MARCRECORD}')";

const std::vector<std::string>& placeholderChoices() {
    static const std::vector<std::string> choices = {
        "None", "TITLE", "AUTHOR", "TARGETNAME", "RECORD", "TXTRECORD", "XMLRECORD", "MARCRECORD"};
    return choices;
}

std::string latin1ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) appendLatin1(out, b);
    return out;
}

namespace {

const std::pair<const char*, Placeholder> kPlaceholders[] = {
    {"{TITLE}", Placeholder::Title},           {"{AUTHOR}", Placeholder::Author},
    {"{TARGETNAME}", Placeholder::TargetName}, {"{RECORD}", Placeholder::Record},
    {"{MARCRECORD}", Placeholder::MarcRecord}, {"{XMLRECORD}", Placeholder::XmlRecord},
    {"{TXTRECORD}", Placeholder::TxtRecord},
};

bool placeholderAt(const std::string& s, size_t pos, Placeholder& which, size_t& length) {
    if (s[pos] != '{') return false;
    for (const auto& [name, placeholder] : kPlaceholders) {
        const size_t n = std::strlen(name);
        if (s.compare(pos, n, name) == 0) {
            which = placeholder;
            length = n;
            return true;
        }
    }
    return false;
}

bool isBlank(unsigned char c) { return std::isspace(c) != 0; }

// Reads the literal at pos into pieces and moves pos past it; false when it
// is not closed.
bool readLiteral(const std::string& s, const LiteralStart& start, size_t& pos,
                 std::vector<TemplateParameter::Piece>& pieces) {
    std::string text;
    Placeholder placeholder;
    size_t length = 0;
    for (pos += start.open;;) {
        if (pos >= s.size()) return false;
        if (start.quoting == Quoting::Dollar) {
            if (s.compare(pos, start.dollarTag.size(), start.dollarTag) == 0) {
                pos += start.dollarTag.size();
                break;
            }
        } else if (s[pos] == '\'') {
            if (pos + 1 < s.size() && s[pos + 1] == '\'') {
                text += '\'';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        } else if (s[pos] == '\\' && start.quoting == Quoting::Escapes && pos + 1 < s.size()) {
            ++pos;
            readEscape(s, pos, text);
            continue;
        }
        if (placeholderAt(s, pos, placeholder, length)) {
            if (!text.empty()) pieces.push_back({false, Placeholder::Title, text});
            text.clear();
            pieces.push_back({true, placeholder, {}});
            pos += length;
            continue;
        }
        text += s[pos++];
    }
    if (!text.empty()) pieces.push_back({false, Placeholder::Title, text});
    return true;
}

struct Token {
    enum Kind { Word, Punct, Param, Other } kind;
    std::string text;  // a quoted name without its quotes
    std::string sql;   // as written
};

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// INSERT INTO t(a, b, ...) VALUES(x, y, ...): each value that is one parameter
// learns its column.
void mapColumns(const std::vector<Token>& tokens, ParsedTemplate& out) {
    size_t i = 0;
    auto word = [&](const char* keyword) {
        return i < tokens.size() && tokens[i].kind == Token::Word &&
               upper(tokens[i].text) == keyword && (++i, true);
    };
    auto punct = [&](char c) {
        return i < tokens.size() && tokens[i].kind == Token::Punct && tokens[i].text[0] == c &&
               (++i, true);
    };
    if (!word("INSERT") || !word("INTO") || i >= tokens.size() || tokens[i].kind != Token::Word)
        return;
    // As written: the column lookup must name the table as the statement does.
    std::string table = tokens[i++].sql;
    while (punct('.')) {
        if (i >= tokens.size() || tokens[i].kind != Token::Word) return;
        table += "." + tokens[i++].sql;
    }
    std::vector<std::string> columns;
    if (!punct('(')) return;
    do {
        if (i >= tokens.size() || tokens[i].kind != Token::Word) return;
        columns.push_back(tokens[i++].text);
    } while (punct(','));
    if (!punct(')') || !word("VALUES") || !punct('(')) return;
    std::vector<long> itemParams;  // the parameter an item is, or -1
    size_t param = 0;
    for (size_t k = 0; k < i; ++k) param += tokens[k].kind == Token::Param;
    for (;;) {
        const size_t start = i;
        int depth = 0;
        size_t params = 0;
        while (i < tokens.size() && !(depth == 0 && tokens[i].kind == Token::Punct &&
                                      (tokens[i].text[0] == ',' || tokens[i].text[0] == ')'))) {
            if (tokens[i].kind == Token::Punct && tokens[i].text[0] == '(') ++depth;
            if (tokens[i].kind == Token::Punct && tokens[i].text[0] == ')') --depth;
            params += tokens[i].kind == Token::Param;
            ++i;
        }
        itemParams.push_back(i == start + 1 && params == 1 ? static_cast<long>(param) : -1);
        param += params;
        if (punct(',')) continue;
        if (!punct(')')) return;
        break;
    }
    if (i != tokens.size() || itemParams.size() != columns.size()) return;
    out.table = table;
    for (size_t k = 0; k < columns.size(); ++k)
        if (itemParams[k] >= 0)
            out.parameters[static_cast<size_t>(itemParams[k])].column = columns[k];
}

}  // namespace

bool parseInsertTemplate(const std::string& s, ParsedTemplate& out, std::string& error) {
    out = ParsedTemplate();
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        Placeholder placeholder;
        size_t length = 0;
        const LiteralStart literal = literalAt(s, i);
        if (literal.quoting != Quoting::None) {
            const size_t start = i;
            std::vector<TemplateParameter::Piece> pieces;
            if (!readLiteral(s, literal, i, pieces)) {
                error = "A quote in the SQL template is not closed.";
                return false;
            }
            if (std::any_of(pieces.begin(), pieces.end(),
                            [](const auto& piece) { return piece.isPlaceholder; })) {
                out.parameters.push_back({std::move(pieces), {}});
                out.sql += '?';
                tokens.push_back({Token::Param, {}, {}});
            } else {
                out.sql.append(s, start, i - start);
                tokens.push_back({Token::Other, {}, {}});
            }
        } else if (c == '"') {
            const size_t start = i;
            std::string name;
            for (++i;; ++i) {
                if (i >= s.size()) {
                    error = "A double quote in the SQL template is not closed.";
                    return false;
                }
                if (s[i] != '"') {
                    name += s[i];
                } else if (i + 1 < s.size() && s[i + 1] == '"') {
                    name += s[++i];
                } else {
                    break;
                }
            }
            ++i;
            out.sql.append(s, start, i - start);
            tokens.push_back({Token::Word, std::move(name), s.substr(start, i - start)});
        } else if (pastComment(s, i) != i) {
            // Blanked: a '?' or quote in a comment must not count as SQL.
            i = pastComment(s, i);
            if (i == std::string::npos) {
                error = "A comment in the SQL template is not closed.";
                return false;
            }
            out.sql += ' ';
        } else if (placeholderAt(s, i, placeholder, length)) {
            out.parameters.push_back({{{true, placeholder, {}}}, {}});
            out.sql += '?';
            tokens.push_back({Token::Param, {}, {}});
            i += length;
        } else if (c == ';') {
            for (size_t j = i + 1; j < s.size();) {
                const size_t past = pastComment(s, j);
                if (past == std::string::npos) break;
                if (past != j) {
                    j = past;
                } else if (isBlank(static_cast<unsigned char>(s[j]))) {
                    ++j;
                } else {
                    error =
                        "The SQL template holds more than one statement; only one statement "
                        "may be run.";
                    return false;
                }
            }
            break;
        } else if (isWordChar(static_cast<unsigned char>(c))) {
            const size_t start = i;
            while (i < s.size() && isWordChar(static_cast<unsigned char>(s[i]))) ++i;
            out.sql.append(s, start, i - start);
            const std::string word = s.substr(start, i - start);
            tokens.push_back({Token::Word, word, word});
        } else {
            out.sql += c;
            ++i;
            if (!isBlank(static_cast<unsigned char>(c)))
                tokens.push_back({std::strchr("(),.", c) ? Token::Punct : Token::Other,
                                  std::string(1, c), std::string(1, c)});
        }
    }
    while (!out.sql.empty() && isBlank(static_cast<unsigned char>(out.sql.back())))
        out.sql.pop_back();
    mapColumns(tokens, out);
    return true;
}

bool isRawParameter(const TemplateParameter& parameter) {
    const auto& pieces = parameter.pieces;
    return pieces.size() == 1 && pieces[0].isPlaceholder &&
           (pieces[0].placeholder == Placeholder::Record ||
            pieces[0].placeholder == Placeholder::MarcRecord);
}

namespace {

std::string textValue(Placeholder placeholder, const Record& record) {
    switch (placeholder) {
        case Placeholder::Title:
            return screenText(record.title);
        case Placeholder::Author:
            return screenText(record.author);
        case Placeholder::TargetName:
            return screenText(record.targetName);
        case Placeholder::Record:
            return latin1ToUtf8(record.rawData);
        case Placeholder::MarcRecord:
            return record.kind == Marc ? latin1ToUtf8(record.rawData) : std::string();
        case Placeholder::XmlRecord:
            return screenText(record.xmlText);
        case Placeholder::TxtRecord:
            break;
    }
    return "<html><head></head><body><pre>" + screenText(record.renderedText) +
           "</pre></body></html>";
}

}  // namespace

std::vector<BoundValue> templateValues(const ParsedTemplate& parsed, const Record& record) {
    std::vector<BoundValue> values;
    values.reserve(parsed.parameters.size());
    for (const TemplateParameter& parameter : parsed.parameters) {
        const auto& pieces = parameter.pieces;
        if (isRawParameter(parameter)) {
            const bool none =
                pieces[0].placeholder == Placeholder::MarcRecord && record.kind != Marc;
            values.push_back({none ? std::string() : record.rawData, true});
            continue;
        }
        BoundValue value;
        for (const auto& piece : pieces)
            value.data += piece.isPlaceholder ? textValue(piece.placeholder, record) : piece.text;
        values.push_back(std::move(value));
    }
    return values;
}
