#include "marc/MarcCharsetChoice.h"

#include "marc/CleanIso2709.h"
#include "marc/MarcCharsetScore.h"
#include "marc/Utf8.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool hasEscapeOrHighByte(std::string_view bytes) {
    for (const char c : bytes)
        if (c == '\x1B' || static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// An escape to another MARC-8 character set, which UTF-8 text never holds.
bool hasMarc8Escape(std::string_view bytes) {
    for (size_t at = bytes.find('\x1B'); at != std::string_view::npos && at + 1 < bytes.size();
         at = bytes.find('\x1B', at + 1))
        if (std::string_view("()$,-./bgps").find(bytes[at + 1]) != std::string_view::npos)
            return true;
    return false;
}

bool hasMultiByteSequence(std::string_view bytes) {
    bool found = false;
    walkUtf8(
        bytes, [&](size_t, size_t length) { found = found || length > 1; }, [](unsigned char) {});
    return found;
}

size_t occurrences(std::string_view text, std::string_view what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

}  // namespace

RecordCharsetSetting recordCharsetSetting(std::string_view name) {
    if (name == "MARC-8") return RecordCharsetSetting::Marc8;
    if (name == "UTF-8") return RecordCharsetSetting::Utf8;
    if (name == "ISO-8859-1") return RecordCharsetSetting::Latin1;
    return RecordCharsetSetting::Automatic;
}

const char* recordCharsetName(RecordCharsetSetting setting) {
    switch (setting) {
        case RecordCharsetSetting::Marc8:
            return "MARC-8";
        case RecordCharsetSetting::Utf8:
            return "UTF-8";
        case RecordCharsetSetting::Latin1:
            return "ISO-8859-1";
        case RecordCharsetSetting::Automatic:
            break;
    }
    return "";
}

const char* marcCharsetName(MarcCharset charset) {
    switch (charset) {
        case MarcCharset::Marc8:
            return "MARC-8";
        case MarcCharset::Latin1:
            return "ISO-8859-1";
        case MarcCharset::Utf8:
        case MarcCharset::Utf8Latin1:
            break;
    }
    return "UTF-8";
}

CharsetChoice chooseMarcCharset(std::string_view iso2709, RecordCharsetSetting setting) {
    switch (setting) {
        case RecordCharsetSetting::Marc8:
            return {MarcCharset::Marc8, CharsetReason::TargetSetting};
        case RecordCharsetSetting::Utf8:
            return {MarcCharset::Utf8, CharsetReason::TargetSetting};
        case RecordCharsetSetting::Latin1:
            return {MarcCharset::Latin1, CharsetReason::TargetSetting};
        case RecordCharsetSetting::Automatic:
            break;
    }
    const bool labelledMarc8 = iso2709.size() >= 10 && iso2709[9] == ' ';
    if (hasMarc8Escape(iso2709))
        return {MarcCharset::Marc8,
                labelledMarc8 ? CharsetReason::Leader : CharsetReason::Marc8Escapes};
    if (labelledMarc8 ? isMultiByteUtf8(iso2709) : isUtf8(iso2709))
        return {MarcCharset::Utf8, labelledMarc8 ? CharsetReason::IsUtf8 : CharsetReason::Leader};
    if (labelledMarc8 && !hasEscapeOrHighByte(iso2709))
        return {MarcCharset::Marc8, CharsetReason::Leader};
    // A point is about one letter. Latin-1 must read clearly better to win: at
    // less than half the cost.
    const std::string language = recordLanguage(iso2709);
    const size_t marc8 = readingCost(cleanIso2709(iso2709, MarcCharset::Marc8), language);
    const size_t latin1 = readingCost(cleanIso2709(iso2709, MarcCharset::Utf8Latin1), language);
    if (latin1 * 2 < marc8) {
        if (labelledMarc8) return {MarcCharset::Utf8Latin1, CharsetReason::Latin1OverMarc8};
        return {MarcCharset::Utf8Latin1, hasMultiByteSequence(iso2709)
                                             ? CharsetReason::BrokenUtf8
                                             : CharsetReason::Latin1OverUtf8};
    }
    return {MarcCharset::Marc8, labelledMarc8 ? CharsetReason::Leader : CharsetReason::NotUtf8};
}

std::string charsetChoiceText(CharsetChoice choice) {
    std::string text = marcCharsetName(choice.charset);
    switch (choice.reason) {
        case CharsetReason::Leader:
            return text + " (leader says " + text + ")";
        case CharsetReason::NotUtf8:
            return text + " (leader says UTF-8; bytes are not UTF-8)";
        case CharsetReason::IsUtf8:
            return text + " (leader says MARC-8; bytes are UTF-8)";
        case CharsetReason::Marc8Escapes:
            return text + " (leader says UTF-8; bytes hold MARC-8 escapes)";
        case CharsetReason::BrokenUtf8:
            return text + " (leader says UTF-8; bytes that are not UTF-8 read as ISO-8859-1)";
        case CharsetReason::Latin1OverUtf8:
            return "ISO-8859-1 / Windows-1252 (guessed from the bytes; leader says UTF-8)";
        case CharsetReason::Latin1OverMarc8:
            return "ISO-8859-1 / Windows-1252 (guessed from the bytes; leader says MARC-8)";
        case CharsetReason::TargetSetting:
            break;
    }
    return text + " (set for this target)";
}

uint8_t packCharsetChoice(CharsetChoice choice) {
    return static_cast<uint8_t>(0x80 | static_cast<unsigned>(choice.charset) << 3 |
                                static_cast<unsigned>(choice.reason));
}

bool unpackCharsetChoice(uint8_t packed, CharsetChoice& choice) {
    const unsigned charset = (packed >> 3) & 0x0F;
    const unsigned reason = packed & 0x07;
    if (!(packed & 0x80) || charset > static_cast<unsigned>(MarcCharset::Utf8Latin1) ||
        reason > static_cast<unsigned>(CharsetReason::Latin1OverMarc8))
        return false;
    choice = {static_cast<MarcCharset>(charset), static_cast<CharsetReason>(reason)};
    return true;
}

size_t replacementCount(std::string_view iso2709, MarcCharset charset) {
    if (!hasEscapeOrHighByte(iso2709)) return 0;
    switch (charset) {
        case MarcCharset::Marc8:
            return occurrences(cleanIso2709(iso2709, charset), kReplacement);
        case MarcCharset::Latin1:
            return 0;
        case MarcCharset::Utf8Latin1:
            return occurrences(iso2709, kReplacement);
        case MarcCharset::Utf8:
            break;
    }
    // Without decoding: each stray byte becomes one.
    size_t count = occurrences(iso2709, kReplacement);
    walkUtf8(
        iso2709, [](size_t, size_t) {}, [&count](unsigned char) { ++count; });
    return count;
}

const char* queryTermCharset(std::string_view name) {
    if (name == "MARC-8") return "marc8";
    if (name == "ISO-8859-1") return "iso-8859-1";
    return nullptr;
}
