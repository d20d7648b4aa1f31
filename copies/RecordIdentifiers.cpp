#include "copies/RecordIdentifiers.h"

#include <algorithm>
#include <cstring>

#include "marc/MarcReader.h"
#include "marc/StandardNumber.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// More than one book's bindings and formats: a list of other books.
constexpr size_t kMaxIsbns = 8;

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool isWordByte(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x80 || isDigit(c) || (lowered(c) >= 'a' && lowered(c) <= 'z');
}

// What a qualifier or part number says of the volume: the designation after a
// volume word ("v. 1", "Vol. 2-3", "Bd. 4") lower-cased; with bare, a text
// without such a word is a designation as a whole. set tells a set's number.
std::string volumeDesignation(std::string_view text, bool bare, bool* set = nullptr) {
    // Not "no": "(no index)" is more common in a qualifier than "(no. 3)".
    static constexpr std::string_view kWords[] = {"v",    "vol", "vols", "volume", "volumes", "t",
                                                  "tome", "bd",  "band", "pt",     "part"};
    // Words are lowered into a room on the stack: this runs for every 020.
    char word[8];
    for (size_t at = 0; at < text.size();) {
        if (!isWordByte(text[at])) {
            ++at;
            continue;
        }
        size_t length = 0;
        for (; at < text.size() && isWordByte(text[at]); ++at, ++length)
            if (length < sizeof word) word[length] = lowered(text[at]);
        if (length > sizeof word) continue;
        const std::string_view lowerWord(word, length);
        if (set && lowerWord == "set") *set = true;
        if (std::find(std::begin(kWords), std::end(kWords), lowerWord) == std::end(kWords))
            continue;
        size_t from = at;
        while (from < text.size() && (text[from] == ' ' || text[from] == '.')) ++from;
        std::string designation;
        for (; from < text.size() && (isWordByte(text[from]) || text[from] == '-'); ++from)
            designation.push_back(lowered(text[from]));
        if (!designation.empty()) return designation;
    }
    std::string whole;
    if (bare)
        for (char c : text)
            if (isWordByte(c)) whole.push_back(lowered(c));
    return whole;
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\t') out.push_back(c);
    return out;
}

// Hands use the text without blanks and tabs, copying it only when it has any.
template <typename Use>
auto withBlanksDropped(std::string_view text, Use use) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; }))
        return use(text);
    const std::string dropped = withoutBlanks(text);
    return use(std::string_view(dropped));
}

// The OCLC number in a 035 $a without blanks; empty when there is none.
std::string_view oclcNumber(std::string_view text) {
    constexpr std::string_view kPrefix = "(OCoLC)";
    if (text.substr(0, kPrefix.size()) != kPrefix) return {};
    std::string_view rest = text.substr(kPrefix.size());
    for (std::string_view letters : {"ocm", "ocn", "on"})
        if (rest.substr(0, letters.size()) == letters) {
            rest.remove_prefix(letters.size());
            break;
        }
    size_t digits = 0;
    while (digits < rest.size() && isDigit(rest[digits])) ++digits;
    rest = rest.substr(0, digits);
    while (rest.size() > 1 && rest.front() == '0') rest.remove_prefix(1);
    return rest == "0" ? std::string_view() : rest;
}

// Per byte: the lower-case letter, digit or byte of a multibyte character it
// stands for in a title's normal form, 0 for punctuation and blanks.
struct TitleBytes {
    char normal[256];
    constexpr TitleBytes() : normal() {
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            normal[b] = b >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ? c
                        : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a')
                                               : '\0';
        }
    }
};
constexpr TitleBytes kTitleBytes;

