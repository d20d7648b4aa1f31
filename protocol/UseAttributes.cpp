#include "protocol/UseAttributes.h"

#include <cstdlib>
#include <map>

namespace {

struct Token {
    size_t begin;
    size_t end;
};

// Blank-separated words; a double-quoted word (backslash escapes inside) is one.
std::vector<Token> tokens(const std::string& pqf) {
    std::vector<Token> out;
    size_t i = 0;
    while (i < pqf.size()) {
        if (pqf[i] == ' ' || pqf[i] == '\t' || pqf[i] == '\n' || pqf[i] == '\r') {
            ++i;
            continue;
        }
        const size_t begin = i;
        if (pqf[i] == '"') {
            for (++i; i < pqf.size() && pqf[i] != '"'; ++i)
                if (pqf[i] == '\\' && i + 1 < pqf.size()) ++i;
            if (i < pqf.size()) ++i;
        } else {
            while (i < pqf.size() && pqf[i] != ' ' && pqf[i] != '\t' && pqf[i] != '\n' &&
                   pqf[i] != '\r')
                ++i;
        }
        out.push_back({begin, i});
    }
    return out;
}

// The use value of an attribute word "1=N", else 0.
int useValue(const std::string& word) {
    if (word.size() < 3 || word.size() > 12 || word[0] != '1' || word[1] != '=') return 0;
    for (size_t i = 2; i < word.size(); ++i)
        if (word[i] < '0' || word[i] > '9') return 0;
    const long long value = std::atoll(word.c_str() + 2);
    return value > 2147483647LL ? 0 : static_cast<int>(value);
}

// Indexes of the attribute words (after "@attr" and an optional attribute set).
std::vector<size_t> attributeWords(const std::string& pqf, const std::vector<Token>& words) {
    std::vector<size_t> found;
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (pqf.compare(words[i].begin, words[i].end - words[i].begin, "@attr") != 0) continue;
        size_t j = i + 1;
        const std::string next = pqf.substr(words[j].begin, words[j].end - words[j].begin);
        if (next.find('=') == std::string::npos && j + 1 < words.size()) ++j;
        found.push_back(j);
        i = j;
    }
    return found;
}

}  // namespace

std::set<int> useAttributesOf(const std::string& pqf) {
    std::set<int> uses;
    const std::vector<Token> words = tokens(pqf);
    for (size_t w : attributeWords(pqf, words)) {
        if (const int use = useValue(pqf.substr(words[w].begin, words[w].end - words[w].begin)))
            uses.insert(use);
    }
    return uses;
}

std::string withUseAttribute(const std::string& pqf, int from, int to) {
    const std::vector<Token> words = tokens(pqf);
    std::string out;
    size_t copied = 0;
    for (size_t w : attributeWords(pqf, words)) {
        const Token& t = words[w];
        if (useValue(pqf.substr(t.begin, t.end - t.begin)) != from) continue;
        out.append(pqf, copied, t.begin - copied);
        out += "1=" + std::to_string(to);
        copied = t.end;
    }
    out.append(pqf, copied, std::string::npos);
    return out;
}

const std::vector<int>& commonUseAttributes() {
    static const std::vector<int> uses = {4, 1003, 21, 7, 8, 1016, 30, 1018, 9, 12, 1007};
    return uses;
}

std::string useAttributeName(int use) {
    static const std::map<int, std::string> names = {{4, "Title"},
                                                     {1003, "Author"},
                                                     {21, "Subject heading"},
                                                     {7, "ISBN"},
                                                     {8, "ISSN"},
                                                     {1016, "Any"},
                                                     {30, "Date"},
                                                     {31, "Date of publication"},
                                                     {1018, "Publisher"},
                                                     {9, "LC card number"},
                                                     {12, "Local number"},
                                                     {1007, "Identifier--standard"}};
    const auto found = names.find(use);
    return found != names.end() ? found->second : "use attribute " + std::to_string(use);
}
