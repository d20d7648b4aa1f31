#include "MarcBuilder.h"

#include <cstdio>
#include <stdexcept>

namespace {

std::string digits(size_t value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*zu", width, value);
    return buffer;
}

}  // namespace

std::string marcBytes(const std::string& readable) {
    std::string bytes = readable;
    for (char& c : bytes) {
        if (c == '$') c = '\x1F';
        if (c == '#') c = '\x1E';
        if (c == '%') c = '\x1D';
    }
    return bytes;
}

MarcBuilder::MarcBuilder(std::string leader) : leader_(std::move(leader)) {
    leader_.resize(24, ' ');
}

MarcBuilder& MarcBuilder::control(const std::string& tag, const std::string& value) {
    return raw(tag, value + '\x1E');
}

MarcBuilder& MarcBuilder::data(const std::string& tag, const std::string& indicators,
                               const MarcSubfields& subfields) {
    std::string bytes = indicators;
    for (const auto& [code, value] : subfields) {
        bytes += '\x1F';
        bytes += code;
        bytes += value;
    }
    return raw(tag, bytes + '\x1E');
}

MarcBuilder& MarcBuilder::raw(const std::string& tag, const std::string& bytes) {
    fields_.emplace_back(tag, bytes);
    return *this;
}

std::string MarcBuilder::build() const {
    std::string directory, data;
    for (const auto& [tag, bytes] : fields_) {
        // Five- and four-digit lengths cannot describe more; a wrong record is worse than none.
        if (bytes.size() > 9999 || data.size() > 99999)
            throw std::length_error("field too long for ISO 2709: " + tag);
        directory += tag.substr(0, 3) + digits(bytes.size(), 4) + digits(data.size(), 5);
        data += bytes;
    }
    directory += '\x1E';
    const size_t base = leader_.size() + directory.size();
    std::string record = leader_ + directory + data + '\x1D';
    if (record.size() > 99999) throw std::length_error("record too long for ISO 2709");
    record.replace(0, 5, digits(record.size(), 5));
    record.replace(12, 5, digits(base, 5));
    return record;
}