// titleNormalForm appended to out. It is never longer than the text, so it is
// written to a room that long first: on the stack for the usual short text.
void appendTitleNormalForm(std::string& out, std::string_view text, int nonfiling = 0) {
    const size_t cut = static_cast<size_t>(std::max(nonfiling, 0));
    if (cut > 0 && cut < text.size() && !(isWordByte(text[cut - 1]) && isWordByte(text[cut])))
        text.remove_prefix(cut);
    char room[256];
    std::string longRoom;
    if (text.size() > sizeof room) longRoom.resize(text.size());
    char* const begin = longRoom.empty() ? room : &longRoom[0];
    char* at = begin;
    bool blank = false;
    for (const char c : text) {
        const char normal = kTitleBytes.normal[static_cast<unsigned char>(c)];
        if (normal == '\0') {
            blank = at != begin;
            continue;
        }
        if (blank) *at++ = ' ';
        blank = false;
        *at++ = normal;
    }
    out.append(begin, static_cast<size_t>(at - begin));
}

}  // namespace

void RecordIdentifierReader::reset() {
    tag_ = -1;
    keyText_.clear();
    keyEnds_.clear();
    workKey_.clear();
    title_.clear();
    surname_.clear();
    date_.clear();
    publication264_.clear();
    edition_.clear();
    titleProperEnd_ = 0;
    isbnSeen_ = isbnOfSet_ = numbersDropped_ = false;
    isbns_ = 0;
    fieldVolume_.clear();
    qualifierVolumes_.clear();
    partVolume_.clear();
    volume_.clear();
    nonfiling_ = 0;
    firstTitlePart_ = true;
    dateFrom260_ = publication264Seen_ = false;
}

std::string_view RecordIdentifierReader::key(size_t i) const {
    const size_t begin = i == 0 ? 0 : keyEnds_[i - 1];
    return std::string_view(keyText_).substr(begin, keyEnds_[i] - begin);
}

RecordIdentifiers RecordIdentifierReader::result() const {
    RecordIdentifiers ids;
    for (size_t i = 0; i < keyCount(); ++i) ids.keys.emplace_back(key(i));
    ids.workKey = workKey_;
    return ids;
}

template <typename Append>
void RecordIdentifierReader::addKey(std::string_view kind, Append append) {
    const size_t start = keyText_.size();
    keyText_.append(kind).push_back(':');
    const size_t value = keyText_.size();
    append(keyText_);
    const std::string_view added = std::string_view(keyText_).substr(start);
    bool known = keyText_.size() == value;
    for (size_t i = 0; i < keyCount() && !known; ++i) known = key(i) == added;
    if (known)
        keyText_.resize(start);
    else
        keyEnds_.push_back(keyText_.size());
}

bool RecordIdentifierReader::onDataField(std::string_view tag, const MarcField& field) {
    return onDataField(marcTagNumber(tag), field);
}

bool RecordIdentifierReader::onWorkField(const MarcField& field) {
    const std::string_view bytes = field.bytes();
    switch (tag_) {
        case 245:
            title_.clear();
            nonfiling_ = bytes.size() > 1 && isDigit(bytes[1]) ? bytes[1] - '0' : 0;
            firstTitlePart_ = true;
            titleProperEnd_ = 0;
            return true;
        case 260: {
            const std::string_view c = field.subfield('c');
            if (!c.empty()) {
                date_.assign(c);
                dateFrom260_ = true;
            }
            return false;
        }
        case 264:
            if (!publication264Seen_ && bytes.size() > 1 && bytes[1] == '1') {
                publication264Seen_ = true;
                publication264_.assign(field.subfield('c'));
            }
            return false;
        case 250:
            if (edition_.empty()) appendTitleNormalForm(edition_, field.subfield('a'));
            return false;
        case 100:
        case 110:
        case 111:
            if (surname_.empty()) {
                std::string_view name = field.subfield('a');
                if (tag_ == 100) name = name.substr(0, name.find(','));
                appendTitleNormalForm(surname_, name);
            }
            return false;
        default:
            return false;
    }
}

