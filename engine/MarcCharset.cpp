#include "engine/MarcCharset.h"

#include <yaz/yaz-iconv.h>

#include "engine/Utf8.h"

namespace {

constexpr char kEscape = '\x1B';
constexpr const char kReplacement[] = "\xEF\xBF\xBD";

// MARC-8 without escapes and without bytes above 0x7F is ASCII.
bool isPlainAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80 || c == kEscape) return false;
    return true;
}

struct Marc8Decoder {
    yaz_iconv_t cd = yaz_iconv_open("utf-8", "marc8");
    Marc8Decoder() = default;
    Marc8Decoder(const Marc8Decoder&) = delete;
    Marc8Decoder& operator=(const Marc8Decoder&) = delete;
    ~Marc8Decoder() {
        if (cd) yaz_iconv_close(cd);
    }
};

}  // namespace

MarcCharset marcCharset(std::string_view iso2709) {
    if (iso2709.size() < 10 || iso2709[9] != ' ') return MarcCharset::Utf8;
    bool multiByte = false;
    for (size_t pos = 0; pos < iso2709.size();) {
        if (static_cast<unsigned char>(iso2709[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const size_t length = utf8SequenceLength(iso2709, pos);
        if (length == 0) return MarcCharset::Marc8;
        multiByte = true;
        pos += length;
    }
    return multiByte ? MarcCharset::Utf8 : MarcCharset::Marc8;
}

std::string marcTextToUtf8(std::string_view text, MarcCharset charset) {
    if (charset == MarcCharset::Utf8 || isPlainAscii(text)) return std::string(text);
    // Each thread keeps one decoder and starts it afresh for every text.
    thread_local const Marc8Decoder decoder;
    if (!decoder.cd) return std::string(text);
    yaz_iconv_t cd = decoder.cd;
    yaz_iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh start: no escape in force
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    char* in = const_cast<char*>(text.data());  // yaz_iconv does not write to its input
    size_t inLeft = text.size();
    char buffer[256];
    while (true) {
        char* outPos = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done =
            inLeft ? yaz_iconv(cd, &in, &inLeft, &outPos, &outLeft)
                   : yaz_iconv(cd, nullptr, nullptr, &outPos, &outLeft);  // what it holds back
        out.append(buffer, static_cast<size_t>(outPos - buffer));
        if (done == static_cast<size_t>(-1)) {
            const int error = yaz_iconv_error(cd);
            if (error == YAZ_ICONV_E2BIG) continue;
            out += kReplacement;
            if (inLeft == 0 || error == YAZ_ICONV_EINVAL) break;
            ++in;  // skip the byte it could not read
            --inLeft;
            continue;
        }
        if (inLeft == 0 && outPos == buffer) break;
    }
    return out;
}
