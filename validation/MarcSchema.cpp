#include "validation/MarcSchema.h"

#include <nlohmann/json.hpp>

using Json = nlohmann::json;

// Generated from the MARC 21 schema at build time.
extern const char* const kShippedMarcSchemaJson;

namespace {

std::string stringAt(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

bool boolAt(const Json& object, const char* key, bool fallback) {
    const auto it = object.find(key);
    return it != object.end() && it->is_boolean() ? it->get<bool>() : fallback;
}

MarcCodeList codesOf(const Json& object) {
    MarcCodeList list;
    const auto it = object.find("codes");
    if (it == object.end() || !it->is_object()) return list;
    for (const auto& [code, _] : it->items()) list.codes.push_back(code);
    return list;
}

std::vector<MarcPositionRule> positionsOf(const Json& object) {
    std::vector<MarcPositionRule> rules;
    const auto it = object.find("positions");
    if (it == object.end() || !it->is_object()) return rules;
    for (const auto& [name, position] : it->items()) {
        if (!position.is_object()) continue;
        const auto start = position.find("start");
        const auto end = position.find("end");
        if (start == position.end() || end == position.end() || !start->is_number_unsigned() ||
            !end->is_number_unsigned())
            continue;
        MarcPositionRule rule;
        rule.start = start->get<size_t>();
        rule.end = end->get<size_t>();
        if (rule.end <= rule.start || rule.end > 99999) continue;
        rule.name = name;
        rule.label = stringAt(position, "label");
        rule.codes = codesOf(position);
        rule.repeatableContent = boolAt(position, "repeatableContent", false);
        rules.push_back(std::move(rule));
    }
    return rules;
}

MarcIndicatorRule indicatorOf(const Json& field, const char* key) {
    MarcIndicatorRule rule;
    const auto it = field.find(key);
    if (it == field.end() || !it->is_object()) return rule;
    rule.defined = true;
    rule.label = stringAt(*it, "label");
    rule.codes = codesOf(*it);
    return rule;
}

MarcFieldRule fieldRuleOf(const Json& field) {
    MarcFieldRule rule;
    rule.label = stringAt(field, "label");
    rule.repeatable = boolAt(field, "repeatable", true);
    rule.indicators[0] = indicatorOf(field, "indicator1");
    rule.indicators[1] = indicatorOf(field, "indicator2");
    const auto subfields = field.find("subfields");
    if (subfields != field.end() && subfields->is_object()) {
        for (const auto& [code, subfield] : subfields->items()) {
            if (code.size() != 1 || !subfield.is_object()) continue;
            rule.subfields[code[0]] = boolAt(subfield, "repeatable", true);
        }
    }
    rule.positions = positionsOf(field);
    const auto types = field.find("types");
    if (types != field.end() && types->is_object()) {
        for (const auto& [type, positions] : types->items()) {
            if (!positions.is_object()) continue;
            if (type == "All Materials")
                rule.positions = positionsOf(positions);
            else
                rule.typePositions[type] = positionsOf(positions);
        }
    }
    return rule;
}

bool inRange(std::string_view value, std::string_view code) {
    const size_t n = value.size();
    if (code.size() != 2 * n + 1 || code[n] != '-') return false;
    return code.substr(0, n) <= value && value <= code.substr(n + 1);
}

}  // namespace

bool MarcCodeList::allows(std::string_view value) const {
    for (const std::string& code : codes)
        if (code == value || inRange(value, code)) return true;
    return false;
}

bool MarcPositionRule::allows(std::string_view value) const {
    if (codes.codes.empty() || codes.allows(value)) return true;
    if (!repeatableContent) return false;
    for (size_t i = 0; i < value.size(); ++i)
        if (!codes.allows(value.substr(i, 1))) return false;
    return true;
}

const MarcFieldRule* MarcSchema::field(const std::string& tag) const {
    const auto it = fields.find(tag);
    return it == fields.end() ? nullptr : &it->second;
}

std::optional<MarcSchema> parseMarcSchema(std::string_view json) {
    const Json document = Json::parse(json.begin(), json.end(), nullptr, false);
    if (document.is_discarded() || !document.is_object()) return std::nullopt;
    const auto fields = document.find("fields");
    if (fields == document.end() || !fields->is_object()) return std::nullopt;
    MarcSchema schema;
    for (const auto& [tag, field] : fields->items())
        if (field.is_object()) schema.fields[tag] = fieldRuleOf(field);
    return schema;
}

const MarcSchema& shippedMarcSchema() {
    static const MarcSchema schema = parseMarcSchema(kShippedMarcSchemaJson).value_or(MarcSchema());
    return schema;
}
