// Automatic reading of records whose leader may name the wrong charset, with
// real titles in each encoding a catalogue sends.
#include <gtest/gtest.h>
#include <utf8proc.h>
#include <yaz/yaz-iconv.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MarcBuilder.h"
#include "records/BriefMarcHandler.h"
#include "marc/MarcCharsetChoice.h"

namespace {

// The toolkit's MARC-8 encoder takes letters and their accents apart only.
std::string decomposed(const std::string& utf8) {
    utf8proc_uint8_t* nfd = utf8proc_NFD(reinterpret_cast<const utf8proc_uint8_t*>(utf8.c_str()));
    std::string out(reinterpret_cast<const char*>(nfd));
    std::free(nfd);
    return out;
}

std::string convert(const std::string& text, const char* to) {
    const std::string utf8 = std::string(to) == "marc8" ? decomposed(text) : text;
    yaz_iconv_t cd = yaz_iconv_open(to, "utf-8");
    if (!cd) return {};
    std::string out;
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char buffer[1024];
    char* outPos = buffer;
    size_t outLeft = sizeof buffer;
    const size_t done = yaz_iconv(cd, &in, &inLeft, &outPos, &outLeft);
    yaz_iconv(cd, nullptr, nullptr, &outPos, &outLeft);
    yaz_iconv_close(cd);
    if (done == static_cast<size_t>(-1)) return {};
    return std::string(buffer, static_cast<size_t>(outPos - buffer));
}

struct Title {
    const char* author;
    const char* title;
    const char* language;  // 008/35-37
};

// Titles as catalogues hold them, in UTF-8 (NFC).
const Title kWestern[] = {
    {"Jeunet, Jean-Pierre", "Le fabuleux destin d'Amélie Poulain", "fre"},
    {"Jeunet, Jean-Pierre", "Amélie Poulain", "fre"},
    {"Bocuse, Paul", "Crème brûlée", "fre"},
    {"García Márquez, Gabriel", "Señor Muñoz", "spa"},
    {"Hugo, Victor", "Les Misérables", "fre"},
    {"Böll, Heinrich", "Ansichten eines Clowns", "ger"},
    {"Eça de Queirós, José Maria", "Os Maias", "por"},
    {"Laxness, Halldór", "Sjálfstætt fólk", "ice"},
    {"Ibáñez, Vicente Blasco", "La catedral", "spa"},
    {"Puccini, Giacomo", "La bohème", "ita"},
};

// Titles Latin-1 cannot hold.
const Title kMarc8Only[] = {
    {"Dvořák, Antonín", "Slovanské tance", "cze"},
    {"Čapek, Karel", "Válka s mloky", "cze"},
    {"Čapek, Karel", "Povětroň", "cze"},
    {"T͡Svetaeva, Marina", "Lebedinyĭ stan", "rus"},
    {"Wałęsa, Lech", "Droga nadziei", "pol"},
    {"Ibn Hishām, ʻAbd al-Malik", "al-Sīrah al-nabawīyah", "ara"},
    {"Ozu, Yasujirō", "Tōkyō monogatari", "jpn"},
    {"Chaĭkovskiĭ, Petr Ilʹich", "Shchelkunchik", "rus"},
    {"Havel, Václav", "Moc bezmocných", "cze"},
};

std::string record(char position9, const Title& t, const std::string& author,
                   const std::string& title) {
    std::string leader = "00000nam a2200000 a 4500";
    leader[9] = position9;
    return MarcBuilder(leader)
        .control("001", "x1")
        .control("008", std::string("990101s1999    xx            000 0 ") + t.language + " d")
        .data("100", "1 ", {{'a', author}})
        .data("245", "10", {{'a', title}})
        .build();
}

std::string inEncoding(char position9, const Title& t, const char* encoding) {
    return record(position9, t, convert(t.author, encoding), convert(t.title, encoding));
}

void expectReadAs(const std::string& iso2709, const Title& t, CharsetReason reason) {
    const CharsetChoice choice = chooseMarcCharset(iso2709, RecordCharsetSetting::Automatic);
    const BriefMarcHandler brief = briefMarcFields(iso2709, choice.charset);
    EXPECT_EQ(brief.title, t.title);
    EXPECT_EQ(brief.author, t.author);
    EXPECT_EQ(choice.reason, reason) << charsetChoiceText(choice);
    // Stored and read back, the choice is the same.
    CharsetChoice back;
    ASSERT_TRUE(unpackCharsetChoice(packCharsetChoice(choice), back));
    EXPECT_EQ(back.reason, choice.reason);
}

}  // namespace

TEST(CharsetGuessTest, Marc8AndUtf8ReadRightWhenLabelledSoAndMarc8LabelledUtf8) {
    std::vector<Title> titles(std::begin(kWestern), std::end(kWestern));
    titles.insert(titles.end(), std::begin(kMarc8Only), std::end(kMarc8Only));
    for (const Title& t : titles) {
        SCOPED_TRACE(t.title);
        expectReadAs(inEncoding(' ', t, "marc8"), t, CharsetReason::Leader);
        expectReadAs(record('a', t, t.author, t.title), t, CharsetReason::Leader);
        expectReadAs(inEncoding('a', t, "marc8"), t, CharsetReason::NotUtf8);
    }
}

TEST(CharsetGuessTest, Latin1ReadsAsLatin1WhateverTheLabel) {
    for (const Title& t : kWestern) {
        SCOPED_TRACE(t.title);
        expectReadAs(inEncoding('a', t, "iso-8859-1"), t, CharsetReason::Latin1OverUtf8);
        expectReadAs(inEncoding(' ', t, "iso-8859-1"), t, CharsetReason::Latin1OverMarc8);
    }
    // Windows-1252's quotes, which Latin-1 leaves to controls.
    const Title camus{"Camus, Albert", "L’Étranger", "fre"};
    expectReadAs(inEncoding('a', camus, "windows-1252"), camus, CharsetReason::Latin1OverUtf8);
    const CharsetChoice choice =
        chooseMarcCharset(inEncoding(' ', camus, "windows-1252"), RecordCharsetSetting::Automatic);
    EXPECT_EQ(charsetChoiceText(choice),
              "ISO-8859-1 / Windows-1252 (guessed from the bytes; leader says MARC-8)");
}
