// Assembles ISO 2709 records from tags, indicators and subfields, for tests and
// benchmarks that need records of a known shape and for the corpus generator.
#pragma once

#include <string>
#include <utility>
#include <vector>

// Field bytes written readably: '$' stands for the subfield delimiter 0x1F, '#'
// for the field terminator 0x1E and '%' for the record terminator 0x1D.
std::string marcBytes(const std::string& readable);

using MarcSubfields = std::vector<std::pair<char, std::string>>;

class MarcBuilder {
public:
    // leader: 24 bytes; the record length and base address are filled in by build().
    explicit MarcBuilder(std::string leader = "00000nam a2200000 a 4500");

    // A control field: value then the field terminator.
    MarcBuilder& control(const std::string& tag, const std::string& value);
    // A data field: indicators, each subfield as delimiter, code, value, then the terminator.
    MarcBuilder& data(const std::string& tag, const std::string& indicators,
                      const MarcSubfields& subfields);
    // A field of exactly these bytes (no terminator added), for malformed content.
    MarcBuilder& raw(const std::string& tag, const std::string& bytes);

    // Leader, directory in the order the fields were added, 0x1E, fields, 0x1D.
    // Throws std::length_error when a length does not fit its digits.
    std::string build() const;

private:
    std::string leader_;
    std::vector<std::pair<std::string, std::string>> fields_;
};
