#include "display/CellCompare.h"

#include <cctype>
#include <cmath>

namespace {

std::string trimmed(const std::string& s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(s[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1]))) --end;
    return s.substr(begin, end - begin);
}

bool isInteger(const std::string& s) {
    size_t i = 0;
    if (s.size() > 1 && (s[0] == '-' || s[0] == '+')) i = 1;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
    return true;
}

// The number at the start of s, as far as it reads as one; 0 when none.
double leadingNumber(const std::string& s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    double value = 0;
    bool digits = false;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, digits = true)
        value = value * 10 + (s[i] - '0');
    if (i < s.size() && s[i] == '.') {
        double scale = 0.1;
        for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, scale /= 10)
            value += (s[i] - '0') * scale, digits = true;
    }
    if (digits && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) negativeExponent = s[j++] == '-';
        int exponent = 0;
        bool exponentDigits = false;
        for (; j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])) && exponent < 400;
             ++j)
            exponent = exponent * 10 + (s[j] - '0'), exponentDigits = true;
        if (exponentDigits) value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
    }
    return negative ? -value : value;
}

int byteWise(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int byValue(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

}  // namespace

CellKey makeCellKey(const std::string& cell, const DateParser& parseDate) {
    CellKey key;
    key.text = trimmed(cell);
    key.integer = isInteger(key.text);
    key.number = leadingNumber(key.text);
    // Every date form of a locale has a digit; titles mostly have none.
    bool digit = false;
    for (char c : key.text) digit = digit || std::isdigit(static_cast<unsigned char>(c));
    if (digit && !key.integer && parseDate) key.isDate = parseDate(key.text, key.date);
    return key;
}

int compareCellKeys(const CellKey& a, const CellKey& b) {
    if (a.text.empty() || b.text.empty()) return byteWise(a.text, b.text);
    if (a.integer) return byValue(a.number, b.number);
    if (a.isDate) return b.isDate ? byValue(a.date, b.date) : byteWise(a.text, b.text);
    return byteWise(a.text, b.text);
}

int compareCells(const std::string& a, const std::string& b, const DateParser& parseDate) {
    return compareCellKeys(makeCellKey(a, parseDate), makeCellKey(b, parseDate));
}