void RecordIdentifierReader::onSubfield(char code, std::string_view content) {
    if (tag_ == 245) {
        if (code != 'a' && code != 'b' && code != 'n' && code != 'p') return;
        if (!title_.empty()) title_.push_back(' ');
        // Only $a opens with the article the indicator counts.
        const bool proper = firstTitlePart_ && code == 'a';
        appendTitleNormalForm(title_, content, proper ? nonfiling_ : 0);
        if (proper) titleProperEnd_ = title_.size();
        if (code == 'n' && partVolume_.empty()) partVolume_ = volumeDesignation(content, true);
        firstTitlePart_ = false;
        return;
    }
    if (tag_ == 20 && (code == 'a' || code == 'q')) {
        // "1111111111 (v. 1)", "0000000000 (set)", or the same in $q.
        if (code == 'a') {
            isbnSeen_ = isbn13FromCatalogued(content, isbn_);
            content.remove_prefix(
                std::min(content.size(), content.find_first_not_of("0123456789Xx- ")));
        }
        if (content.empty()) return;
        const std::string volume = volumeDesignation(content, false, &isbnOfSet_);
        if (fieldVolume_.empty()) fieldVolume_ = volume;
        return;
    }
    if (code != 'a') return;
    switch (tag_) {
        case 35:
            addKey("oclc", [content](std::string& out) {
                withBlanksDropped(content, [&out](std::string_view t) { out += oclcNumber(t); });
            });
            break;
        case 10:
            addKey("lccn", [content](std::string& out) { out += lccnNormalForm(content); });
            break;
        case 22:
            addKey("issn", [content](std::string& out) { out += issnNormalForm(content); });
            break;
        default:
            break;
    }
}

void RecordIdentifierReader::onDataFieldEnd() {
    if (tag_ != 20 || !isbnSeen_) return;
    if (isbnOfSet_) {
        numbersDropped_ = true;
        return;
    }
    const size_t before = keyCount();
    addKey("isbn", [this](std::string& out) { out.append(isbn_, sizeof isbn_); });
    isbns_ += keyCount() - before;
    if (!fieldVolume_.empty() &&
        ("," + qualifierVolumes_ + ",").find("," + fieldVolume_ + ",") == std::string::npos)
        qualifierVolumes_ += (qualifierVolumes_.empty() ? "" : ",") + fieldVolume_;
}

void RecordIdentifierReader::dropIsbnKeys() {
    std::string kept;
    std::vector<size_t> ends;
    for (size_t i = 0; i < keyCount(); ++i) {
        if (key(i).substr(0, 5) == "isbn:") continue;
        kept.append(key(i));
        ends.push_back(kept.size());
    }
    keyText_.swap(kept);
    keyEnds_.swap(ends);
    numbersDropped_ = true;
}

void RecordIdentifierReader::onRecordEnd() {
    if (isbns_ > kMaxIsbns) dropIsbnKeys();
    // A record of several volumes is none of them.
    volume_ = partVolume_.empty() ? qualifierVolumes_ : partVolume_;
    if (title_.empty()) return;
    const std::string& date = dateFrom260_ ? date_ : publication264_;
    // Sized once and written in place: this runs for every record.
    workKey_.resize(5 + title_.size() + 1 + surname_.size() + 1 + date.size() + 1 +
                    edition_.size());
    char* at = &workKey_[0];
    const auto put = [&at](std::string_view text) {
        std::memcpy(at, text.data(), text.size());
        at += text.size();
    };
    put("work:");
    put(title_);
    put("/");
    put(surname_);
    put("/");
    for (char c : date)
        if (isDigit(c)) *at++ = c;
    put("/");
    put(edition_);
    workKey_.resize(static_cast<size_t>(at - workKey_.data()));
}

std::string oclcNormalForm(std::string_view subfield) {
    return withBlanksDropped(subfield,
                             [](std::string_view text) { return std::string(oclcNumber(text)); });
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
    std::string out;
    appendTitleNormalForm(out, text, nonfiling);
    return out;
}

RecordIdentifiers recordIdentifiers(std::string_view iso2709) {
    RecordIdentifierReader reader;
    MarcReader().read(iso2709.data(), iso2709.size(), reader);
    return reader.result();
}
