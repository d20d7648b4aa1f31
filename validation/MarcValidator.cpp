#include "validation/MarcValidator.h"

#include <set>

namespace {

std::string quoted(std::string_view value) {
    std::string out = "'";
    for (const char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "'";
}

// The 008 material of a record, from leader/06 and /07.
const char* materialOf(std::string_view leader) {
    if (leader.size() < 8) return nullptr;
    switch (leader[6]) {
        case 'a':
            return leader[7] == 'b' || leader[7] == 'i' || leader[7] == 's' ? "Continuing Resources"
                                                                            : "Books";
        case 't':
            return "Books";
        case 'm':
            return "Computer Files";
        case 'e':
        case 'f':
            return "Maps";
        case 'c':
        case 'd':
        case 'i':
        case 'j':
            return "Music";
        case 'g':
        case 'k':
        case 'o':
        case 'r':
            return "Visual Materials";
        case 'p':
            return "Mixed Materials";
        default:
            return nullptr;
    }
}

class Checker {
public:
    Checker(const MarcSchema& schema, std::vector<MarcFinding>& findings)
        : schema_(schema), findings_(findings) {}

    void add(size_t field, const std::string& tag, MarcFindingKind kind, std::string message) {
        findings_.push_back(MarcFinding{field, tag, kind, std::move(message)});
    }

    void positions(size_t field, const std::string& tag, std::string_view value,
                   const std::vector<MarcPositionRule>& rules, MarcFindingKind kind,
                   const std::string& where) {
        for (const MarcPositionRule& rule : rules) {
            if (rule.end > value.size()) continue;
            const std::string_view at = value.substr(rule.start, rule.end - rule.start);
            if (!rule.allows(at))
                add(field, tag, kind,
                    where + "/" + rule.name + " " + quoted(at) + " is not a code of " + rule.label);
        }
    }

    void leader(const std::string& leader) {
        if (leader.size() != 24)
            add(MarcFinding::kNoField, "LDR", MarcFindingKind::Leader,
                "the leader has " + std::to_string(leader.size()) + " characters, not 24");
        if (const MarcFieldRule* rule = schema_.field("LDR"))
            positions(MarcFinding::kNoField, "LDR", leader, rule->positions,
                      MarcFindingKind::Leader, "leader");
    }

    void fixedField(size_t index, const MarcFieldData& field, const MarcFieldRule& rule,
                    const std::string& leader) {
        if (field.data.size() != 40)
            add(index, field.tag, MarcFindingKind::FixedField,
                "008 has " + std::to_string(field.data.size()) + " characters, not 40");
        positions(index, field.tag, field.data, rule.positions, MarcFindingKind::FixedField, "008");
        const char* material = materialOf(leader);
        if (!material) return;
        const auto it = rule.typePositions.find(material);
        if (it != rule.typePositions.end())
            positions(index, field.tag, field.data, it->second, MarcFindingKind::FixedField, "008");
    }

    void indicator(size_t index, const MarcFieldData& field, int which,
                   const MarcIndicatorRule& rule) {
        const char value = which == 0 ? field.indicator1 : field.indicator2;
        const MarcFindingKind kind =
            which == 0 ? MarcFindingKind::Indicator1 : MarcFindingKind::Indicator2;
        const char* name = which == 0 ? "first" : "second";
        // 880 takes the indicators of the field it stands for.
        if (field.tag == "880") return;
        if (!rule.defined) {
            if (value != ' ')
                add(index, field.tag, kind,
                    std::string(name) + " indicator " + quoted(std::string(1, value)) +
                        " is undefined and should be blank");
            return;
        }
        if (!rule.codes.allows(std::string(1, value)))
            add(index, field.tag, kind,
                std::string(name) + " indicator " + quoted(std::string(1, value)) +
                    " is not a code of " + rule.label);
    }

    void subfields(size_t index, const MarcFieldData& field, const MarcFieldRule& rule) {
        if (rule.subfields.empty()) return;
        std::set<char> seen;
        for (const auto& [code, _] : field.subfields) {
            const auto it = rule.subfields.find(code);
            if (it == rule.subfields.end()) {
                add(index, field.tag, MarcFindingKind::SubfieldUndefined,
                    "subfield " + quoted(std::string(1, code)) + " is not defined");
            } else if (!seen.insert(code).second && !it->second) {
                add(index, field.tag, MarcFindingKind::SubfieldNotRepeatable,
                    "subfield " + quoted(std::string(1, code)) + " is not repeatable");
            }
        }
    }

private:
    const MarcSchema& schema_;
    std::vector<MarcFinding>& findings_;
};

}  // namespace

bool isLocalMarcTag(std::string_view tag) {
    return tag.size() == 3 && (tag[0] == '9' || tag[1] == '9' || tag[2] == '9');
}

std::vector<MarcFinding> validateMarc(const MarcFields& record, const MarcSchema& schema) {
    std::vector<MarcFinding> findings;
    Checker check(schema, findings);
    // Authority, holdings and classification records follow other formats.
    if (record.leader.size() > 6 &&
        std::string_view("quvwxyz").find(record.leader[6]) != std::string_view::npos) {
        check.add(MarcFinding::kNoField, "LDR", MarcFindingKind::Leader,
                  "leader/06 '" + std::string(1, record.leader[6]) +
                      "' is not a bibliographic record; not checked");
        return findings;
    }
    check.leader(record.leader);
    std::set<std::string> seen;
    bool has245 = false;
    for (size_t index = 0; index < record.fields.size(); ++index) {
        const MarcFieldData& field = record.fields[index];
        has245 = has245 || field.tag == "245";
        const MarcFieldRule* rule = field.tag == "LDR" ? nullptr : schema.field(field.tag);
        if (!rule) {
            if (!isLocalMarcTag(field.tag))
                check.add(index, field.tag, MarcFindingKind::FieldUndefined,
                          "field " + quoted(field.tag) + " is not defined");
            continue;
        }
        if (!seen.insert(field.tag).second && !rule->repeatable)
            check.add(index, field.tag, MarcFindingKind::FieldNotRepeatable,
                      "field " + field.tag + " is not repeatable");
        if (field.tag == "008") check.fixedField(index, field, *rule, record.leader);
        if (field.isControl()) continue;
        check.indicator(index, field, 0, rule->indicators[0]);
        check.indicator(index, field, 1, rule->indicators[1]);
        check.subfields(index, field, *rule);
    }
    if (!has245)
        check.add(MarcFinding::kNoField, "245", MarcFindingKind::FieldMissing,
                  "field 245 (title statement) is missing");
    return findings;
}
