#include "marc/MarcCharsetScore.h"

#include "marc/MarcReader.h"
#include "marc/Utf8.h"

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

bool contains(std::u32string_view set, char32_t c) { return set.find(c) != set.npos; }

// Latin-1 letters that MARC-8's acute, circumflex, macron, breve and cedilla
// become when read as Latin-1, and that few languages write: "âe" weighs more than "é".
bool isLessCommonLatin1(char32_t c) { return contains(U"âãåæðýþÿÂÃÅÆÐÝÞ", c); }

// Czech and Slovak letters an é (MARC-8's caron) before a consonant makes.
bool isCaronLetter(char32_t c) { return contains(U"řŘěĚůŮňŇťŤďĎľĽĺĹŕŔ", c); }

bool writesCarons(std::string_view language) { return language == "cze" || language == "slo"; }

size_t cost(char32_t c, std::string_view language) {
    if (c < 0x80) return 0;
    if (c == 0xFFFD) return 10;
    // An accent left alone: on a letter it does not compose with, or on nothing.
    if (isCombining(c)) return 4;
    if (isCaronLetter(c)) return writesCarons(language) ? 1 : 3;
    return isLessCommonLatin1(c) ? 2 : 1;
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
    const auto add = [&](char32_t c) { total += cost(c, language); };
    walkUtf8(
        utf8, [&](size_t pos, size_t length) { add(decodeAt(utf8, pos, length)); },
        [&](unsigned char) { add(0xFFFD); });
    return total;
}
