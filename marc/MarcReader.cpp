#include "marc/MarcReader.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr size_t kEntrySize = 12;

// readMarcNumber for a run known to lie inside the record: the directory is
// read for every record, so this stays inline.
template <int width>
int entryNumber(const char* p) {
    // No early exit, so the loop unrolls into straight code.
    unsigned value = 0;
    bool digits = true;
    for (int i = 0; i < width; ++i) {
        const unsigned digit = static_cast<unsigned char>(p[i]) - '0';
        digits &= digit <= 9;
        value = value * 10 + digit;
    }
    return digits ? static_cast<int>(value) : -1;
}

// Subfields are short: a plain scan beats calling memchr for each.
void reportSubfields(std::string_view field, MarcHandler& handler) {
    const char* p = field.data();
    const char* const end = p + field.size();
    while (p < end && *p != kMarcSubfieldDelimiter) ++p;
    while (p < end) {
        if (end - p < 2) break;  // a delimiter with no code after it
        const char* content = p + 2;
        const char* q = content;
        while (q < end && *q != kMarcSubfieldDelimiter && *q != kMarcFieldTerminator) ++q;
        handler.onSubfield(p[1], std::string_view(content, static_cast<size_t>(q - content)));
        p = q;
        while (p < end && *p != kMarcSubfieldDelimiter) ++p;
    }
}

}  // namespace

bool MarcReader::read(const char* data, size_t length, MarcHandler& handler) const {
    const std::string_view record(data, length);
    const MarcLeader leader(record);
    handler.onLeader(leader);

    const int base = leader.baseAddress();
    if (base - 1 > MarcLeader::leaderLength()) {
        const size_t entries = static_cast<size_t>(base - 26) / kEntrySize + 1;
        for (size_t i = 0; i < entries; ++i) {
            const size_t entry = MarcLeader::leaderLength() + kEntrySize * i;
            if (entry + kEntrySize > length) break;
            const int fieldLength = entryNumber<4>(data + entry + 3);
            const int fieldStart = entryNumber<5>(data + entry + 7);
            if (fieldLength < 0 || fieldStart < 0) continue;
            const size_t begin = static_cast<size_t>(base) + static_cast<size_t>(fieldStart);
            if (begin >= length) continue;

            const std::string_view tag = record.substr(entry, 3);
            const MarcField field(
                tag, record.substr(begin, std::min<size_t>(fieldLength, length - begin)));
            if (tag[0] == '0' && tag[1] == '0') {
                handler.onControlField(tag, field);
            } else if (handler.onDataField(tag, field)) {
                reportSubfields(field.bytes(), handler);
                handler.onDataFieldEnd();
            }
        }
    }
    handler.onRecordEnd();
    return true;
}
