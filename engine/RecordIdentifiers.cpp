#include "engine/RecordIdentifiers.h"

#include <algorithm>

#include "engine/MarcReader.h"
#include "engine/StandardNumber.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\t') out.push_back(c);
    return out;
}

void addKey(std::vector<std::string>& keys, const char* kind, const std::string& value) {
    if (value.empty()) return;
    std::string key = std::string(kind) + ":" + value;
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(std::move(key));
}

}  // namespace

bool RecordIdentifierReader::onDataField(std::string_view tag, const MarcField& field) {
    tag_ = tag;
    const std::string_view bytes = field.bytes();
    if (tag == "245") {
        title_.clear();
        nonfiling_ = bytes.size() > 1 && isDigit(bytes[1]) ? bytes[1] - '0' : 0;
        firstTitlePart_ = true;
        return true;
    }
    if (tag == "260") {
        const std::string_view c = field.subfield('c');
        if (!c.empty()) {
            date_.assign(c);
            dateFrom260_ = true;
        }
        return false;
    }
    if (tag == "264") {
        if (!publication264Seen_ && bytes.size() > 1 && bytes[1] == '1') {
            publication264Seen_ = true;
            publication264_.assign(field.subfield('c'));
        }
        return false;
    }
    if (tag == "250") {
        if (edition_.empty()) edition_ = titleNormalForm(field.subfield('a'));
        return false;
    }
    if (tag == "100" || tag == "110" || tag == "111") {
        if (surname_.empty()) {
            std::string_view name = field.subfield('a');
            if (tag == "100") name = name.substr(0, name.find(','));
            surname_ = titleNormalForm(name);
        }
        return false;
    }
    return tag == "010" || tag == "020" || tag == "022" || tag == "035";
}

void RecordIdentifierReader::onSubfield(char code, std::string_view content) {
    if (tag_ == "245") {
        if (code != 'a' && code != 'b' && code != 'n' && code != 'p') return;
        if (!title_.empty()) title_.push_back(' ');
        // Only $a opens with the article the indicator counts.
        title_ += titleNormalForm(content, firstTitlePart_ && code == 'a' ? nonfiling_ : 0);
        firstTitlePart_ = false;
        return;
    }
    if (code != 'a') return;
    if (tag_ == "020")
        addKey(result.keys, "isbn", isbn13FromCatalogued(std::string(content)));
    else if (tag_ == "035")
        addKey(result.keys, "oclc", oclcNormalForm(content));
    else if (tag_ == "010")
        addKey(result.keys, "lccn", lccnNormalForm(content));
    else if (tag_ == "022")
        addKey(result.keys, "issn", issnNormalForm(content));
}

void RecordIdentifierReader::onRecordEnd() {
    if (title_.empty()) return;
    std::string date;
    for (char c : dateFrom260_ ? date_ : publication264_)
        if (isDigit(c)) date.push_back(c);
    result.workKey = "work:" + title_ + "/" + surname_ + "/" + date + "/" + edition_;
}

std::string oclcNormalForm(std::string_view subfield) {
    const std::string text = withoutBlanks(subfield);
    constexpr std::string_view kPrefix = "(OCoLC)";
    if (text.compare(0, kPrefix.size(), kPrefix) != 0) return {};
    std::string_view rest = std::string_view(text).substr(kPrefix.size());
    for (std::string_view letters : {"ocm", "ocn", "on"})
        if (rest.substr(0, letters.size()) == letters) {
            rest.remove_prefix(letters.size());
            break;
        }
    size_t digits = 0;
    while (digits < rest.size() && isDigit(rest[digits])) ++digits;
    rest = rest.substr(0, digits);
    while (rest.size() > 1 && rest.front() == '0') rest.remove_prefix(1);
    return rest == "0" ? std::string() : std::string(rest);
}

std::string lccnNormalForm(std::string_view subfield) {
    std::string text = withoutBlanks(subfield);
    text = text.substr(0, text.find('/'));
    const size_t hyphen = text.find('-');
    if (hyphen != std::string::npos) {
        std::string serial = text.substr(hyphen + 1);
        if (serial.size() < 6) serial.insert(0, 6 - serial.size(), '0');
        text = text.substr(0, hyphen) + serial;
    }
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (!isDigit(c) && !(c >= 'a' && c <= 'z')) return {};
    }
    return std::any_of(text.begin(), text.end(), isDigit) ? text : std::string();
}

std::string issnNormalForm(std::string_view subfield) {
    size_t end = 0;
    while (end < subfield.size() &&
           (isDigit(subfield[end]) || subfield[end] == '-' || subfield[end] == ' ' ||
            subfield[end] == 'X' || subfield[end] == 'x'))
        ++end;
    const std::string cleaned = cleanStandardNumber(std::string(subfield.substr(0, end)));
    return standardNumberForm(cleaned) == StandardNumberKind::Issn ? cleaned : std::string();
}

std::string titleNormalForm(std::string_view text, int nonfiling) {
    if (nonfiling > 0)
        text.remove_prefix(std::min<size_t>(static_cast<size_t>(nonfiling), text.size()));
    std::string out;
    out.reserve(text.size());
    bool blank = false;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        const bool word = u >= 0x80 || isDigit(c) || (c >= 'a' && c <= 'z');
        if (!word) {
            blank = !out.empty();
            continue;
        }
        if (blank) out.push_back(' ');
        blank = false;
        out.push_back(c);
    }
    return out;
}

RecordIdentifiers recordIdentifiers(std::string_view iso2709) {
    RecordIdentifierReader reader;
    MarcReader().read(iso2709.data(), iso2709.size(), reader);
    return std::move(reader.result);
}
