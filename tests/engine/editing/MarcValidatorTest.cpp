// The MARC 21 checks on records of a known shape, against the shipped schema.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "validation/MarcValidator.h"

namespace {

MarcFieldData control(const std::string& tag, const std::string& data) {
    MarcFieldData field;
    field.tag = tag;
    field.data = data;
    return field;
}

MarcFieldData data(const std::string& tag, const std::string& indicators,
                   const MarcSubfieldList& subfields) {
    MarcFieldData field;
    field.tag = tag;
    field.indicator1 = indicators[0];
    field.indicator2 = indicators[1];
    field.subfields = subfields;
    return field;
}

// A book that passes: leader, 008 for books, 245.
MarcFields goodBook() {
    MarcFields record;
    record.leader = "00000nam a2200000 a 4500";
    record.fields = {control("001", "123"),
                     control("008", "910710s1991    nju           00010 eng d"),
                     data("245", "10", {{'a', "Title"}})};
    return record;
}

std::vector<std::string> kinds(const MarcFields& record) {
    std::vector<std::string> out;
    for (const MarcFinding& f : validateMarc(record, shippedMarcSchema()))
        out.push_back(f.tag + " " + marcFindingKindName(f.kind));
    return out;
}

}  // namespace

TEST(MarcValidator, ShippedSchemaIsLoaded) {
    EXPECT_GT(shippedMarcSchema().fields.size(), 200u);
    EXPECT_TRUE(kinds(goodBook()).empty());
}

TEST(MarcValidator, RepeatedNonRepeatableFieldAndSubfieldAreErrors) {
    MarcFields record = goodBook();
    record.fields.push_back(
        data("245", "10", {{'a', "Again"}, {'a', "twice"}, {'n', "1"}, {'n', "2"}}));
    record.fields.push_back(data("650", " 0", {{'a', "One"}}));
    record.fields.push_back(data("650", " 0", {{'a', "Two"}}));
    const std::vector<MarcFinding> findings = validateMarc(record, shippedMarcSchema());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].kind, MarcFindingKind::FieldNotRepeatable);
    EXPECT_EQ(findings[0].field, 3u);
    EXPECT_EQ(findings[1].kind, MarcFindingKind::SubfieldNotRepeatable);
    EXPECT_TRUE(isMarcError(findings[0].kind));
    EXPECT_TRUE(isMarcError(findings[1].kind));
}

TEST(MarcValidator, MissingTitleIsAnError) {
    MarcFields record = goodBook();
    record.fields.pop_back();
    const std::vector<MarcFinding> findings = validateMarc(record, shippedMarcSchema());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, MarcFindingKind::FieldMissing);
    EXPECT_EQ(findings[0].field, MarcFinding::kNoField);
    EXPECT_TRUE(isMarcError(MarcFindingKind::FieldMissing));
}

TEST(MarcValidator, UnknownFieldsAndIndicatorsAreWarnings) {
    MarcFields record = goodBook();
    record.fields.push_back(data("246", "7 ", {{'a', "x"}}));
    record.fields.push_back(data("100", "10", {{'a', "Name"}}));  // 100's second is undefined
    record.fields.push_back(data("123", "  ", {{'a', "x"}}));
    record.fields.push_back(data("020", "  ", {{'a', "1"}, {'x', "no"}}));
    EXPECT_EQ(kinds(record),
              (std::vector<std::string>{"246 indicator1", "100 indicator2", "123 field-undefined",
                                        "020 subfield-undefined"}));
    for (const MarcFindingKind kind :
         {MarcFindingKind::Indicator1, MarcFindingKind::Indicator2, MarcFindingKind::FieldUndefined,
          MarcFindingKind::SubfieldUndefined, MarcFindingKind::Leader, MarcFindingKind::FixedField})
        EXPECT_FALSE(isMarcError(kind));
}

TEST(MarcValidator, IndicatorRangesAndBlanks) {
    MarcFields record = goodBook();
    record.fields.back() = data("245", "14", {{'a', "The title"}});
    EXPECT_TRUE(kinds(record).empty());
    record.fields.back() = data("245", "1 ", {{'a', "The title"}});
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"245 indicator2"}));
}

