#include "Iso2709Builder.h"

#include <cstdio>
#include <stdexcept>

namespace {

const char kSubfieldDelimiter = '\x1f';
const char kFieldTerminator = '\x1e';
const char kRecordTerminator = '\x1d';

std::string digits(size_t value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*zu", width, value);
    return buf;
}

}  // namespace

Iso2709Builder::Iso2709Builder(std::string leader) : leader_(std::move(leader)) {
    leader_.resize(24, ' ');
}

void Iso2709Builder::addControlField(const std::string& tag, const std::string& data) {
    fields_.emplace_back(tag, data + kFieldTerminator);
}

void Iso2709Builder::addDataField(const std::string& tag, char ind1, char ind2,
                                  const Subfields& subfields) {
    std::string data{ind1, ind2};
    for (const auto& [code, value] : subfields) {
        data += kSubfieldDelimiter;
        data += code;
        data += value;
    }
    fields_.emplace_back(tag, data + kFieldTerminator);
}

std::string Iso2709Builder::iso2709() const {
    std::string directory;
    std::string data;
    for (const auto& [tag, field] : fields_) {
        if (field.size() > 9999 || data.size() > 99999)
            throw std::length_error("field too long for ISO 2709: " + tag);
        directory += tag.substr(0, 3) + digits(field.size(), 4) + digits(data.size(), 5);
        data += field;
    }
    directory += kFieldTerminator;
    const size_t base = 24 + directory.size();
    const size_t length = base + data.size() + 1;
    if (length > 99999) throw std::length_error("record too long for ISO 2709");
    std::string leader = leader_;
    leader.replace(0, 5, digits(length, 5));
    leader.replace(12, 5, digits(base, 5));
    return leader + directory + data + kRecordTerminator;
}
