// The MARC 21 bibliographic rules the validator checks against, as the Avram
// schema (marc-schema.json) states them: which fields and subfields may
// repeat, the codes of indicators, leader and 008 positions.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Codes as the schema writes them: "a", "  ", or a range such as "1-9".
struct MarcCodeList {
    std::vector<std::string> codes;

    // Pure. Whether value is one of the codes or lies in one of the ranges
    // (a range's ends as long as value).
    bool allows(std::string_view value) const;
};

struct MarcPositionRule {
    size_t start = 0;
    size_t end = 0;     // one past the last position
    std::string name;   // "18-21"
    std::string label;  // "Illustrations"
    MarcCodeList codes;
    // Each character is a code of its own (up to four illustrations...).
    bool repeatableContent = false;

    // Pure. Whether the value at these positions is allowed; true when the
    // schema lists no codes.
    bool allows(std::string_view value) const;
};

struct MarcIndicatorRule {
    // An undefined indicator is a blank.
    bool defined = false;
    std::string label;
    MarcCodeList codes;
};

struct MarcFieldRule {
    std::string label;
    bool repeatable = true;
    MarcIndicatorRule indicators[2];
    // Subfield code to whether it may repeat; empty when the schema lists none.
    std::map<char, bool> subfields;
    std::vector<MarcPositionRule> positions;
    // 008's positions by material ("Books", "Music"...), besides "All Materials".
    std::map<std::string, std::vector<MarcPositionRule>> typePositions;
};

struct MarcSchema {
    // "LDR", "001", "245"...
    std::map<std::string, MarcFieldRule> fields;

    const MarcFieldRule* field(const std::string& tag) const;
};

// Pure; any thread. The rules in an Avram schema document; nothing when it is
// not JSON or has no "fields" object. Parts of another shape are skipped.
std::optional<MarcSchema> parseMarcSchema(std::string_view json);

// Any thread. The schema built into the program, parsed on first use.
const MarcSchema& shippedMarcSchema();