TEST(MarcValidator, LocalTagsPassUnchecked) {
    MarcFields record = goodBook();
    for (const char* tag : {"090", "590", "949", "999", "009"})
        record.fields.push_back(data(tag, "xy", {{'!', "local"}, {'!', "again"}}));
    EXPECT_TRUE(kinds(record).empty());
    // Defined tags with a 9 are checked all the same.
    record.fields.push_back(data("490", "5 ", {{'a', "Series"}}));
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"490 indicator1"}));
    EXPECT_FALSE(isLocalMarcTag("245"));
    EXPECT_FALSE(isLocalMarcTag("9"));
}

TEST(MarcValidator, AlternateGraphicsTakeTheirFieldsIndicators) {
    MarcFields record = goodBook();
    record.fields.push_back(data("880", "10", {{'6', "245-01"}, {'a', "Title"}}));
    EXPECT_TRUE(kinds(record).empty());
}

TEST(MarcValidator, LeaderCodes) {
    MarcFields record = goodBook();
    record.leader[6] = 'b';  // obsolete
    record.leader[9] = 'x';
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"LDR leader", "LDR leader"}));
    record = goodBook();
    record.leader.resize(20);
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"LDR leader"}));
}

TEST(MarcValidator, FixedFieldByMaterial) {
    MarcFields record = goodBook();
    // Books: 18-21 illustrations, each a code of its own; 33 literary form.
    record.fields[1].data[18] = 'a';
    record.fields[1].data[19] = 'f';
    record.fields[1].data[33] = 'm';
    EXPECT_TRUE(kinds(record).empty());
    record.fields[1].data[19] = 'Q';
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"008 fixed-field"}));
    // A map reads 33 as special format characteristics, where 'm' is no code.
    record.fields[1].data[19] = 'f';
    record.leader[6] = 'e';
    record.fields[1].data[25] = 'a';
    record.fields[1].data[29] = ' ';
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"008 fixed-field"}));
    record.fields[1].data[33] = 'e';
    EXPECT_TRUE(kinds(record).empty());
    record = goodBook();
    record.fields[1].data.resize(30);
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"008 fixed-field"}));
}

TEST(MarcValidator, AuthorityRecordsAreNotChecked) {
    MarcFields record = goodBook();
    record.leader[6] = 'z';
    record.fields.push_back(data("670", "  ", {{'a', "Source"}}));
    EXPECT_EQ(kinds(record), (std::vector<std::string>{"LDR leader"}));
}

TEST(MarcSchema, CodeRangesOfTheValuesLength) {
    MarcCodeList list{{"0", "2-5", "001-999"}};
    EXPECT_TRUE(list.allows("0"));
    EXPECT_TRUE(list.allows("3"));
    EXPECT_FALSE(list.allows("6"));
    EXPECT_TRUE(list.allows("120"));
    EXPECT_FALSE(list.allows("000"));
}

TEST(MarcSchema, BadDocumentsGiveNothing) {
    EXPECT_FALSE(parseMarcSchema("").has_value());
    EXPECT_FALSE(parseMarcSchema("{\"fields\": [1]}").has_value());
    EXPECT_FALSE(parseMarcSchema("{\"fields\": {").has_value());
    const auto odd = parseMarcSchema(
        R"({"fields": {"245": {"repeatable": "no", "subfields": {"ab": {}, "a": 3},
            "positions": {"x": {"start": 5, "end": 2}}}, "100": 7}})");
    ASSERT_TRUE(odd.has_value());
    const MarcFieldRule* rule = odd->field("245");
    ASSERT_NE(rule, nullptr);
    EXPECT_TRUE(rule->repeatable);
    EXPECT_TRUE(rule->subfields.empty());
    EXPECT_TRUE(rule->positions.empty());
    EXPECT_EQ(odd->field("100"), nullptr);
}

TEST(MarcSchema, OnlyRepeatableContentIsReadCharacterByCharacter) {
    MarcPositionRule rule;
    rule.start = 18;
    rule.end = 20;
    rule.codes = MarcCodeList{{"a", "b", "  "}};
    EXPECT_TRUE(rule.allows("  "));
    EXPECT_FALSE(rule.allows("ab"));
    rule.repeatableContent = true;
    EXPECT_TRUE(rule.allows("ab"));
    EXPECT_FALSE(rule.allows("ax"));
}
