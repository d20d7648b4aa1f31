#include "protocol/sru/SruRecordText.h"

#include <array>
#include <cstring>

#include "marc/Utf8.h"

namespace {

const std::string_view kRecordData = "recordData>";

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// UTF-8 without a byte order mark for another encoding, no encoding named in
// the declaration but UTF-8, and no document type to define entities.
bool plainUtf8(const std::string& response) {
    if (response.empty()) return false;
    const auto first = static_cast<unsigned char>(response[0]);
    if (first == 0 || first == 0xFE || first == 0xFF) return false;
    if (response.find("<!DOCTYPE") != std::string::npos) return false;
    if (response.compare(0, 5, "<?xml") != 0) return true;
    const size_t end = response.find("?>");
    if (end == std::string::npos) return false;
    const size_t named = response.find("encoding", 0);
    if (named == std::string::npos || named > end) return true;
    const size_t quote = response.find_first_of("\"'", named);
    if (quote == std::string::npos || quote > end) return false;
    const std::string_view utf8 = "utf-8";
    for (size_t i = 0; i < utf8.size(); ++i)
        if (quote + 1 + i >= end || lower(response[quote + 1 + i]) != utf8[i]) return false;
    return response[quote + 1 + utf8.size()] == response[quote];
}

bool isXmlChar(unsigned long code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// The character the reference at text[0] ('&') stands for, written at out;
// the reference's length and the character's, or 0 when it is none a
// document without a type may hold.
size_t readReference(const char* text, size_t size, char* out, size_t& written) {
    written = 1;
    // Those that escaped markup is made of, told apart by their second letter.
    std::string_view name;
    char character = 0;
    switch (size > 1 ? text[1] : 0) {
        case 'l':
            name = "&lt;", character = '<';
            break;
        case 'g':
            name = "&gt;", character = '>';
            break;
        case 'q':
            name = "&quot;", character = '"';
            break;
        case 'a':
            name = size > 2 && text[2] == 'm' ? "&amp;" : "&apos;";
            character = name[2] == 'm' ? '&' : '\'';
            break;
        default:
            break;
    }
    if (character) {
        if (size < name.size() || std::memcmp(text, name.data(), name.size()) != 0) return 0;
        *out = character;
        return name.size();
    }
    if (size < 4 || text[1] != '#') return 0;
    const bool hex = text[2] == 'x';
    unsigned long code = 0;
    size_t i = hex ? 3 : 2;
    const size_t digits = i;
    for (; i < size && text[i] != ';'; ++i) {
        const char c = lower(text[i]);
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0) return 0;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
        if (code > 0x10FFFF) return 0;
    }
    if (i == size || i == digits || !isXmlChar(code)) return 0;
    std::string utf8;
    appendCodePoint(utf8, code);
    std::memcpy(out, utf8.data(), utf8.size());
    written = utf8.size();
    return i + 1;
}

}  // namespace

LiftedRecordTexts liftRecordTexts(const std::string& response) {
    LiftedRecordTexts lifted;
    if (!plainUtf8(response)) return lifted;
    const std::string_view bytes = response;
    size_t copied = 0;
    size_t at = 0;
    while ((at = bytes.find(kRecordData, at)) != std::string_view::npos) {
        size_t open = at;
        if (open > 0 && bytes[open - 1] == ':') {
            --open;
            while (open > 0 && isNameChar(bytes[open - 1])) --open;
            if (open + 1 == at) open = 0;  // an empty prefix
        }
        const size_t content = at + kRecordData.size();
        at = content;
        if (open == 0 || bytes[open - 1] != '<') continue;
        const std::string_view name = bytes.substr(open, content - 1 - open);
        const size_t close = bytes.find('<', content);
        if (close == std::string_view::npos) break;
        const std::string endTag = "</" + std::string(name) + ">";
        if (close == content || bytes.compare(close, endTag.size(), endTag) != 0) continue;
        lifted.skeleton.append(response, copied, content - copied);
        lifted.texts.push_back({lifted.skeleton.size(), bytes.substr(content, close - content)});
        copied = close;
        at = close;
    }
    if (lifted.texts.empty()) return lifted;
    lifted.skeleton.append(response, copied, std::string::npos);
    return lifted;
}

bool unescapeXmlText(std::string_view escaped, std::string& out) {
    // Bytes that need a look of their own: controls, '&', ']' and all of
    // UTF-8's multi-byte sequences.
    static const auto special = [] {
        std::array<bool, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[static_cast<size_t>(c)] = c < 0x20 || c >= 0x80 || c == '&' || c == ']';
        table['\t'] = table['\n'] = false;
        return table;
    }();
    // Never longer than the text: no reference is shorter than its character.
    const size_t start = out.size();
    out.resize(start + escaped.size());
    char* to = &out[start];
    const auto fail = [&] {
        out.resize(start);
        return false;
    };
    const char* const bytes = escaped.data();
    const size_t size = escaped.size();
    size_t run = 0;  // start of the bytes not yet copied
    for (size_t i = 0; i < size;) {
        while (i < size && !special[static_cast<unsigned char>(bytes[i])]) ++i;
        if (i == size) break;
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == ']') {
            if (escaped.compare(i, 3, "]]>") == 0) return fail();
            ++i;
        } else if (c >= 0x80) {
            const size_t length = utf8SequenceLength(escaped, i);
            if (length == 0) return fail();
            // U+FFFE and U+FFFF are no characters of XML.
            if (length == 3 && c == 0xEF && static_cast<unsigned char>(bytes[i + 1]) == 0xBF &&
                static_cast<unsigned char>(bytes[i + 2]) >= 0xBE)
                return fail();
            i += length;
        } else if (c == '&') {
            std::memcpy(to, bytes + run, i - run);
            to += i - run;
            size_t written = 0;
            const size_t length = readReference(bytes + i, size - i, to, written);
            if (length == 0) return fail();
            to += written;
            i += length;
            run = i;
        } else {
            return fail();
        }
    }
    std::memcpy(to, bytes + run, size - run);
    to += size - run;
    out.resize(static_cast<size_t>(to - out.data()));
    return true;
}
