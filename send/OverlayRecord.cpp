#include "send/OverlayRecord.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "marc/MarcReader.h"

namespace {

std::string trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string();
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Up to the field terminator.
std::string_view content(const MarcField& field) {
    const std::string_view bytes = field.bytes();
    return bytes.substr(0, bytes.find(kMarcFieldTerminator));
}

struct Fields : MarcHandler {
    std::string leader;
    std::vector<std::pair<std::string, std::string>> fields;  // tag, content

    void onLeader(const MarcLeader& l) override { leader.assign(l.bytes()); }
    void onControlField(std::string_view tag, const MarcField& field) override {
        fields.emplace_back(std::string(tag), std::string(content(field)));
    }
    bool onDataField(std::string_view tag, const MarcField& field) override {
        fields.emplace_back(std::string(tag), std::string(content(field)));
        return false;
    }

    const std::string* find(std::string_view tag) const {
        for (const auto& [t, value] : fields)
            if (t == tag) return &value;
        return nullptr;
    }
};

void putNumber(std::string& out, size_t pos, int width, size_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*zu", width, value);
    out.replace(pos, size_t(width), digits, size_t(width));
}

std::string assemble(std::string leader, const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string directory, data;
    for (const auto& [tag, value] : fields) {
        // Lengths and starts that do not fit their digits would corrupt the record.
        if (value.size() + 1 > 9999 || data.size() > 99999) return std::string();
        std::string entry = tag + "000000000";
        putNumber(entry, 3, 4, value.size() + 1);
        putNumber(entry, 7, 5, data.size());
        directory += entry;
        data += value;
        data.push_back(kMarcFieldTerminator);
    }
    directory.push_back(kMarcFieldTerminator);
    if (24 + directory.size() + data.size() + 1 > 99999) return std::string();
    putNumber(leader, 0, 5, 24 + directory.size() + data.size() + 1);
    putNumber(leader, 12, 5, 24 + directory.size());
    return leader + directory + data + '\x1D';
}

}  // namespace

std::string controlNumber(std::string_view iso2709) {
    Fields record;
    MarcReader().read(iso2709.data(), iso2709.size(), record);
    const std::string* number = record.find("001");
    return number ? trimmed(*number) : std::string();
}

std::string overlayRecord(std::string_view incoming, const std::string& catalogueNumber) {
    Fields record;
    MarcReader().read(incoming.data(), incoming.size(), record);
    if (record.leader.size() < 24) return std::string();
    const std::string* own = record.find("001");
    const std::string* org = record.find("003");
    std::string origin;
    if (own && !trimmed(*own).empty())
        origin = (org && !trimmed(*org).empty() ? "(" + trimmed(*org) + ")" : "") + trimmed(*own);
    const std::string field035 = std::string("  ") + kMarcSubfieldDelimiter + "a" + origin;

    std::vector<std::pair<std::string, std::string>> out;
    out.emplace_back("001", catalogueNumber);
    bool originKept = origin.empty();
    for (const auto& field : record.fields) {
        if (field.first == "001" || field.first == "003") continue;
        if (field.first == "035" && field.second.size() >= 2 &&
            field.second.compare(2, std::string::npos, field035, 2) == 0)
            originKept = true;
        // The origin goes in tag order, before the first field after 035.
        if (!originKept && field.first > "035") {
            out.emplace_back("035", field035);
            originKept = true;
        }
        out.push_back(field);
    }
    if (!originKept) out.emplace_back("035", field035);
    return assemble(record.leader, out);
}
