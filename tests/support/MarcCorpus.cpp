#include "MarcCorpus.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

#include "MarcBuilder.h"

namespace {

using Words = std::vector<const char*>;

// Vocabulary per cataloguing language. None of it may contain the known-answer
// words (lighthouse, compass, Kowalczyk): their counts are guaranteed.
struct Language {
    const char* code;         // 008/35-37
    const char* countryCode;  // 008/15-17
    Words titles;             // {A} adjective, {N} noun, {P} place, {T} topic
    Words adjectives;
    Words nouns;
    Words topics;
    Words subtitles;
    Words authors;  // "Surname, Forename"
    Words places;
    Words publishers;
};

const std::vector<Language>& languages() {
    static const std::vector<Language> all = {
        {"eng",
         "enk",
         {"{A} {N}", "The {A} {N}", "A history of {P}", "Introduction to {T}", "{N} and {N}",
          "An atlas of {P}", "Notes on {T}", "The {N} of {P}", "Understanding {T}",
          "A {A} guide to {T}"},
         {"quiet", "northern", "forgotten", "practical", "silent", "early", "modern", "hidden",
          "coastal", "lost", "distant", "open"},
         {"rivers", "harbours", "archives", "maps", "letters", "islands", "voyages", "winters",
          "gardens", "bridges", "tides", "roads"},
         {"cartography", "printing", "navigation", "bookbinding", "shipbuilding", "cataloguing",
          "tidal engineering", "oral history", "typography", "folklore"},
         {"a practical guide", "essays and studies", "a social history", "selected papers",
          "from the beginnings to the present day", "an introduction", "a reader"},
         {"Whitfield, Margaret", "Okafor, Daniel", "Brennan, Siobhán", "Castellanos, Inés",
          "Harrow, Thomas J.", "Lindqvist, Erik", "Patel, Anjali", "Moreau, Claire",
          "Fairbanks, Ruth", "O'Donnell, Séamus", "Abernethy, Claire", "Novák, Tomáš"},
         {"London", "New York", "Boston", "Edinburgh", "Oxford", "Chicago"},
         {"Harbour Press", "Fenwick & Hale", "Northlight Books", "Quayside Publishing",
          "Tideway University Press"}},
        {"ger",
         "gw ",
         {"Geschichte der {N}", "Die {A} {N}", "Einführung in die {T}", "Über {N} und {N}",
          "{P} im Wandel der Zeit"},
         {"stillen", "alten", "nördlichen", "vergessenen", "großen"},
         {"Häfen", "Brücken", "Gärten", "Straßen", "Inseln", "Bücher"},
         {"Kartographie", "Buchdruckerkunst", "Schifffahrt", "Volkskunde"},
         {"eine Einführung", "Beiträge zur Geschichte", "Studien und Quellen"},
         {"Müller, Jürgen", "Schäfer, Annelie", "Großmann, Dieter", "Köhler, Ute",
          "Weiß, Friederike"},
         {"München", "Köln", "Leipzig", "Düsseldorf"},
         {"Verlag Müller & Söhne", "Hafenverlag", "Nordlicht-Verlag"}},
        {"fre",
         "fr ",
         {"Histoire de {P}", "Les {N} {A}", "Introduction à la {T}", "La mémoire des {N}"},
         {"oubliés", "anciens", "silencieux", "lointains"},
         {"ports", "jardins", "ponts", "archives", "rivières"},
         {"cartographie", "typographie", "navigation", "reliure"},
         {"essai", "études et documents", "une histoire sociale"},
         {"Lefèvre, Hélène", "Bérard, Étienne", "Duchêne, Aurélie", "Garçon, Rémi"},
         {"Paris", "Lyon", "Besançon", "Nîmes"},
         {"Éditions du Quai", "Presses de l'Estuaire", "Librairie Sévigné"}},
        {"pol",
         "pl ",
         {"Dzieje {P}", "Wprowadzenie do {T}", "{N} i {N}", "Łódź i okolice"},
         {"dawne", "ciche", "północne"},
         {"mosty", "ogrody", "rzeki", "księgi"},
         {"kartografii", "typografii", "żeglugi"},
         {"szkice i studia", "wybór tekstów", "zarys dziejów"},
         {"Łukasiewicz, Zofia", "Wójcik, Paweł", "Szczęsny, Michał", "Żuławska, Ewa"},
         {"Kraków", "Wrocław", "Gdańsk", "Łódź"},
         {"Wydawnictwo Łąka", "Oficyna Źródło", "Wydawnictwo Morskie Brzegi"}},
        {"dan",
         "dk ",
         {"Historien om {P}", "Den {A} {N}", "Fortællinger fra {P}", "Søfart og {T}"},
         {"stille", "gamle", "nordlige", "glemte"},
         {"havn", "bro", "have", "ø"},
         {"kortlægning", "bogtryk", "sejlads"},
         {"en indføring", "studier og kilder", "erindringer"},
         {"Østergaard, Søren", "Kjær, Mette", "Bødker, Ib", "Æbelø, Karen"},
         {"København", "Århus", "Ålborg", "Næstved"},
         {"Forlaget Nordlys", "Øresund Forlag", "Bogværket Ærø"}},
        {"jpn",
         "ja ",
         {"{P}の歴史", "日本の{N}", "{T}入門", "近代{T}の研究"},
         {"静かな", "古い"},
         {"庭園", "港", "橋", "地図"},
         {"地図学", "印刷史", "航海術"},
         {"論文集", "資料と研究", "その歴史と現在"},
         {"山田, 太郎", "佐藤, 花子", "鈴木, 一郎", "高橋, 美咲"},
         {"東京", "京都", "大阪", "横浜"},
         {"青空出版", "港書房", "北光社"}},
    };
    return all;
}

const Words kCorporateAuthors = {"Nordic Council of Archivists", "Society for Coastal Studies",
                                 "Deutsche Gesellschaft für Kartenkunde",
                                 "Association des amis du livre ancien",
                                 "Towarzystwo Miłośników Książki"};

const Words kSubjects = {"Cartography", "Printing",     "Navigation", "Bookbinding",
                         "Harbors",     "Beacons",      "Libraries",  "Shipbuilding",
                         "Maps, Early", "Oral history", "Typography", "Coastal engineering",
                         "Folklore",    "Rivers",       "Bridges",    "Gardens"};
const Words kSubjectSubdivisions = {"History", "Bibliography", "Methodology", "Social aspects",
                                    "Study and teaching"};
const Words kSubjectPlaces = {"Europe", "Great Britain", "Germany", "France",
                              "Poland", "Denmark",       "Japan",   "United States"};
const Words kSubjectForms = {"Handbooks, manuals, etc.", "Maps", "Bibliography", "Congresses"};
const Words kQualifiers = {"hardback", "paperback", "pbk.", "hbk."};
const Words kNotes = {"Translated from the German.", "Originally published: 1987.",
                      "Includes index.", "Catalogue of an exhibition.",
                      "Text in English with summaries in French and German."};
const Words kSummaries = {
    "Traces the working lives of the people who kept the coast, drawing on letters, logbooks "
    "and the records of harbour boards.",
    "A survey of the printed and manuscript sources, with a chronology, a glossary of terms "
    "and a list of surviving collections.",
    "Brings together papers first read at the society's annual meetings, revised and with a "
    "new introduction by the editors.",
    "Describes methods, instruments and workshop practice from the earliest accounts to the "
    "present, with many illustrations."};
const Words kSeries = {"Studies in maritime history", "Northlight monographs",
                       "Occasional papers of the Society", "Bibliotheca cartographica"};

// mt19937 is the same everywhere; the standard distributions are not, so the
// corpus draws its choices with plain modulo.
class Dice {
public:
    explicit Dice(uint32_t seed) : engine_(seed) {}
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(engine_() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }
    const char* pick(const Words& words) { return words[below(static_cast<int>(words.size()))]; }

private:
    std::mt19937 engine_;
};

std::string fillTemplate(Dice& dice, const Language& lang, std::string text) {
    // One draw per placeholder occurrence, so "{N} and {N}" names two things.
    const std::pair<const char*, const Words*> slots[] = {{"{A}", &lang.adjectives},
                                                          {"{N}", &lang.nouns},
                                                          {"{P}", &lang.places},
                                                          {"{T}", &lang.topics}};
    for (const auto& [slot, words] : slots)
        for (size_t at = text.find(slot); at != std::string::npos; at = text.find(slot))
            text.replace(at, 3, dice.pick(*words));
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text;
}

// Leading articles the 245 second indicator tells indexers to skip.
char nonFilingCount(const std::string& title) {
    static const Words articles = {"The ", "An ", "A ",  "Die ", "Der ", "Das ",
                                   "Les ", "La ", "Le ", "L'",   "Den ", "Det "};
    for (const char* article : articles)
        if (title.rfind(article, 0) == 0) return char('0' + std::string(article).size());
    return '0';
}

char isbn10Check(const std::string& nineDigits) {
    int sum = 0;
    for (int i = 0; i < 9; ++i) sum += (10 - i) * (nineDigits[i] - '0');
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : char('0' + check);
}

char isbn13Check(const std::string& twelveDigits) {
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (i % 2 ? 3 : 1) * (twelveDigits[i] - '0');
    return char('0' + (10 - sum % 10) % 10);
}

std::string number(long value, int width) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*ld", width, value);
    return buf;
}

