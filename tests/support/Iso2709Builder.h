// Builds one ISO 2709 record field by field; the directory, the base address and
// the lengths are worked out when the record is written. Tests use it to craft
// records, the corpus generator to make them in bulk.
#pragma once

#include <string>
#include <utility>
#include <vector>

class Iso2709Builder {
public:
    using Subfields = std::vector<std::pair<char, std::string>>;

    // leader: 24 characters; positions 0-4 and 12-16 are filled in by iso2709().
    explicit Iso2709Builder(std::string leader);

    // Fields are written in the order they are added; tags are three characters.
    void addControlField(const std::string& tag, const std::string& data);
    void addDataField(const std::string& tag, char ind1, char ind2, const Subfields& subfields);

    // The record: leader, directory, fields, record terminator. Lengths count bytes.
    std::string iso2709() const;

private:
    std::string leader_;
    std::vector<std::pair<std::string, std::string>> fields_;  // tag, data with terminator
};
