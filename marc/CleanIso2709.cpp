#include "marc/CleanIso2709.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "marc/MarcReader.h"

namespace {

constexpr size_t kMaxFieldLength = 9999;
constexpr size_t kMaxRecordLength = 99999;
constexpr char kRecordTerminator = '\x1D';

bool isStructureByte(char c) {
    return c == '\0' || c == kRecordTerminator || c == kMarcFieldTerminator ||
           c == kMarcSubfieldDelimiter;
}

// Leader, tags and indicators of a UTF-8 copy: ASCII only.
bool isUnfitInHeader(char c) { return isStructureByte(c) || static_cast<unsigned char>(c) >= 0x80; }

std::string cleanValue(std::string_view bytes, MarcCharset charset) {
    std::string value = marcTextToUtf8(bytes, charset);
    for (char& c : value)
        if (isStructureByte(c)) c = ' ';
    return value;
}

// Up to the field terminator, or the whole view when there is none.
std::string_view content(const MarcField& field) {
    const std::string_view bytes = field.bytes();
    return bytes.substr(0, bytes.find(kMarcFieldTerminator));
}

class Collector : public MarcHandler {
public:
    // Without a charset, field bytes are kept as they are.
    Collector(std::optional<MarcCharset> charset, const MarcTagPatterns& drop)
        : charset_(charset), drop_(drop) {}

    std::string leader;
    std::vector<std::pair<std::string, std::string>> fields;  // tag, bytes with terminator

    void onLeader(const MarcLeader& l) override { leader.assign(l.bytes()); }

    void onControlField(std::string_view tag, const MarcField& field) override {
        if (drop_.matches(tag)) return;
        if (!charset_)
            add(tag, std::string(content(field)));
        else
            add(tag, cleanValue(content(field), *charset_));
    }

    bool onDataField(std::string_view tag, const MarcField& field) override {
        if (drop_.matches(tag)) return false;
        const std::string_view bytes = content(field);
        if (!charset_) {
            add(tag, std::string(bytes));
            return false;
        }
        const MarcCharset charset = *charset_;
        std::string out;
        for (size_t i = 0; i < 2; ++i) {
            const char c = i < bytes.size() ? bytes[i] : ' ';
            out.push_back(isUnfitInHeader(c) ? ' ' : c);
        }
        std::string_view rest = bytes.substr(std::min<size_t>(2, bytes.size()));
        // Text before the first delimiter has no code; the writers take it as one.
        size_t at = rest.find(kMarcSubfieldDelimiter);
        out += cleanValue(rest.substr(0, at), charset);
        while (at != std::string_view::npos) {
            rest = rest.substr(at + 1);
            at = rest.find(kMarcSubfieldDelimiter);
            const std::string_view subfield = rest.substr(0, at);
            if (subfield.empty()) continue;
            out.push_back(kMarcSubfieldDelimiter);
            const char code = subfield[0];
            // One byte that is a whole character in any charset.
            out.push_back(code > ' ' && code < '\x7F' ? code : '?');
            out += cleanValue(subfield.substr(1), charset);
        }
        add(tag, std::move(out));
        return false;
    }

private:
    void add(std::string_view tag, std::string value) {
        if (value.size() + 1 > kMaxFieldLength) {
            size_t cut = kMaxFieldLength - 1;
            // Cut before a UTF-8 continuation byte would split a character.
            while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
            value.resize(cut);
        }
        value.push_back(kMarcFieldTerminator);
        std::string cleanTag(tag);
        for (char& c : cleanTag)
            if (charset_ ? isUnfitInHeader(c) : isStructureByte(c)) c = ' ';
        fields.emplace_back(std::move(cleanTag), std::move(value));
    }

    std::optional<MarcCharset> charset_;
    const MarcTagPatterns& drop_;
};

void putNumber(std::string& out, size_t pos, size_t width, size_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*zu", static_cast<int>(width), value);
    out.replace(pos, width, digits, width);
}

std::string rewrite(std::string_view iso2709, std::optional<MarcCharset> charset,
                    const MarcTagPatterns& drop) {
    Collector collector(charset, drop);
    MarcReader().read(iso2709.data(), iso2709.size(), collector);
    if (collector.leader.size() < 24) return std::string();

    std::string directory;
    std::string data;
    for (const auto& [tag, value] : collector.fields) {
        const size_t total = 24 + directory.size() + 12 + 1 + data.size() + value.size() + 1;
        if (total > kMaxRecordLength) break;
        std::string entry = tag + "000000000";
        putNumber(entry, 3, 4, value.size());
        putNumber(entry, 7, 5, data.size());
        directory += entry;
        data += value;
    }
    directory.push_back(kMarcFieldTerminator);

    std::string leader = collector.leader;
    if (charset) {
        for (char& c : leader)
            if (isUnfitInHeader(c)) c = ' ';
        leader[9] = 'a';
        leader.replace(10, 2, "22");
        leader.replace(20, 4, "4500");
    }
    putNumber(leader, 0, 5, 24 + directory.size() + data.size() + 1);
    putNumber(leader, 12, 5, 24 + directory.size());
    return leader + directory + data + kRecordTerminator;
}

}  // namespace

std::string cleanIso2709(std::string_view iso2709, MarcCharset charset,
                         const MarcTagPatterns& drop) {
    return rewrite(iso2709, charset, drop);
}

std::string withoutFields(std::string_view iso2709, const MarcTagPatterns& drop) {
    return rewrite(iso2709, std::nullopt, drop);
}
