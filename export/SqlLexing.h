// The lexical pieces of SQL an insert template is read with: comments and
// string literals as PostgreSQL reads them.
#pragma once

#include <cstddef>
#include <string>

// A character of a word or name (beyond ASCII: any byte of UTF-8).
bool isWordChar(unsigned char c);

// Past a comment starting at pos, or pos itself when none starts there;
// npos for a block comment that is not closed.
size_t pastComment(const std::string& s, size_t pos);

enum class Quoting { None, Plain, Escapes, Dollar };

struct LiteralStart {
    Quoting quoting = Quoting::None;
    size_t open = 0;        // the opening delimiter's length
    std::string dollarTag;  // $tag$, the closing delimiter too
};

// A string literal starting at pos: 'x', E'x' (backslash escapes) or $tag$x$tag$.
// Called only where a token starts, so an E or $ there begins no longer word.
LiteralStart literalAt(const std::string& s, size_t pos);

// The character a backslash escape at s[pos] (just past the backslash) stands
// for, as PostgreSQL reads E'' strings, appended to text; pos moves past it.
void readEscape(const std::string& s, size_t& pos, std::string& text);
