#include "marc/MarcField.h"

std::string MarcField::text(size_t start) const {
    if (bytes_.size() < start) return {};
    const char* p = bytes_.data() + start;
    const char* end = bytes_.data() + bytes_.size();
    if (p < end) --end;  // the field terminator
    // A field that opens with subfields shows no code for them.
    while (p < end && *p == kMarcSubfieldDelimiter) p += (end - p >= 2) ? 2 : 1;

    std::string out;
    out.reserve(static_cast<size_t>(end - p));
    while (p < end) {
        const char c = *p;
        if (c == kMarcSubfieldDelimiter) {
            if (end - p >= 2) out.push_back(' ');
            p += (end - p >= 2) ? 2 : 1;
            continue;
        }
        if (c == '\0') break;
        // Copy the plain run up to the next delimiter or zero byte in one go.
        const char* q = p + 1;
        while (q < end && *q != kMarcSubfieldDelimiter && *q != '\0') ++q;
        out.append(p, static_cast<size_t>(q - p));
        p = q;
    }
    return out;
}

std::string_view MarcField::subfield(char code) const {
    // Fields are short: a plain scan beats calling memchr for each delimiter.
    const char* p = bytes_.data();
    const char* const end = p + bytes_.size();
    for (; p < end; ++p) {
        if (*p != kMarcSubfieldDelimiter || end - p < 2 || p[1] != code) continue;
        const char* content = p + 2;
        for (const char* q = content; q < end; ++q) {
            if (*q == kMarcSubfieldDelimiter || *q == kMarcFieldTerminator)
                return std::string_view(content, static_cast<size_t>(q - content));
        }
        return {};
    }
    return {};
}

std::string MarcField::subfields(std::string_view codes) const {
    std::string out;
    for (const char code : codes) {
        if (code == ' ')
            out.push_back(' ');
        else
            out.append(subfield(code));
    }
    return out;
}
