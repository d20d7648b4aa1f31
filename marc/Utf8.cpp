#include "marc/Utf8.h"

namespace {

bool inRange(std::string_view bytes, size_t pos, unsigned char low, unsigned char high) {
    if (pos >= bytes.size()) return false;
    const unsigned char c = static_cast<unsigned char>(bytes[pos]);
    return c >= low && c <= high;
}

}  // namespace

size_t utf8SequenceLength(std::string_view bytes, size_t pos) {
    if (pos >= bytes.size()) return 0;
    const unsigned char lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return inRange(bytes, pos + 1, 0x80, 0xBF) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        // E0 would be overlong below A0; ED above 9F would be a surrogate.
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return inRange(bytes, pos + 1, low, high) && inRange(bytes, pos + 2, 0x80, 0xBF) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        // F0 would be overlong below 90; F4 above 8F would pass U+10FFFF.
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return inRange(bytes, pos + 1, low, high) && inRange(bytes, pos + 2, 0x80, 0xBF) &&
                       inRange(bytes, pos + 3, 0x80, 0xBF)
                   ? 4
                   : 0;
    }
    return 0;
}

namespace {

// How many multi-byte sequences the bytes hold; -1 when they are not UTF-8.
long multiByteSequences(std::string_view bytes) {
    long count = 0;
    for (size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const size_t length = utf8SequenceLength(bytes, pos);
        if (length == 0) return -1;
        ++count;
        pos += length;
    }
    return count;
}

}  // namespace

bool isUtf8(std::string_view bytes) { return multiByteSequences(bytes) >= 0; }

bool isMultiByteUtf8(std::string_view bytes) { return multiByteSequences(bytes) > 0; }

void appendLatin1(std::string& out, unsigned char byte) { appendCodePoint(out, byte); }

void appendWindows1252(std::string& out, unsigned char byte) {
    // 0x80 to 0x9F; 0 where Windows-1252 has no character.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    const char16_t code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : 0;
    appendCodePoint(out, code ? code : byte);
}

void appendCodePoint(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | ((code >> 18) & 0x07));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}
