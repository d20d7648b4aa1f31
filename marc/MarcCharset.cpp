#include "marc/MarcCharset.h"

#include <yaz/yaz-iconv.h>

#include "marc/MarcCharsetChoice.h"
#include "marc/UnicodeNfc.h"
#include "marc/Utf8.h"

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

std::string utf8Text(std::string_view text) {
    if (isUtf8(text)) return toNfc(text);
    std::string out;
    out.reserve(text.size() + 8);
    walkUtf8(
        text, [&](size_t pos, size_t length) { out.append(text, pos, length); },
        [&](unsigned char) { out += kReplacement; });
    return toNfc(out);
}

// Stray bytes in mostly UTF-8 text are most often Latin-1 letters, or Windows-1252
// quotes and dashes; the MARC-8 non-sorting markers become their Unicode counterparts.
std::string mixedText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    walkUtf8(
        text, [&](size_t pos, size_t length) { out.append(text, pos, length); },
        [&](unsigned char byte) {
            if (byte == 0x88 || byte == 0x89)
                appendLatin1(out, byte == 0x88 ? 0x98 : 0x9C);
            else
                appendWindows1252(out, byte);
        });
    return toNfc(out);
}

std::string latin1Text(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) appendLatin1(out, static_cast<unsigned char>(c));
    return out;  // every Latin-1 letter is composed already
}

// The bytes ANSEL, MARC-8's default G1 set, gives a meaning to. The
// toolkit's decoder drops any other byte without a word.
bool isAnselByte(unsigned char byte) {
    if (byte < 0x80) return true;
    if (byte == 0x88 || byte == 0x89 || byte == 0x8D || byte == 0x8E) return true;
    if (byte >= 0xA1 && byte <= 0xC8)
        return byte != 0xAF && byte != 0xBB && byte != 0xBE && byte != 0xBF;
    return (byte >= 0xE0 && byte <= 0xFB) || byte == 0xFE;
}

std::string decodeMarc8(std::string_view text) {
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

// Without escapes every high byte is ANSEL's, and one it lacks becomes U+FFFD
// rather than nothing. After an escape the decoder alone knows the sets in force.
std::string marc8Text(std::string_view text) {
    if (text.find(kEscape) != std::string_view::npos) return toNfc(decodeMarc8(text));
    std::string out;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (isAnselByte(static_cast<unsigned char>(text[i]))) continue;
        out += decodeMarc8(text.substr(start, i - start));
        out += kReplacement;
        start = i + 1;
    }
    out += decodeMarc8(text.substr(start));
    return toNfc(out);
}

}  // namespace

MarcCharset marcCharset(std::string_view iso2709) {
    return chooseMarcCharset(iso2709, RecordCharsetSetting::Automatic).charset;
}

std::string marcTextToUtf8(std::string_view text, MarcCharset charset) {
    if (isPlainAscii(text)) return std::string(text);
    switch (charset) {
        case MarcCharset::Marc8:
            return marc8Text(text);
        case MarcCharset::Latin1:
            return latin1Text(text);
        case MarcCharset::Utf8Latin1:
            return mixedText(text);
        case MarcCharset::Utf8:
            break;
    }
    return utf8Text(text);
}