// A unique nine-digit ISBN body for record index: 7919 is prime to 10^8, so
// index -> body is one-to-one for every corpus we make.
std::string isbnBody(int index, uint32_t seed) {
    const long registrant = (static_cast<long>(index) * 7919L + seed * 104729L) % 100000000L;
    return std::to_string(index % 10) + number(registrant, 8);
}

std::string personForename(const std::string& author) {
    const size_t comma = author.find(", ");
    return comma == std::string::npos ? author
                                      : author.substr(comma + 2) + " " + author.substr(0, comma);
}

class RecordMaker {
public:
    RecordMaker(Dice& dice, uint32_t seed) : dice_(dice), seed_(seed) {}

    CorpusRecord make(int index) {
        CorpusRecord rec;
        const bool lighthouse = index < 400 && index % 4 == 0;
        const bool compass = index < 400 && index % 20 == 1;
        const bool kowalczyk = index < 400 && index % 40 == 2;
        const auto& all = languages();
        const int langPick = dice_.below(100);
        const Language* lang = &all[langPick < 60   ? 0
                                    : langPick < 72 ? 1
                                    : langPick < 82 ? 2
                                    : langPick < 88 ? 3
                                    : langPick < 94 ? 4
                                                    : 5];
        if (lighthouse || compass) lang = &all[0];
        if (kowalczyk) lang = &all[3];

        const int year = 1950 + dice_.below(75);
        const bool rda = year >= 2013 ? !dice_.percent(10) : dice_.percent(8);
        rec.publicationTag = rda ? 264 : 260;

        MarcBuilder out(std::string("00000nam a2200000 ") + (rda ? "i" : "a") + " 4500");
        rec.controlNumber = "qrn" + number(100000 + index, 8);
        out.control("001", rec.controlNumber);
        out.control("003", "QRN");
        out.control("005", number(2015 + dice_.below(9), 4) + number(dice_.between(1, 12), 2) +
                               number(dice_.between(1, 28), 2) + number(dice_.below(24), 2) +
                               number(dice_.below(60), 2) + number(dice_.below(60), 2) + ".0");
        out.control("008", field008(*lang, year));

        addIsbns(out, rec, index, year);
        out.data("035", "  ",
                 {{'a', "(QRN)" + number(7000000L + index * 37L + dice_.below(37), 9)}});
        MarcSubfields source = {{'a', "QRN"}, {'b', "eng"}};
        if (rda) source.push_back({'e', "rda"});
        source.push_back({'c', "QRN"});
        out.data("040", "  ", source);
        out.data("050", " 4",
                 {{'a', std::string(1, char('A' + dice_.below(26))) + "Z" +
                            std::to_string(dice_.between(1, 999))},
                  {'b', "." + std::string(1, char('A' + dice_.below(26))) +
                            std::to_string(dice_.between(10, 99)) + " " + std::to_string(year)}});
        out.data("082", "04",
                 {{'a', number(dice_.below(1000), 3) + "." + std::to_string(dice_.between(1, 999))},
                  {'2', "23"}});

        const std::string author = mainEntry(out, rec, *lang, year, kowalczyk, rda);
        addTitle(out, rec, *lang, lighthouse, compass, author);
        if (dice_.percent(20)) {
            static const Words editions = {"2nd", "3rd", "4th", "Revised"};
            out.data("250", "  ",
                     {{'a', std::string(dice_.pick(editions)) + (rda ? " edition." : " ed.")}});
        }
        addPublication(out, rec, *lang, year, rda);
        addDescription(out, rda);
        addNotesAndSubjects(out, rda);
        addAddedEntries(out, rec, *lang);
        rec.iso2709 = out.build();
        return rec;
    }

private:
    std::string field008(const Language& lang, int year) {
        std::string f = number((year + dice_.below(3)) % 100, 2) + number(dice_.between(1, 12), 2) +
                        number(dice_.between(1, 28), 2) + "s" + std::to_string(year) + "    " +
                        lang.countryCode + (dice_.percent(40) ? "a   " : "    ") + "  " +
                        (dice_.percent(50) ? "b   " : "    ") + " 00" +
                        (dice_.percent(50) ? "1" : "0") + " " + (dice_.percent(15) ? "1" : "0") +
                        " " + lang.code + " d";
        return f;
    }

