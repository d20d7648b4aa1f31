#include "marc/StandardNumber.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool allDigits(const std::string& s, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

bool startsWithNoCase(const std::string& s, size_t from, const char* label) {
    for (size_t i = 0; label[i]; ++i)
        if (from + i >= s.size() ||
            std::toupper(static_cast<unsigned char>(s[from + i])) != label[i])
            return false;
    return true;
}

// What word processors, web pages and Notepad put between and before the
// characters of a number, as the ASCII blank or hyphen they stand for.
std::string asciiSeparators(const std::string& text) {
    std::string t;
    t.reserve(text.size());
    const auto byte = [&text](size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    for (size_t i = 0; i < text.size();) {
        const unsigned a = byte(i), b = byte(i + 1), c = byte(i + 2);
        char ascii = 0;
        size_t length = 3;
        if (a == 0xC2 && b == 0xA0) {
            ascii = ' ';  // no-break space
            length = 2;
        } else if (a == 0xE2 && b == 0x80 && c >= 0x90 && c <= 0x95) {
            ascii = '-';  // hyphens and dashes
        } else if (a == 0xE2 && b == 0x88 && c == 0x92) {
            ascii = '-';  // minus sign
        } else if ((a == 0xE2 && b == 0x80 && (c <= 0x8B || c == 0xAF)) ||
                   (a == 0xE2 && b == 0x81 && (c == 0x9F || c == 0xA0)) ||
                   (a == 0xE3 && b == 0x80 && c == 0x80) || (a == 0xE1 && b == 0x9A && c == 0x80) ||
                   (a == 0xEF && b == 0xBB && c == 0xBF)) {
            ascii = ' ';  // Unicode blanks, zero-width ones and the byte-order mark
        }
        if (ascii) {
            t.push_back(ascii);
            i += length;
        } else {
            t.push_back(text[i++]);
        }
    }
    return t;
}

// Of twelve digits.
char isbn13Check(const char* first12) {
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (first12[i] - '0') * (i % 2 ? 3 : 1);
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

std::string cleanStandardNumber(const std::string& text) {
    const std::string t = asciiSeparators(text);
    size_t i = t.find_first_not_of(" \t");
    if (i == std::string::npos) i = t.size();
    for (const char* label : {"ISBN", "ISSN", "EAN"}) {
        if (!startsWithNoCase(t, i, label)) continue;
        i += std::char_traits<char>::length(label);
        // "ISBN-13:", "ISBN 10 ": the qualifier needs a colon or blank after
        // it, or it would eat the start of "ISBN 1361234567".
        const size_t q = t.find_first_not_of(" -", i);
        const bool qualified = std::strcmp(label, "ISBN") == 0 && q != std::string::npos &&
                               (t.compare(q, 2, "10") == 0 || t.compare(q, 2, "13") == 0) &&
                               q + 2 < t.size() && (t[q + 2] == ':' || t[q + 2] == ' ');
        if (qualified) i = q + 2;
        i = t.find_first_not_of(' ', i);
        if (i != std::string::npos && t[i] == ':') ++i;
        if (i == std::string::npos) i = t.size();
        break;
    }
    std::string s;
    s.reserve(t.size() - i);
    for (size_t k = i; k < t.size(); ++k) {
        const char c = t[k];
        if (c == ' ' || c == '\t' || c == '-' || c == '\r' || c == '\n') continue;
        s.push_back(c == 'x' ? 'X' : c);
    }
    if (s.size() == 18 && allDigits(s, 0, 18) &&
        (s.compare(0, 3, "978") == 0 || s.compare(0, 3, "979") == 0))
        s.resize(13);
    return s;
}

StandardNumberKind standardNumberForm(const std::string& s) {
    const bool lastOk =
        !s.empty() && (std::isdigit(static_cast<unsigned char>(s.back())) || s.back() == 'X');
    if (s.size() == 13 && allDigits(s, 0, 13) &&
        (s.compare(0, 3, "978") == 0 || s.compare(0, 3, "979") == 0))
        return StandardNumberKind::Isbn13;
    if (s.size() == 10 && lastOk && allDigits(s, 0, 9)) return StandardNumberKind::Isbn10;
    if (s.size() == 8 && lastOk && allDigits(s, 0, 7)) return StandardNumberKind::Issn;
    return StandardNumberKind::None;
}

char isbn10CheckCharacter(const std::string& first9) {
    if (first9.size() < 9 || !allDigits(first9, 0, 9)) return '?';
    int sum = 0;
    for (int i = 0; i < 9; ++i) sum += (first9[static_cast<size_t>(i)] - '0') * (10 - i);
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

char isbn13CheckCharacter(const std::string& first12) {
    if (first12.size() < 12 || !allDigits(first12, 0, 12)) return '?';
    return isbn13Check(first12.data());
}

char issnCheckCharacter(const std::string& first7) {
    if (first7.size() < 7 || !allDigits(first7, 0, 7)) return '?';
    int sum = 0;
    for (int i = 0; i < 7; ++i) sum += (first7[static_cast<size_t>(i)] - '0') * (8 - i);
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

bool standardNumberCheckOk(const std::string& s) {
    switch (standardNumberForm(s)) {
        case StandardNumberKind::Isbn10:
            return isbn10CheckCharacter(s) == s[9];
        case StandardNumberKind::Isbn13:
            return isbn13CheckCharacter(s) == s[12];
        case StandardNumberKind::Issn:
            return issnCheckCharacter(s) == s[7];
        case StandardNumberKind::None:
            break;
    }
    return false;
}

std::string isbnAs13(const std::string& s) {
    switch (standardNumberForm(s)) {
        case StandardNumberKind::Isbn13:
            return s;
        case StandardNumberKind::Isbn10: {
            std::string t = "978" + s.substr(0, 9);
            return t + isbn13CheckCharacter(t);
        }
        default:
            return std::string();
    }
}

std::string isbnAs10(const std::string& s) {
    switch (standardNumberForm(s)) {
        case StandardNumberKind::Isbn10:
            return s;
        case StandardNumberKind::Isbn13:
            if (s.compare(0, 3, "978") != 0) return std::string();
            return s.substr(3, 9) + isbn10CheckCharacter(s.substr(3, 9));
        default:
            return std::string();
    }
}

bool isbn13FromCatalogued(std::string_view subfield, char (&isbn13)[13]) {
    // The leading run of digits, X, hyphens and blanks, cleaned; no run that
    // long is an ISBN, nor holds a label to drop.
    char s[18];
    size_t n = 0;
    for (const char c : subfield) {
        if (c == '-' || c == ' ') continue;
        if (!((c >= '0' && c <= '9') || c == 'X' || c == 'x')) break;
        if (n == sizeof s) return false;
        s[n++] = c == 'x' ? 'X' : c;
    }
    const auto digits = [&s](size_t count) {
        for (size_t i = 0; i < count; ++i)
            if (s[i] < '0' || s[i] > '9') return false;
        return true;
    };
    const bool ean = n >= 13 && s[0] == '9' && s[1] == '7' && (s[2] == '8' || s[2] == '9');
    if ((n == 13 || n == 18) && ean && digits(n)) {  // a price add-on is dropped
        std::copy(s, s + 13, isbn13);
        return true;
    }
    if (n != 10 || !digits(9) || !(s[9] == 'X' || (s[9] >= '0' && s[9] <= '9'))) return false;
    isbn13[0] = '9';
    isbn13[1] = '7';
    isbn13[2] = '8';
    std::copy(s, s + 9, isbn13 + 3);
    isbn13[12] = isbn13Check(isbn13);
    return true;
}

std::string isbn13FromCatalogued(const std::string& subfield) {
    char isbn[13];
    return isbn13FromCatalogued(subfield, isbn) ? std::string(isbn, 13) : std::string();
}
