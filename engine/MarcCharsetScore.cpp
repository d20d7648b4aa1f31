#include "engine/MarcCharsetScore.h"

#include "engine/MarcReader.h"
#include "engine/Utf8.h"

namespace {

char32_t decodeAt(std::string_view text, size_t pos, size_t length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    switch (length) {
        case 1:
            return byte(0);
        case 2:
            return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
        case 3:
            return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
        default:
            return (byte(0) & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 |
                   (byte(3) & 0x3Fu);
    }
}

bool isCombining(char32_t c) { return (c >= 0x300 && c <= 0x36F) || (c >= 0xFE20 && c <= 0xFE2F); }

bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isLetter(char32_t c) {
    if (c < 0x80) return isAsciiLetter(c);
    if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;
    if (c >= 0x2B9 && c <= 0x2BC) return true;  // the romanizations' prime, ayn and alif
    return (c >= 0x370 && c <= 0x1FFF && !isCombining(c)) || (c >= 0x3040 && c <= 0xD7FF);
}

bool isUpperLatin1(char32_t c) { return c >= 0xC0 && c <= 0xDE && c != 0xD7; }
bool isLowerLatin1(char32_t c) { return c >= 0xDF && c <= 0xFF && c != 0xF7; }

bool contains(std::u32string_view set, char32_t c) { return set.find(c) != set.npos; }

// Latin-1 letters that MARC-8's acute, circumflex, macron, breve and cedilla
// become when read as Latin-1, and that few languages write: "âe" loses to "é".
bool isLessCommonLatin1(char32_t c) { return contains(U"âãåæðýþÿÂÃÅÆÐÝÞ", c); }

// Czech and Slovak letters an é (MARC-8's caron) before a consonant makes.
bool isCaronLetter(char32_t c) { return contains(U"řŘěĚůŮňŇťŤďĎľĽĺĹŕŔ", c); }

bool writesCarons(std::string_view language) { return language == "cze" || language == "slo"; }

// Letters an accent put on the wrong base makes, which hardly any catalogue
// language writes: Esperanto's, Latin Extended-B's most.
bool isRareLetter(char32_t c) {
    if (contains(U"ĈĉĜĝĤĥĴĵŜŝĿŀŴŵŶŷŉ", c)) return true;
    constexpr std::u32string_view commonB = U"ƠơƯưǍǎǏǐǑǒǓǔǦǧȘșȚț";
    return c >= 0x180 && c <= 0x24F && !contains(commonB, c);
}

// Marks that never compose and that romanizations put on letters all the same.
bool isSpanningMark(char32_t c) {
    return (c >= 0x360 && c <= 0x362) || (c >= 0xFE20 && c <= 0xFE23);
}

size_t cost(char32_t c, char32_t before, char32_t after, std::string_view language) {
    if (c < 0x80) return 0;
    if (c == 0xFFFD) return 10;
    if (c < 0xA0) return c == 0x98 || c == 0x9C ? 0 : 10;  // the non-sorting markers are fine
    if (isCombining(c)) {
        if (!isLetter(before)) return 6;
        return isSpanningMark(c) ? 1 : 4;
    }
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) {
        if (c == 0xAB || c == 0xBB) return 1;  // guillemets
        return isLetter(before) || isLetter(after) ? 4 : 2;
    }
    if (c <= 0xFF) {
        size_t total = isLessCommonLatin1(c) ? 2 : 1;
        // A case change inside a word: MARC-8's sharp s or an accent before a capital.
        if (isUpperLatin1(c) && before >= 'a' && before <= 'z') total += 2;
        if (isLowerLatin1(c) && after >= 'A' && after <= 'Z') total += 2;
        if (c == 0xDF && !isLetter(before)) total += 2;
        return total;
    }
    if (isCaronLetter(c)) return writesCarons(language) ? 1 : 3;
    if (isRareLetter(c)) return 3;
    if (isLetter(c)) return 1;
    if ((c >= 0x2010 && c <= 0x2027) || c == 0x20AC) return 1;  // dashes, quotes, euro
    return 3;
}

}  // namespace

std::string recordLanguage(std::string_view iso2709) {
    struct Language : MarcHandler {
        std::string code;
        void onControlField(std::string_view tag, const MarcField& field) override {
            const std::string text = field.text(0);
            if (tag == "008" && code.empty() && text.size() >= 38) code = text.substr(35, 3);
        }
        bool onDataField(std::string_view, const MarcField&) override { return false; }
    } language;
    MarcReader().read(iso2709.data(), iso2709.size(), language);
    return language.code;
}

size_t readingCost(std::string_view utf8, std::string_view language) {
    size_t total = 0;
    char32_t before = ' ';
    char32_t current = 0;
    bool have = false;
    const auto step = [&](char32_t next) {
        if (have) total += cost(current, before, next, language);
        if (have) before = current;
        current = next;
        have = true;
    };
    walkUtf8(
        utf8, [&](size_t pos, size_t length) { step(decodeAt(utf8, pos, length)); },
        [&](unsigned char) { step(0xFFFD); });
    step(' ');
    return total;
}
