#include "query/Bib1Attributes.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lowered(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trimBlanks(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

const std::vector<Bib1List>& bib1Lists() {
    // There is no Use entry for 1029.
    static const std::vector<Bib1List> lists = {
        {1,
         "Use:",
         true,
         {"Personal name: @attr 1=1",
          "Corporate name: @attr 1=2",
          "Conference name: @attr 1=3",
          "Title: @attr 1=4",
          "Title series: @attr 1=5",
          "Title uniform: @attr 1=6",
          "ISBN: @attr 1=7",
          "ISSN: @attr 1=8",
          "LC card number: @attr 1=9",
          "BNB card no.: @attr 1=10",
          "BGF number: @attr 1=11",
          "Local number: @attr 1=12",
          "Dewey classification: @attr 1=13",
          "UDC classification: @attr 1=14",
          "Bliss classification: @attr 1=15",
          "LC call number: @attr 1=16",
          "NLM call number: @attr 1=17",
          "NAL call number: @attr 1=18",
          "MOS call number: @attr 1=19",
          "Local classification: @attr 1=20",
          "Subject heading: @attr 1=21",
          "Subject Rameau: @attr 1=22",
          "BDI index subject: @attr 1=23",
          "INSPEC subject: @attr 1=24",
          "MESH subject: @attr 1=25",
          "PA subject: @attr 1=26",
          "LC subject heading: @attr 1=27",
          "RVM subject heading: @attr 1=28",
          "Local subject index: @attr 1=29",
          "Date: @attr 1=30",
          "Date of publication: @attr 1=31",
          "Date of acquisition: @attr 1=32",
          "Title key: @attr 1=33",
          "Title collective: @attr 1=34",
          "Title parallel: @attr 1=35",
          "Title cover: @attr 1=36",
          "Title added title page: @attr 1=37",
          "Title caption: @attr 1=38",
          "Title running: @attr 1=39",
          "Title spine: @attr 1=40",
          "Title other variant: @attr 1=41",
          "Title former: @attr 1=42",
          "Title abbreviated: @attr 1=43",
          "Title expanded: @attr 1=44",
          "Subject precis: @attr 1=45",
          "Subject rswk: @attr 1=46",
          "Subject subdivision: @attr 1=47",
          "No. nat'l biblio.: @attr 1=48",
          "No. legal deposit: @attr 1=49",
          "No. govt pub.: @attr 1=50",
          "No. music publisher: @attr 1=51",
          "Number db: @attr 1=52",
          "Number local call: @attr 1=53",
          "Code--language: @attr 1=54",
          "Code--geographic area: @attr 1=55",
          "Code--institution: @attr 1=56",
          "Name and title *: @attr 1=57",
          "Name geographic: @attr 1=58",
          "Place publication: @attr 1=59",
          "CODEN: @attr 1=60",
          "Microform generation: @attr 1=61",
          "Abstract: @attr 1=62",
          "Note: @attr 1=63",
          "Author-title: @attr 1=1000",
          "Record type: @attr 1=1001",
          "Name: @attr 1=1002",
          "Author: @attr 1=1003",
          "Author-name personal: @attr 1=1004",
          "Author-name corporate: @attr 1=1005",
          "Author-name conference: @attr 1=1006",
          "Identifier--standard: @attr 1=1007",
          "Subject--LC children's: @attr 1=1008",
          "Subject name -- personal: @attr 1=1009",
          "Body of text: @attr 1=1010",
          "Date/time added to db: @attr 1=1011",
          "Date/time last modified: @attr 1=1012",
          "Authority/format id: @attr 1=1013",
          "Concept-text: @attr 1=1014",
          "Concept-reference: @attr 1=1015",
          "Any: @attr 1=1016",
          "Server-choice: @attr 1=1017",
          "Publisher: @attr 1=1018",
          "Record-source: @attr 1=1019",
          "Editor: @attr 1=1020",
          "Bib-level: @attr 1=1021",
          "Geographic-class: @attr 1=1022",
          "Indexed-by: @attr 1=1023",
          "Map-scale: @attr 1=1024",
          "Music-key: @attr 1=1025",
          "Related-periodical: @attr 1=1026",
          "Report-number: @attr 1=1027",
          "Stock-number: @attr 1=1028",
          "Thematic-number: @attr 1=1030",
          "Material-type: @attr 1=1031",
          "Doc-id: @attr 1=1032",
          "Host-item: @attr 1=1033",
          "Content-type: @attr 1=1034",
          "Anywhere: @attr 1=1035",
          "Author-Title-Subject: @attr 1=1036"}},
        {2,
         "Relation:",
         true,
         {"less than: @attr 2=1", "less than or equal: @attr 2=2", "equal: @attr 2=3",
          "greater or equal: @attr 2=4", "greater than: @attr 2=5", "not equal: @attr 2=6",
          "phonetic: @attr 2=100", "stem: @attr 2=101", "relevance: @attr 2=102",
          "AlwaysMatches: @attr 2=103"}},
        {3,
         "Position:",
         false,
         {"first in field: @attr 3=1", "first in subfield: @attr 3=2",
          "any position in field: @attr 3=3"}},
        {4,
         "Structure:",
         true,
         {"phrase: @attr 4=1", "word: @attr 4=2", "key: @attr 4=3", "year: @attr 4=4",
          "date (normalized): @attr 4=5", "word list: @attr 4=6",
          "date (un-normalized): @attr 4=100", "name (normalized): @attr 4=101",
          "name (un-normalized): @attr 4=102", "structure: @attr 4=103", "urx: @attr 4=104",
          "free-form-text: @attr 4=105", "document-text: @attr 4=106", "local number: @attr 4=107",
          "string: @attr 4=108", "numeric string: @attr 4=109"}},
        {5,
         "Truncation:",
         true,
         {"right Truncation: @attr 5=1", "left Truncation: @attr 5=2", "left and right: @attr 5=3",
          "do not truncate: @attr 5=100", "process # in search term: @attr 5=101",
          "regExpr-1: @attr 5=102", "regExpr-2: @attr 5=103"}},
        {6,
         "Completeness:",
         true,
         {"incomplete subfield: @attr 6=1", "complete subfield: @attr 6=2",
          "complete field: @attr 6=3"}},
    };
    return lists;
}

const Bib1List& bib1List(int type) { return bib1Lists().at(static_cast<size_t>(type - 1)); }

std::vector<std::string> bib1DisplayEntries(const Bib1List& list) {
    std::vector<std::string> shown = list.entries;
    if (list.sorted)
        std::stable_sort(
            shown.begin(), shown.end(),
            [](const std::string& a, const std::string& b) { return lowered(a) < lowered(b); });
    shown.insert(shown.begin(), std::string());
    return shown;
}

std::string bib1AttributeString(const std::vector<std::string>& chosenByType) {
    std::string pqf;
    for (const std::string& text : chosenByType) {
        const size_t colon = text.find(':');
        if (colon == std::string::npos || colon == 0) continue;
        pqf += trimBlanks(text.substr(colon + 1)) + " ";
    }
    return pqf;
}
