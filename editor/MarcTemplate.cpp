#include "editor/MarcTemplate.h"

#include <algorithm>

#include "editor/MarcText.h"

namespace {

std::string trimmed(const std::string& text) {
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return std::string();
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

std::vector<MarcFieldData>::iterator findTag(std::vector<MarcFieldData>& fields,
                                             const std::string& tag) {
    return std::find_if(fields.begin(), fields.end(),
                        [&](const MarcFieldData& f) { return f.tag == tag; });
}

void insertInTagOrder(std::vector<MarcFieldData>& fields, MarcFieldData field) {
    auto at = fields.end();
    while (at != fields.begin() && std::prev(at)->tag > field.tag) --at;
    fields.insert(at, std::move(field));
}

void dropFields(MarcFields& record, const MarcTagPatterns& drops,
                std::vector<std::string>& changes) {
    if (drops.empty()) return;
    auto& fields = record.fields;
    const auto kept =
        std::stable_partition(fields.begin(), fields.end(),
                              [&](const MarcFieldData& f) { return !drops.matches(f.tag); });
    for (auto it = kept; it != fields.end(); ++it) changes.push_back("dropped " + it->tag);
    fields.erase(kept, fields.end());
}

void moveControlNumber(MarcFields& record, std::vector<std::string>& changes) {
    auto& fields = record.fields;
    const auto number = findTag(fields, "001");
    if (number == fields.end()) return;
    std::string value = trimmed(number->data);
    const auto organisation = findTag(fields, "003");
    if (organisation != fields.end() && !trimmed(organisation->data).empty())
        value = "(" + trimmed(organisation->data) + ")" + value;
    fields.erase(number);
    changes.push_back("removed 001");
    const auto org = findTag(fields, "003");
    if (org != fields.end()) {
        fields.erase(org);
        changes.push_back("removed 003");
    }
    MarcFieldData field;
    field.tag = "035";
    field.subfields = {{'a', value}};
    if (std::find(fields.begin(), fields.end(), field) != fields.end()) return;
    insertInTagOrder(fields, field);
    changes.push_back("added 035 $a" + value);
}

void addFields(MarcFields& record, const std::string& text, std::vector<std::string>& changes) {
    const MarcTextParse parse = parseMarcText(text);
    for (const MarcTextProblem& problem : parse.problems)
        changes.push_back("not added, line " + std::to_string(problem.line + 1) + ": " +
                          problem.message);
    for (const MarcFieldData& field : parse.record.fields) {
        if (std::find(record.fields.begin(), record.fields.end(), field) != record.fields.end())
            continue;
        insertInTagOrder(record.fields, field);
        changes.push_back("added " + field.tag);
    }
}

}  // namespace

std::vector<std::string> applyMarcTemplate(MarcFields& record, const MarcTemplate& recipe,
                                           const MarcTagPatterns& exportDrops) {
    std::vector<std::string> changes;
    if (recipe.dropExportTags) dropFields(record, exportDrops, changes);
    if (recipe.moveControlNumber) moveControlNumber(record, changes);
    addFields(record, recipe.addFields, changes);
    if (recipe.toUnicode) {
        if (record.leader.size() < 24) record.leader.resize(24, ' ');
        if (record.leader[9] != 'a') {
            record.leader[9] = 'a';
            changes.push_back("leader/09 set to 'a'");
        }
    }
    return changes;
}