    void addIsbns(MarcBuilder& out, CorpusRecord& rec, int index, int year) {
        if (year < 1970 || dice_.percent(4)) return;  // before ISBNs, or never given one
        const std::string body = isbnBody(index, seed_);
        const char* qualifier = dice_.pick(kQualifiers);
        auto add = [&](const std::string& isbn) {
            rec.isbns.push_back(isbn);
            out.data("020", "  ", {{'a', isbn}, {'q', qualifier}});
        };
        if (year < 2007) {
            add(body + isbn10Check(body));
        } else if (dice_.percent(10)) {
            const std::string twelve = "979" + body;  // no ISBN-10 exists for 979
            add(twelve + isbn13Check(twelve));
        } else {
            const std::string twelve = "978" + body;
            add(twelve + isbn13Check(twelve));
            if (dice_.percent(50)) add(body + isbn10Check(body));
        }
    }

    std::string mainEntry(MarcBuilder& out, CorpusRecord& rec, const Language& lang, int year,
                          bool kowalczyk, bool rda) {
        const int kind = kowalczyk ? 0 : dice_.below(100);
        if (kind < 78) {
            const std::string name = kowalczyk ? "Kowalczyk, Agnieszka" : dice_.pick(lang.authors);
            MarcSubfields sub;
            if (kowalczyk || dice_.percent(80)) {
                const int born = year - dice_.between(25, 70);
                const int died = born + dice_.between(55, 95);
                const std::string life =
                    std::to_string(born) + "-" + (died < 2024 ? std::to_string(died) : "");
                sub = {{'a', name + ","}, {'d', life + (rda ? "," : "")}};
            } else {
                sub = {{'a', name + (rda ? "," : ".")}};
            }
            if (rda) sub.push_back({'e', "author."});
            rec.authorTag = 100;
            rec.authorA = sub.front().second;
            out.data("100", "1 ", sub);
            return personForename(name);
        }
        if (kind < 88) {
            const std::string body = dice_.pick(kCorporateAuthors);
            rec.authorTag = 110;
            rec.authorA = body + ".";
            out.data("110", "2 ", {{'a', rec.authorA}});
            return body;
        }
        return "";
    }

