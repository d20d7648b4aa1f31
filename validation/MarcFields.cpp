#include "validation/MarcFields.h"

#include <algorithm>
#include <cstdio>

#include "marc/MarcReader.h"

namespace {

class FieldCollector : public MarcHandler {
public:
    MarcFields record;

    void onLeader(const MarcLeader& leader) override {
        record.leader = std::string(leader.bytes());
    }
    void onControlField(std::string_view tag, const MarcField& field) override {
        MarcFieldData data;
        data.tag = std::string(tag);
        const std::string_view bytes = field.bytes();
        data.data = std::string(bytes.substr(0, bytes.find(kMarcFieldTerminator)));
        record.fields.push_back(std::move(data));
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        MarcFieldData data;
        data.tag = std::string(tag);
        const std::string_view bytes = field.bytes();
        if (bytes.size() > 0 && !isEnd(bytes[0])) data.indicator1 = bytes[0];
        if (bytes.size() > 1 && !isEnd(bytes[0]) && !isEnd(bytes[1])) data.indicator2 = bytes[1];
        record.fields.push_back(std::move(data));
        return true;
    }
    void onSubfield(char code, std::string_view content) override {
        record.fields.back().subfields.emplace_back(code, std::string(content));
    }

private:
    static bool isEnd(char c) { return c == kMarcFieldTerminator || c == kMarcSubfieldDelimiter; }
};

void putNumber(std::string& out, size_t at, size_t width, size_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*zu", static_cast<int>(width), value);
    out.replace(at, width, digits);
}

std::string fieldBytes(const MarcFieldData& field) {
    std::string bytes;
    if (field.isControl()) {
        bytes = field.data;
    } else {
        bytes += field.indicator1;
        bytes += field.indicator2;
        for (const auto& [code, value] : field.subfields) {
            bytes += kMarcSubfieldDelimiter;
            bytes += code;
            bytes += value;
        }
    }
    if (bytes.size() > 9998) bytes.resize(9998);
    return bytes + kMarcFieldTerminator;
}

}  // namespace

bool operator==(const MarcFieldData& a, const MarcFieldData& b) {
    return a.tag == b.tag && a.data == b.data && a.indicator1 == b.indicator1 &&
           a.indicator2 == b.indicator2 && a.subfields == b.subfields;
}

bool MarcFields::operator==(const MarcFields& other) const {
    return leader == other.leader && fields == other.fields;
}

MarcFields marcFieldsFromIso2709(std::string_view iso2709) {
    FieldCollector collector;
    MarcReader().read(iso2709.data(), iso2709.size(), collector);
    return std::move(collector.record);
}

std::string marcFieldsToIso2709(const MarcFields& record) {
    std::string directory, data;
    for (const MarcFieldData& field : record.fields) {
        const std::string bytes = fieldBytes(field);
        // Past five digits of record length the directory cannot point.
        if (24 + directory.size() + 12 + 1 + data.size() + bytes.size() + 1 > 99999) break;
        std::string entry = (field.tag + "   ").substr(0, 3) + "000000000";
        putNumber(entry, 3, 4, bytes.size());
        putNumber(entry, 7, 5, data.size());
        directory += entry;
        data += bytes;
    }
    std::string leader = (record.leader + std::string(24, ' ')).substr(0, 24);
    leader.replace(10, 2, "22");
    leader.replace(20, 4, "4500");
    const size_t base = 24 + directory.size() + 1;
    putNumber(leader, 12, 5, base);
    putNumber(leader, 0, 5, base + data.size() + 1);
    return leader + directory + kMarcFieldTerminator + data + '\x1D';
}
