#include "export/SqlLexing.h"

#include <cctype>

#include "marc/Utf8.h"

bool isWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; }

// Past a comment starting at pos, or pos itself when none starts there;
// npos for a block comment that is not closed.
size_t pastComment(const std::string& s, size_t pos) {
    if (s.compare(pos, 2, "--") == 0) {
        const size_t end = s.find('\n', pos);
        return end == std::string::npos ? s.size() : end;
    }
    if (s.compare(pos, 2, "/*") == 0) {
        const size_t end = s.find("*/", pos + 2);
        return end == std::string::npos ? std::string::npos : end + 2;
    }
    return pos;
}

// A string literal starting at pos: 'x', E'x' (backslash escapes) or $tag$x$tag$.
// Called only where a token starts, so an E or $ there begins no longer word.
LiteralStart literalAt(const std::string& s, size_t pos) {
    LiteralStart start;
    if (s[pos] == '\'') {
        start.quoting = Quoting::Plain;
        start.open = 1;
    } else if ((s[pos] == 'E' || s[pos] == 'e') && pos + 1 < s.size() && s[pos + 1] == '\'') {
        start.quoting = Quoting::Escapes;
        start.open = 2;
    } else if (s[pos] == '$') {
        size_t j = pos + 1;
        // $1 is a parameter, not a quote: a tag does not start with a digit.
        if (j < s.size() && s[j] != '$' && !std::isdigit(static_cast<unsigned char>(s[j]))) {
            while (j < s.size() && s[j] != '$' && isWordChar(static_cast<unsigned char>(s[j]))) ++j;
        }
        if (j < s.size() && s[j] == '$') {
            start.quoting = Quoting::Dollar;
            start.dollarTag = s.substr(pos, j + 1 - pos);
            start.open = start.dollarTag.size();
        }
    }
    return start;
}

// The character a backslash escape at s[pos] (just past the backslash) stands
// for, as PostgreSQL reads E'' strings; pos moves past it.
void readEscape(const std::string& s, size_t& pos, std::string& text) {
    auto digits = [&](int base, size_t most) {
        unsigned long value = 0;
        size_t n = 0;
        for (; n < most && pos < s.size(); ++n, ++pos) {
            const int c = static_cast<unsigned char>(s[pos]);
            const int d = std::isdigit(c)    ? c - '0'
                          : std::isxdigit(c) ? std::tolower(c) - 'a' + 10
                                             : 99;
            if (d >= base) break;
            value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(d);
        }
        return std::pair{value, n};
    };
    const char c = s[pos++];
    switch (c) {
        case 'b':
            text += '\b';
            return;
        case 'f':
            text += '\f';
            return;
        case 'n':
            text += '\n';
            return;
        case 'r':
            text += '\r';
            return;
        case 't':
            text += '\t';
            return;
        case 'x':
        case 'u':
        case 'U': {
            const auto [value, n] = digits(16, c == 'x' ? 2 : c == 'u' ? 4 : 8);
            if (n == 0) break;
            if (c == 'x')
                text += static_cast<char>(value);
            else
                appendCodePoint(text, value);
            return;
        }
        default:
            if (c >= '0' && c <= '7') {
                --pos;
                text += static_cast<char>(digits(8, 3).first & 0xFF);
                return;
            }
    }
    text += c;
}