    void addTitle(MarcBuilder& out, CorpusRecord& rec, const Language& lang, bool lighthouse,
                  bool compass, const std::string& author) {
        static const Words lighthouseTitles = {"The lighthouse at {P}", "Lighthouse {N}",
                                               "Beyond the lighthouse", "The {A} lighthouse"};
        static const Words compassTitles = {"The compass of {T}", "A {A} compass",
                                            "Compass and {N}"};
        std::string title = fillTemplate(dice_, lang,
                                         lighthouse ? dice_.pick(lighthouseTitles)
                                         : compass  ? dice_.pick(compassTitles)
                                                    : dice_.pick(lang.titles));
        const bool subtitle = dice_.percent(55);
        const bool responsibility = !author.empty() && dice_.percent(85);
        MarcSubfields sub;
        const char* endA = subtitle ? " :" : responsibility ? " /" : ".";
        sub.push_back({'a', title + endA});
        rec.titleA = sub.back().second;
        if (subtitle) {
            rec.titleB = std::string(dice_.pick(lang.subtitles)) + (responsibility ? " /" : ".");
            sub.push_back({'b', rec.titleB});
        }
        if (responsibility) sub.push_back({'c', "by " + author + "."});
        out.data("245", std::string{rec.authorTag ? '1' : '0', nonFilingCount(title)}, sub);
    }

    void addPublication(MarcBuilder& out, CorpusRecord& rec, const Language& lang, int year,
                        bool rda) {
        const std::string place = std::string(dice_.pick(lang.places)) + " :";
        const std::string publisher = std::string(dice_.pick(lang.publishers)) + ",";
        if (rda) {
            rec.dateC = dice_.percent(30) ? "[" + std::to_string(year) + "]" : std::to_string(year);
            out.data("264", " 1", {{'a', place}, {'b', publisher}, {'c', rec.dateC}});
            if (dice_.percent(40)) out.data("264", " 4", {{'c', "©" + std::to_string(year)}});
        } else {
            rec.dateC = (dice_.percent(15) ? "c" : "") + std::to_string(year) + ".";
            out.data("260", "  ", {{'a', place}, {'b', publisher}, {'c', rec.dateC}});
        }
    }

