// Templates: local fields, 001/003 into 035, the export's dropped tags and
// UTF-8, on one record and on many with a report.
#include <gtest/gtest.h>

#include <string>

#include "MarcBuilder.h"
#include "editor/MarcText.h"
#include "editor/TemplateBatch.h"

namespace {

MarcFields parsed(const std::string& text) { return parseMarcText(text).record; }

const char* const kRecord =
    "=LDR  00000nam\\\\2200000\\a\\4500\n"
    "=001  ocm123\\\n"
    "=003  OCoLC\n"
    "=020  \\\\$a0123456789\n"
    "=035  \\\\$a(DE-101)99\n"
    "=245  10$aTitle\n"
    "=938  \\\\$aVendor\n";

}  // namespace

TEST(MarcTemplate, MovesTheControlNumberIntoA035) {
    MarcFields record = parsed(kRecord);
    MarcTemplate recipe;
    recipe.moveControlNumber = true;
    const std::vector<std::string> changes = applyMarcTemplate(record, recipe, MarcTagPatterns());
    const std::string text = marcTextOf(record);
    EXPECT_EQ(text.substr(text.find('\n') + 1),
              "=020  \\\\$a0123456789\n"
              "=035  \\\\$a(DE-101)99\n"
              "=035  \\\\$a(OCoLC)ocm123\n"
              "=245  10$aTitle\n"
              "=938  \\\\$aVendor\n");
    EXPECT_EQ(changes, (std::vector<std::string>{"removed 001", "removed 003",
                                                 "added 035 $a(OCoLC)ocm123"}));
    // Without 003 the number goes alone; done twice, nothing more happens.
    record = parsed("=LDR  00000nam\\\\2200000\\a\\4500\n=001  77\n=245  10$aT\n");
    applyMarcTemplate(record, recipe, MarcTagPatterns());
    EXPECT_EQ(record.fields[0].subfields, (MarcSubfieldList{{'a', "77"}}));
    EXPECT_TRUE(applyMarcTemplate(record, recipe, MarcTagPatterns()).empty());
    // A 035 that already says the same is not written twice.
    record = parsed("=LDR  00000nam\\\\2200000\\a\\4500\n=001  77\n=035  \\\\$a77\n");
    applyMarcTemplate(record, recipe, MarcTagPatterns());
    EXPECT_EQ(record.fields.size(), 1u);
}

TEST(MarcTemplate, AddsLocalFieldsInTagOrderOnce) {
    MarcFields record = parsed(kRecord);
    MarcTemplate recipe;
    recipe.addFields = "=590  \\\\$aGift of {dollar}1\n=852  \\\\$aXY$bMain\n=001  no\nnonsense\n";
    const std::vector<std::string> changes = applyMarcTemplate(record, recipe, MarcTagPatterns());
    EXPECT_EQ(changes, (std::vector<std::string>{"not added, line 4: not a field (=TAG  ...)",
                                                 "added 590", "added 852", "added 001"}));
    std::vector<std::string> tags;
    for (const MarcFieldData& field : record.fields) tags.push_back(field.tag);
    EXPECT_EQ(tags, (std::vector<std::string>{"001", "001", "003", "020", "035", "245", "590",
                                              "852", "938"}));
    EXPECT_EQ(record.fields[6].subfields[0].second, "Gift of $1");
    EXPECT_EQ(applyMarcTemplate(record, recipe, MarcTagPatterns()).size(), 1u);
}

TEST(MarcTemplate, DropsTheExportTagsAndSetsUnicode) {
    MarcFields record = parsed(kRecord);
    MarcTemplate recipe;
    recipe.dropExportTags = true;
    recipe.toUnicode = true;
    const std::vector<std::string> changes =
        applyMarcTemplate(record, recipe, MarcTagPatterns("9XX, 020"));
    EXPECT_EQ(changes,
              (std::vector<std::string>{"dropped 020", "dropped 938", "leader/09 set to 'a'"}));
    EXPECT_EQ(record.leader[9], 'a');
    EXPECT_EQ(record.fields.size(), 4u);
    // Unticked steps do nothing.
    record = parsed(kRecord);
    EXPECT_TRUE(applyMarcTemplate(record, MarcTemplate(), MarcTagPatterns("9XX")).empty());
    EXPECT_EQ(record, parsed(kRecord));
}

TEST(TemplateBatch, ConvertsMarc8AndReportsEveryRecord) {
    // "é" in MARC-8: combining acute (0xE2) before the letter.
    const std::string marc8 = MarcBuilder("00000nam  2200000 a 4500")
                                  .control("001", "1")
                                  .data("245", "10",
                                        {{'a',
                                          "Caf\xE2"
                                          "e"}})
                                  .build();
    MarcTemplate recipe;
    recipe.name = "Local";
    recipe.toUnicode = true;
    recipe.addFields = "=590  \\\\$aNote\n";
    const TemplateOutcome outcome =
        applyTemplateToIso2709(marc8, MarcCharset::Marc8, recipe, MarcTagPatterns());
    const MarcFields result = marcFieldsFromIso2709(outcome.iso2709);
    EXPECT_EQ(result.leader[9], 'a');
    ASSERT_EQ(result.fields.size(), 3u);
    EXPECT_EQ(result.fields[1].subfields[0].second, "Caf\xC3\xA9");
    EXPECT_EQ(outcome.changes.front(), "converted to UTF-8");

    MarcTemplate nothing;
    EXPECT_TRUE(applyTemplateToIso2709(marc8, MarcCharset::Marc8, nothing, MarcTagPatterns())
                    .iso2709.empty());
    EXPECT_EQ(templateReport("Local", {{"Café", outcome.changes}, {"Other", {}}}),
              "Template Local: 1 of 2 records changed.\n"
              "Café: converted to UTF-8; added 590\n");
}
