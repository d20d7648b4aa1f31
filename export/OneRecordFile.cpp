#include "export/OneRecordFile.h"

#include <algorithm>

#include "records/Record.h"
#include "export/MarcExportForm.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";
constexpr size_t kMaxNameBytes = 40;

bool isWordByte(unsigned char c) {
    // Bytes of non-ASCII UTF-8 characters are kept whole, which keeps letters
    // such as "è"; the replacement character itself is dropped below.
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80;
}

std::string wordsJoined(std::string text) {
    for (size_t at; (at = text.find(kReplacement)) != std::string::npos;)
        text.replace(at, kReplacement.size(), " ");
    std::string name;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !isWordByte(static_cast<unsigned char>(text[i]))) ++i;
        size_t end = i;
        while (end < text.size() && isWordByte(static_cast<unsigned char>(text[end]))) ++end;
        if (end == i) break;
        const std::string word = text.substr(i, end - i);
        if (!name.empty() && name.size() + 1 + word.size() > kMaxNameBytes) break;
        if (!name.empty()) name += '-';
        name += word.substr(0, kMaxNameBytes);
        i = end;
    }
    // A cut may not split a UTF-8 character.
    size_t lead = name.size();
    while (lead > 0 && (static_cast<unsigned char>(name[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead > 0 && static_cast<unsigned char>(name[lead - 1]) >= 0xC0) {
        const unsigned char c = static_cast<unsigned char>(name[lead - 1]);
        const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        if (name.size() - (lead - 1) < length) name.resize(lead - 1);
    }
    return name;
}

// The MARC text lines of the record: "=245  10$a...".
std::vector<std::string> marcTextLines(const Record& record) {
    const std::string text = exportMarcText(record, {});
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string suggestedFileName(const Record& record) {
    std::string name = wordsJoined(record.title);
    if (!name.empty()) return name;
    if (record.kind == Marc)
        for (const std::string& line : marcTextLines(record))
            if (line.compare(0, 4, "=001") == 0) name = wordsJoined(line.substr(4));
    return name.empty() ? "record" : name;
}

std::vector<std::string> fieldsWithReplacements(const Record& record) {
    std::vector<std::string> tags;
    if (record.kind != Marc) return tags;
    for (const std::string& line : marcTextLines(record)) {
        if (line.size() < 4 || line[0] != '=' || line.find(kReplacement) == std::string::npos)
            continue;
        const std::string tag = line.substr(1, 3);
        if (std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(tag);
    }
    return tags;
}

std::string replacementWarning(const std::vector<std::string>& tags) {
    std::string list;
    for (size_t i = 0; i < tags.size(); ++i) {
        if (i > 0) list += i + 1 == tags.size() ? " and " : ", ";
        list += tags[i];
    }
    const bool one = tags.size() == 1;
    return std::string(one ? "Field " : "Fields ") + list + (one ? " holds" : " hold") +
           " replacement characters (\xEF\xBF\xBD) where the server sent characters that could "
           "not be read; the file would keep them. The target's Character Sets may name "
           "the right one. Save the record anyway?";
}