    void addDescription(MarcBuilder& out, bool rda) {
        const std::string pages = std::to_string(dice_.between(48, 720));
        const std::string front = dice_.percent(60) ? "xii, " : "";
        const std::string height = std::to_string(dice_.between(18, 31)) + " cm";
        if (rda) {
            out.data(
                "300", "  ",
                {{'a', front + pages + " pages :"}, {'b', "illustrations, maps ;"}, {'c', height}});
            out.data("336", "  ", {{'a', "text"}, {'b', "txt"}, {'2', "rdacontent"}});
            out.data("337", "  ", {{'a', "unmediated"}, {'b', "n"}, {'2', "rdamedia"}});
            out.data("338", "  ", {{'a', "volume"}, {'b', "nc"}, {'2', "rdacarrier"}});
        } else {
            out.data("300", "  ",
                     {{'a', front + pages + " p. :"}, {'b', "ill. ;"}, {'c', height + "."}});
        }
    }

    void addNotesAndSubjects(MarcBuilder& out, bool rda) {
        series_ = dice_.percent(20) ? dice_.pick(kSeries) : "";
        seriesNumber_ = std::to_string(dice_.between(1, 40));
        if (!series_.empty()) out.data("490", "1 ", {{'a', series_ + " ;"}, {'v', seriesNumber_}});
        if (dice_.percent(25)) out.data("500", "  ", {{'a', dice_.pick(kNotes)}});
        if (dice_.percent(55)) {
            const int from = dice_.between(180, 400);
            out.data("504", "  ",
                     {{'a', "Includes bibliographical references (" +
                                std::string(rda ? "pages " : "p. ") + std::to_string(from) + "-" +
                                std::to_string(from + dice_.between(4, 30)) + ") and index."}});
        }
        if (dice_.percent(35)) out.data("520", "  ", {{'a', dice_.pick(kSummaries)}});
        const int subjects = dice_.between(1, 3);
        for (int s = 0; s < subjects; ++s) {
            MarcSubfields sub = {{'a', dice_.pick(kSubjects)}};
            if (dice_.percent(60)) sub.push_back({'x', dice_.pick(kSubjectSubdivisions)});
            if (dice_.percent(40)) sub.push_back({'z', dice_.pick(kSubjectPlaces)});
            if (dice_.percent(25)) sub.push_back({'v', dice_.pick(kSubjectForms)});
            if (sub.back().second.back() != '.') sub.back().second += ".";
            out.data("650", " 0", sub);
        }
    }

    void addAddedEntries(MarcBuilder& out, const CorpusRecord& rec, const Language& lang) {
        const int people = dice_.below(3);
        for (int p = 0; p < people; ++p) {
            const std::string name = dice_.pick(lang.authors);
            if (rec.authorA.rfind(name, 0) == 0) continue;  // already the main entry
            MarcSubfields sub = {{'a', name + ","}};
            sub.push_back({'e', dice_.percent(50) ? "editor." : "translator."});
            out.data("700", "1 ", sub);
        }
        if (dice_.percent(10))
            out.data("710", "2 ", {{'a', std::string(dice_.pick(kCorporateAuthors)) + "."}});
        if (!series_.empty())
            out.data("830", " 0", {{'a', series_ + " ;"}, {'v', seriesNumber_ + "."}});
    }

    Dice& dice_;
    uint32_t seed_;
    std::string series_;
    std::string seriesNumber_;
};

}  // namespace

MarcCorpus::MarcCorpus(int count, uint32_t seed) {
    Dice dice(seed);
    RecordMaker maker(dice, seed);
    for (int i = 0; i < count; ++i) records_.push_back(maker.make(i));
}

std::string MarcCorpus::iso2709() const {
    std::string all;
    for (const auto& rec : records_) all += rec.iso2709;
    return all;
}

std::string generateCorpus(int count, uint32_t seed) { return MarcCorpus(count, seed).iso2709(); }

void writeCorpusFile(const std::string& path, int count, uint32_t seed) {
    const std::string bytes = generateCorpus(count, seed);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path);
}

const MarcCorpus& demoCorpus() {
    static const MarcCorpus demo(MarcCorpus::kDemoCount, MarcCorpus::kDemoSeed);
    return demo;
}
